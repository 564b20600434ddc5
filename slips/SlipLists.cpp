#include "slips/SlipLists.h"

#include "core/Formats.h"
#include "core/Record.h"
#include "core/widgets/WindowNames.h"
#include "slips/SlipRecord.h"

namespace SlipLists {
namespace {
consteval int field(std::string_view name)
{
    return kSlipLayout.at(name);
}

LineFormat &addressColumns(LineFormat &f)
{
    return f.literal(QStringLiteral("  Via "))
        .column(field("IndirizzoRes"), 22)
        .literal(QStringLiteral("  CAP: "))
        .column(field("CapRes"), 5)
        .literal(QStringLiteral("  Città: "))
        .column(field("ComuneRes"), 16)
        .literal(QStringLiteral("  Scad. "))
        .column(field("DataScade"), 10)
        .literal(QStringLiteral("  € "))
        .column(field("Intero"), 11);
}
} // namespace

QString editorName()
{
    return WindowNames::bollettino.toString();
}

QString archivePath()
{
    return ResultLines::editorArchivePath(editorName());
}

bool unpaid(const RecordView &slip)
{
    static const int saldato = field("Saldato");
    return slip.text(saldato) == FieldCodec::no();
}

bool overdue(const RecordView &slip, const QDate &today)
{
    static const int dataScade = field("DataScade");
    if (!unpaid(slip))
        return false;
    const QDate due = Formats::parseDateText(slip.text(dataScade));
    return due.isValid() && due < today;
}

const LineFormat &summaryLine()
{
    static const LineFormat f = [] {
        LineFormat l;
        l.column(field("Esecutore"), 44);
        return addressColumns(l);
    }();
    return f;
}

const LineFormat &searchLine()
{
    static const LineFormat f = [] {
        LineFormat l;
        l.column(field("Esecutore"), 40);
        addressColumns(l).literal(QStringLiteral("  Saldato: ")).column(field("Saldato"), 2);
        return l;
    }();
    return f;
}

SummaryListConfig listConfig(const QString &name, const QString &title, std::function<RecordFilter()> selection)
{
    SummaryListConfig c;
    c.name = name;
    c.caption = QLatin1Char(' ') + title;
    c.reportTitle = title;
    c.variant = SummaryReport::Variant::Schede;
    c.layout = &kSlipLayout;
    c.archivePath = &archivePath;
    c.selection = std::move(selection);
    c.line = [](const RecordView &r) { return summaryLine()(r); };
    c.editor = editorName();
    return c;
}
} // namespace SlipLists

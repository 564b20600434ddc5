#include "registry/ApplicantLists.h"

#include "core/Formats.h"
#include "core/ProgramFolder.h"
#include "core/widgets/CallerTags.h"
#include "core/widgets/Forms.h"
#include "core/widgets/WindowNames.h"
#include "registry/ApplicantRecord.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ApplicantLists {
namespace {
consteval int field(std::string_view name)
{
    return kApplicantLayout.at(name);
}

QString joined(const Record &r, int first, int second)
{
    return r.text(first) + QLatin1Char(' ') + r.text(second);
}
} // namespace

QString editorName()
{
    return WindowNames::anagrafica.toString();
}

QString archivePath()
{
    return ProgramFolder::file(QStringLiteral("Richiedenti.pro"));
}

const LineFormat &searchLine()
{
    static const LineFormat f = [] {
        LineFormat l;
        l.joined(field("Cognome"), field("Nome"), 28)
            .literal(QStringLiteral("  C.F. "))
            .column(field("CodFisc"), 16)
            .literal(QStringLiteral("  Datore: "))
            .column(field("Datore"), 24)
            .literal(QStringLiteral("  Tel. "))
            .column(field("Recapito"), 14)
            .literal(QStringLiteral("  Note: "))
            .tail(field("Note"));
        return l;
    }();
    return f;
}

const LineFormat &expiringLine()
{
    static const LineFormat f = [] {
        LineFormat l;
        l.joined(field("Cognome"), field("Nome"), 30)
            .literal(QStringLiteral("  C.F. "))
            .column(field("CodFisc"), 16)
            .literal(QStringLiteral("  Tel. "))
            .column(field("Recapito"), 15)
            .literal(QStringLiteral("  Scad. "))
            .column(field("Scadenza"), 10)
            .literal(QStringLiteral("  Datore: "))
            .column(field("Datore"), 30)
            .literal(QStringLiteral("  Reddito: € "))
            .tail(field("Totale"));
        return l;
    }();
    return f;
}

bool expiring(const RecordView &applicant, const QDate &today)
{
    static const int scadenza = field("Scadenza"), preavviso = field("Preavviso");
    const QDate expiry = Formats::parseDateText(applicant.text(scadenza));
    bool whole = false;
    const int notice = applicant.text(preavviso).toInt(&whole);
    // Calendar arithmetic: a notice of up to 999 days may cross month and year ends and leap days.
    return expiry.isValid() && whole && expiry.addDays(-notice) <= today;
}

void handBack(const QString &context, const Record &a, qint64 position)
{
    using CallerTags::From;
    if (context == QLatin1String("anagrafica")) {
        if (QWidget *editor = Forms::get(CallerTags::window(From::ApplicantSearch, context)))
            ResultLines::loadIntoEditor(editor, a, position);
        return;
    }
    // Texts as stored, neither upper-cased nor cut; the receiving editor's own position stays.
    const QStringList values = context == QLatin1String("bollettino")
                                   ? QStringList{joined(a, field("Cognome"), field("Nome")), a.text(field("Indirizzo")),
                                                 a.text(field("Cap")), joined(a, field("ComuneRes"), field("ProvRes"))}
                                   : QStringList{joined(a, field("Cognome"), field("Nome")), a.text(field("CodFisc")),
                                                 a.text(field("Recapito"))};
    CallerTags::write(From::ApplicantSearch, context, values);
}
} // namespace ApplicantLists

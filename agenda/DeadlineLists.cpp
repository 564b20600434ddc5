#include "agenda/DeadlineLists.h"

#include "agenda/DeadlineRecord.h"
#include "agenda/Scadenzario.h"
#include "core/ArchiveFile.h"
#include "core/Formats.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"
#include "core/widgets/Forms.h"
#include "core/widgets/WindowNames.h"

#include <QCalendarWidget>
#include <QFileInfo>
#include <algorithm>

namespace DeadlineLists {
namespace {
consteval int field(std::string_view name)
{
    return kDeadlineLayout.at(name);
}

// Reads one archive (created empty when missing) until something is imminent; records the rule cannot read
// are passed over. False when the archive could not be read whole.
bool scanForImminent(const QString &path, const QDate &today, bool &found)
{
    ArchiveFile file(path, kDeadlineLayout.size());
    if (!file.open(ArchiveFile::Mode::ReadOrCreate))
        return false;
    const bool whole = file.scan([&](const char *bytes, qint64) {
        found = imminent(RecordView(kDeadlineLayout, bytes), today);
        return !found;
    });
    file.close();
    return whole;
}
} // namespace

QString editorName()
{
    return WindowNames::scadenzario.toString();
}

QString archivePath()
{
    return ResultLines::editorArchivePath(editorName());
}

QString yearArchive(int year)
{
    return ProgramFolder::file(QString::number(year).rightJustified(4, QLatin1Char('0')) + QStringLiteral(".sca"));
}

int noticeDays(const QString &text)
{
    bool whole = false;
    const int n = text.trimmed().toInt(&whole);
    return whole && n > 0 ? n : 0;
}

bool imminent(const RecordView &deadline, const QDate &today)
{
    static const int data = field("Data"), avviso = field("Avviso");
    const QDate due = Formats::parseDateText(deadline.text(data));
    if (!due.isValid())
        return false;
    return due.addDays(-noticeDays(deadline.text(avviso))) <= today && today <= due;
}

QString sortKey(const RecordView &deadline)
{
    static const int data = field("Data"), giorno = field("Giorno"), ore = field("OreApp"), minuti = field("MinutiApp");
    return deadline.text(data).mid(3, 2) + deadline.text(giorno) + deadline.text(ore) + deadline.text(minuti);
}

bool anyImminent(const QDate &today)
{
    bool found = false;
    scanForImminent(yearArchive(today.year()), today, found);
    const QString next = yearArchive(today.year() + 1);
    if (!found && QFileInfo::exists(next))
        scanForImminent(next, today, found);
    return found;
}

void showIndicator(TfrmScadenzario *editor)
{
    // Reset at every showing: a banner left from the previous one would be a false alarm or a missed one.
    const bool present = anyImminent(Seams::Clock::today());
    editor->showImminent(present);
    if (present)
        Seams::Sound::play(ProgramFolder::file(QStringLiteral("Avviso.mp3")));
}

QList<ExportColumn> listColumns()
{
    QList<ExportColumn> c = archiveColumns();
    c.append({"Codice univoco", 150, 150, true, [](const RecordView &r) { return sortKey(r); }});
    return c;
}

QList<ExportColumn> archiveColumns()
{
    using ExportValues::field;
    const RecordLayout &l = kDeadlineLayout;
    return {
        {"Data scadenza", 150, 150, false, field(l, "Data")},
        {"Ora appuntamento", 150, 150, false, field(l, "Ora")},
        {"Richiedente", 250, 250, false, field(l, "Cliente")},
        {"Codice fiscale", 180, 200, false, field(l, "CodFisc")},
        {"Telefono preferenziale", 200, 200, false, field(l, "Recapito")},
        {"Oggetto pratica", 300, 300, false, field(l, "Oggetto")},
        {"Tipologia", 250, 250, false, field(l, "Tipologia")},
        {"Protocollo n.", 250, 250, false, field(l, "Protocollo")},
        {"Data apertura", 150, 150, false, field(l, "Apertura")},
        {"Data chiusura", 150, 150, false, field(l, "Chiusura")},
        {"Stato avanzamento", 250, 250, false, field(l, "Stato")},
        {"Consulente o curatore", 250, 250, false, field(l, "Consulente")},
        {"Causale scadenza", 300, 300, false, field(l, "Dettagli")},
        {"Modalità di pagamento", 300, 300, true, field(l, "Officina")},
        {"Importo in euro", 180, 200, true, field(l, "Costo")},
        {"Estremi ricevuta", 250, 250, true, field(l, "Contatto")},
        {"Appuntamento da confermare", 200, 250, true, field(l, "DaConfermare")},
        {"Pagamento effettuato", 200, 250, true, field(l, "Effettuata")},
        {"Note", 300, 300, false, field(l, "Note")},
    };
}

QList<int> chronological(const QList<QStringList> &rows)
{
    QList<int> order(rows.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto key = [&rows](int i) { return rows.at(i).isEmpty() ? QString() : rows.at(i).last(); };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return key(a).compare(key(b), Qt::CaseInsensitive) < 0; });
    return order;
}

const LineFormat &summaryLine()
{
    static const LineFormat f = [] {
        LineFormat l;
        l.column(field("Dettagli"), 32)
            .literal(QStringLiteral("  Data: "))
            .column(field("Data"), 10)
            .literal(QStringLiteral("  Ora: "))
            .column(field("Ora"), 5)
            .literal(QStringLiteral("  "))
            .column(field("Cliente"), 30)
            .literal(QStringLiteral("  "))
            .column(field("Oggetto"), 30)
            .literal(QStringLiteral("  € "))
            .tail(field("Costo"));
        return l;
    }();
    return f;
}

QDate chosenDate()
{
    if (auto *editor = Forms::get<TfrmScadenzario>(editorName()))
        return editor->calAppuntamenti->selectedDate();
    return Seams::Clock::today();
}

RecordFilter flagIs(std::string_view name, const QString &text)
{
    const int f = kDeadlineLayout.require(name);
    return [f, text](const RecordView &r) { return r.text(f) == text; };
}

SummaryListConfig statusList(const QString &name, const QString &title, std::string_view flag, const QString &text)
{
    SummaryListConfig c;
    c.name = name;
    c.caption = QLatin1Char(' ') + title;
    c.reportTitle = title;
    c.variant = SummaryReport::Variant::Dati;
    c.layout = &kDeadlineLayout;
    c.archivePath = &archivePath;
    c.selection = [flag, text] { return flagIs(flag, text); };
    c.line = [](const RecordView &r) { return summaryLine()(r); };
    c.editor = editorName();
    // As from the search: a record without a year of its own shows the open one.
    c.handBack = &showInEditor;
    return c;
}

void showInEditor(const Record &record, qint64 position)
{
    if (auto *editor = Forms::get<TfrmScadenzario>(editorName()))
        editor->ShowDeadline(record, position);
}
} // namespace DeadlineLists

#include "agenda/ExpImminenti.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "core/Formats.h"
#include "core/Seams.h"
#include "core/widgets/WindowNames.h"

namespace {
ExportConfig config()
{
    ExportConfig c;
    c.name = WindowNames::expImminenti.toString();
    c.caption = QStringLiteral(" Scadenze imminenti");
    c.layout = &kDeadlineLayout;
    c.archivePath = [] { return DeadlineLists::yearArchive(Seams::Clock::today().year()); };
    // Early January falls due in late December: next year's file is read too, its rows after this year's.
    c.laterArchives = [] { return QStringList{DeadlineLists::yearArchive(Seams::Clock::today().year() + 1)}; };
    c.selection = [] {
        const QDate today = Seams::Clock::today();
        return RecordFilter([today](const RecordView &r) { return DeadlineLists::imminent(r, today); });
    };
    c.order = &DeadlineLists::chronological;
    c.numberWidth = 60;
    c.columns = DeadlineLists::listColumns();
    c.fileName = QStringLiteral("Scadenze_Imminenti.xls");
    c.sheetName = QStringLiteral("Scadenze imminenti");
    c.help = QStringLiteral("deadline_lists");
    return c;
}
} // namespace

TfrmExpImminenti::TfrmExpImminenti(QWidget *parent) : TExportWindow(config(), parent) {}

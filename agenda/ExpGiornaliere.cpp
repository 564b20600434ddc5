#include "agenda/ExpGiornaliere.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "core/Formats.h"
#include "core/Seams.h"
#include "core/widgets/WindowNames.h"

namespace {
ExportConfig config()
{
    ExportConfig c;
    c.name = WindowNames::expGiornaliere.toString();
    c.caption = QStringLiteral(" Scadenze del giorno");
    c.layout = &kDeadlineLayout;
    c.archivePath = [] { return DeadlineLists::yearArchive(DeadlineLists::chosenDate().year()); };
    c.selection = [] {
        static const int data = kDeadlineLayout.at("Data");
        const QString day = Formats::dateText(DeadlineLists::chosenDate());
        return RecordFilter([day](const RecordView &r) { return r.text(data) == day; });
    };
    c.order = &DeadlineLists::chronological;
    c.numberWidth = 60;
    c.columns = DeadlineLists::listColumns();
    c.fileName = QStringLiteral("Scadenze_Giornaliere.xls");
    c.sheetName = QStringLiteral("Scadenze del giorno");
    c.help = QStringLiteral("deadline_lists");
    return c;
}
} // namespace

TfrmExpGiornaliere::TfrmExpGiornaliere(QWidget *parent) : TExportWindow(config(), parent) {}

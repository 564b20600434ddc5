#include "agenda/ExpScadenzario.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "core/widgets/WindowNames.h"

namespace {
ExportConfig config()
{
    ExportConfig c;
    c.name = WindowNames::expScadenzario.toString();
    c.caption = QStringLiteral(" Esporta archivio Scadenzario pagamenti");
    c.layout = &kDeadlineLayout;
    c.archivePath = &DeadlineLists::archivePath;
    c.numberWidth = 60;
    c.columns = DeadlineLists::archiveColumns();
    c.fileName = QStringLiteral("Scadenze_e_Appuntamenti.xls");
    c.sheetName = QStringLiteral("Scadenze e appuntamenti");
    c.help = QStringLiteral("export_agenda");
    return c;
}
} // namespace

TfrmExpScadenzario::TfrmExpScadenzario(QWidget *parent) : TExportWindow(config(), parent) {}

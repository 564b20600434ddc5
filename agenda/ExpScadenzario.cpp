#include "agenda/ExpScadenzario.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"

namespace {
QString helpText()
{
    return QStringList{
        QStringLiteral("Il pulsante Esporta archivio consente di esportare tutte le schede dello scadenzario "
                       "registrate in un anno solare in un foglio di lavoro di Microsoft Excel, che potrà essere "
                       "aperto con qualsiasi software in grado di gestire i file in formato XLS (ad esempio, con "
                       "Open Office, Libre Office o Microsoft Office)."),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di "
                       "Excel. Questa operazione crea in tempo reale un file in formato XLS contenente le schede in "
                       "archivio, che potrà essere aperto immediatamente rispondendo affermativamente al messaggio "
                       "di domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                       "qualsiasi."),
    }
        .join(QStringLiteral("\r\n\r\n"));
}

ExportConfig config()
{
    ExportConfig c;
    c.name = QStringLiteral("frmExpScadenzario");
    c.caption = QStringLiteral(" Esporta archivio Scadenzario pagamenti");
    c.layout = &kDeadlineLayout;
    c.archivePath = &DeadlineLists::archivePath;
    c.numberWidth = 60;
    c.columns = DeadlineLists::archiveColumns();
    c.fileName = QStringLiteral("Scadenze_e_Appuntamenti.xls");
    c.sheetName = QStringLiteral("Scadenze e appuntamenti");
    c.helpTitle = [] { return QStringLiteral("Esportazione archivio Scadenze e appuntamenti in Microsoft Excel."); };
    c.helpText = &helpText;
    return c;
}
} // namespace

TfrmExpScadenzario::TfrmExpScadenzario(QWidget *parent) : TExportWindow(config(), parent) {}

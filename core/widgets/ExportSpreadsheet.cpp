#include "core/widgets/ExportSpreadsheet.h"

#include "core/OpenURL.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"

namespace SpreadsheetTexts {
QString confirmExport()
{
    return QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
                          "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
}
QString exported()
{
    return QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di "
                          "Excel?");
}
QString failure()
{
    return QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di "
                          "Excel non sia già aperto.");
}
} // namespace SpreadsheetTexts

void ExportSpreadsheet(QWidget *parent, const SpreadsheetExport &description)
{
    if (Seams::Messages::question(parent, SpreadsheetTexts::confirmExport()) == Seams::Answer::No)
        return;
    if (!WriteSpreadsheetFile(description)) {
        Seams::Messages::plain(parent, SpreadsheetTexts::failure());
        return;
    }
    if (Seams::Messages::question(parent, SpreadsheetTexts::exported()) != Seams::Answer::No)
        TMisc::Open(QLatin1Char('"') + ProgramFolder::file(description.fileName) + QLatin1Char('"'));
}

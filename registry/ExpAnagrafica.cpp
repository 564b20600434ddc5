#include "registry/ExpAnagrafica.h"

#include "core/widgets/WindowNames.h"
#include "registry/ApplicantLists.h"
#include "registry/ApplicantRecord.h"

namespace {
ExportConfig config()
{
    using namespace ExportValues;
    const RecordLayout &l = kApplicantLayout;
    ExportConfig c;
    c.name = WindowNames::expAnagrafica.toString();
    c.caption = QStringLiteral(" Esporta archivio anagrafico richiedenti in Microsoft Excel");
    c.layout = &l;
    c.archivePath = &ApplicantLists::archivePath;
    c.numberWidth = 60;
    // The grid's columns that the design leaves editable; corrections reach the file, never the archive.
    c.columns = {
        {"Cognome e nome", 250, 250, false, joined(l, "Cognome", "Nome")},
        {"Codice fiscale", 150, 200, false, field(l, "CodFisc")},
        {"Data di nascita", 120, 200, false, field(l, "DataNasc")},
        {"Cittadinanza", 200, 250, false, field(l, "StatoCit")},
        {"Partita IVA", 150, 200, true, field(l, "Iva")},
        {"Indirizzo di residenza", 250, 250, false, field(l, "Indirizzo")},
        {"Comune di residenza", 250, 250, true, field(l, "ComuneRes")},
        {"Tel. preferenziale", 200, 250, false, field(l, "Recapito")},
        {"Tel. casa", 200, 200, true, field(l, "TelCasa")},
        {"Tel. cellulare", 200, 200, false, field(l, "TelCel")},
        {"E-mail", 250, 250, false, field(l, "Email")},
        {"Stato civile", 200, 250, false, field(l, "Civile")},
        {"Coniuge", 250, 300, false, field(l, "Coniuge")},
        {"Figli a carico", 300, 300, false, field(l, "Figli")},
        {"IBAN", 250, 300, true, field(l, "Iban")},
        {"Intestatario C/C", 250, 250, false, field(l, "Intestatario")},
        {"Datore di lavoro", 250, 300, false, field(l, "Datore")},
        {"Contratto di lavoro", 300, 300, false, field(l, "Contratto")},
        {"Tipo documento", 250, 250, true, field(l, "TipoDoc")},
        {"Numero documento", 200, 250, true, field(l, "NumDoc")},
        {"Ente rilascio", 250, 250, true, field(l, "EnteRil")},
        {"Data rilascio", 200, 200, true, field(l, "DataRil")},
        {"Scad. documento", 200, 200, false, field(l, "DataSca")},
        {"Scad. permesso", 200, 200, true, field(l, "ScadePer")},
        {"Note", 300, 300, false, field(l, "Note")},
    };
    c.fileName = QStringLiteral("Anagrafica_Richiedenti.xls");
    c.sheetName = QStringLiteral("Anagrafica Richiedenti");
    c.help = QStringLiteral("export_applicants");
    return c;
}
} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(QWidget *parent) : TExportWindow(config(), parent) {}

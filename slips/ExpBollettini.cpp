#include "slips/ExpBollettini.h"

#include "core/widgets/WindowNames.h"
#include "slips/SlipLists.h"
#include "slips/SlipRecord.h"

namespace {
ExportConfig config()
{
    using namespace ExportValues;
    const RecordLayout &l = kSlipLayout;
    ExportConfig c;
    c.name = WindowNames::expBollettini.toString();
    c.caption = QStringLiteral(" Esporta archivio annuale versamenti in Microsoft Excel");
    c.layout = &l;
    c.archivePath = &SlipLists::archivePath;
    c.numberWidth = 50;
    c.columns = {
        {"Importo versato", 110, 250, false, prefixed(QStringLiteral("€ "), l, "Intero")},
        {"Esecutore", 240, 350, false, field(l, "Esecutore")},
        {"Indirizzo di residenza", 180, 250, false, field(l, "IndirizzoRes")},
        {"CAP", 60, 120, false, field(l, "CapRes")},
        {"Comune di residenza", 150, 250, true, field(l, "ComuneRes")},
        {"Data scadenza", 100, 150, false, field(l, "DataScade")},
        {"Data versamento", 110, 150, false, field(l, "DataPaga")},
        {"Estremi timbro postale", 200, 250, false, field(l, "Timbro")},
        {"Note", 240, 350, true, field(l, "Note")},
        {"Saldato", 60, 100, true, field(l, "Saldato")},
    };
    c.fileName = QStringLiteral("Riepilogo_Annuale_Versamenti.xls");
    c.sheetName = QStringLiteral("Riepilogo annuale versamenti");
    c.help = QStringLiteral("export_slips");
    return c;
}
} // namespace

TfrmExpBollettini::TfrmExpBollettini(QWidget *parent) : TExportWindow(config(), parent) {}

#include "agenda/TrovaScadenzario.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "core/widgets/WindowNames.h"

namespace {
SearchConfig config()
{
    SearchConfig c;
    c.name = WindowNames::trovaScadenzario.toString();
    c.caption = QStringLiteral(" Trova scadenze e appuntamenti in archivio");
    c.reportTitle = QStringLiteral("Riepilogo scadenze e appuntamenti");
    c.variant = SummaryReport::Variant::Dati;
    c.layout = &kDeadlineLayout;
    c.archivePath = &DeadlineLists::archivePath;
    c.filters = {
        {"txtData", "Data scadenza (gg/mm/aaaa):", "Data"}, {"txtOra", "Ora appuntamento (hh:mm):", "Ora"},
        {"txtCliente", "Richiedente:", "Cliente"},          {"txtCodFisc", "Codice fiscale:", "CodFisc"},
        {"txtOggetto", "Oggetto pratica:", "Oggetto"},      {"txtProtocollo", "Protocollo n.", "Protocollo"},
        {"txtStato", "Stato avanzamento:", "Stato"},        {"txtConsulente", "Consulente o curatore:", "Consulente"},
        {"txtDettagli", "Causale scadenza:", "Dettagli"},   {"txtNote", "Note:", "Note"},
    };
    c.line = [](const RecordView &r) { return DeadlineLists::summaryLine()(r); };
    c.countText = QStringLiteral("Il presente elenco contiene %1 schede.");
    c.handBack = [](const QString &context, const Record &record, qint64 position) {
        if (context == QLatin1String("Scadenzario"))
            DeadlineLists::showInEditor(record, position);
    };
    return c;
}
} // namespace

TfrmTrovaScadenzario::TfrmTrovaScadenzario(QWidget *parent) : TSearchWindow(config(), parent)
{
    txtData = filterBox("txtData");
    txtOra = filterBox("txtOra");
    txtCliente = filterBox("txtCliente");
    txtCodFisc = filterBox("txtCodFisc");
    txtOggetto = filterBox("txtOggetto");
    txtProtocollo = filterBox("txtProtocollo");
    txtStato = filterBox("txtStato");
    txtConsulente = filterBox("txtConsulente");
    txtDettagli = filterBox("txtDettagli");
    txtNote = filterBox("txtNote");
}

#include "slips/TrovaBollettini.h"

#include "core/widgets/Forms.h"
#include "core/widgets/WindowNames.h"
#include "slips/SlipLists.h"
#include "slips/SlipRecord.h"

namespace {
SearchConfig config()
{
    SearchConfig c;
    c.name = WindowNames::trovaBollettini.toString();
    c.caption = QStringLiteral(" Trova versamenti in archivio");
    c.reportTitle = QStringLiteral("Riepilogo versamenti");
    c.variant = SummaryReport::Variant::Schede;
    c.layout = &kSlipLayout;
    c.archivePath = &SlipLists::archivePath;
    c.filters = {
        {"txtIntero", "Importo in cifre:", "Intero"},
        {"txtSaldato", "Saldato (Sì/No):", "Saldato"},
        {"txtEsecutore", "Esecutore:", "Esecutore"},
        {"txtComuneRes", "Località di residenza:", "ComuneRes"},
        {"txtCapRes", "CAP:", "CapRes"},
        {"txtIndirizzoRes", "Indirizzo di residenza:", "IndirizzoRes"},
        {"txtDataScade", "Data scadenza (gg/mm/aaaa):", "DataScade"},
        {"txtDataPaga", "Data versamento (gg/mm/aaaa):", "DataPaga"},
        {"txtTimbro", "Estremi timbro Ufficio Postale:", "Timbro"},
        {"txtNote", "Note:", "Note"},
    };
    c.line = [](const RecordView &r) { return SlipLists::searchLine()(r); };
    // Only the slip editor takes a slip back.
    c.handBack = [](const QString &context, const Record &record, qint64 position) {
        if (context != QLatin1String("bollettino"))
            return;
        if (QWidget *editor = Forms::get(SlipLists::editorName()))
            ResultLines::loadIntoEditor(editor, record, position);
    };
    return c;
}
} // namespace

TfrmTrovaBollettini::TfrmTrovaBollettini(QWidget *parent) : TSearchWindow(config(), parent)
{
    txtIntero = filterBox("txtIntero");
    txtSaldato = filterBox("txtSaldato");
    txtEsecutore = filterBox("txtEsecutore");
    txtComuneRes = filterBox("txtComuneRes");
    txtCapRes = filterBox("txtCapRes");
    txtIndirizzoRes = filterBox("txtIndirizzoRes");
    txtDataScade = filterBox("txtDataScade");
    txtDataPaga = filterBox("txtDataPaga");
    txtTimbro = filterBox("txtTimbro");
    txtNote = filterBox("txtNote");
}

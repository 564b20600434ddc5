#include "registry/TrovaAnagrafica.h"

#include "core/widgets/WindowNames.h"
#include "registry/ApplicantLists.h"
#include "registry/ApplicantRecord.h"

namespace {
SearchConfig config()
{
    SearchConfig c;
    c.name = WindowNames::trovaAnagrafica.toString();
    c.caption = QStringLiteral(" Trova richiedenti in archivio");
    c.reportTitle = QStringLiteral("Anagrafica Richiedenti");
    c.variant = SummaryReport::Variant::Dati;
    c.layout = &kApplicantLayout;
    c.archivePath = &ApplicantLists::archivePath;
    c.filters = {
        {"txtCognome", "Cognome:", "Cognome"},
        {"txtNome", "Nome:", "Nome"},
        {"txtStatoNasc", "Stato di nascita:", "StatoNasc"},
        {"txtStatoCit", "Cittadinanza:", "StatoCit"},
        {"txtCodFisc", "Codice fiscale:", "CodFisc"},
        {"txtIva", "Partita IVA:", "Iva"},
        {"txtDatore", "Datore di lavoro:", "Datore"},
        {"txtContratto", "Contratto di lavoro:", "Contratto"},
        {"txtTipoLavoro", "Tipologia di lavoro e mansione svolta:", "TipoLavoro"},
        {"txtNote", "Note:", "Note"},
    };
    c.boldFilters = true;
    c.line = [](const RecordView &r) { return ApplicantLists::searchLine()(r); };
    c.handBack = &ApplicantLists::handBack;
    return c;
}
} // namespace

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(QWidget *parent) : TSearchWindow(config(), parent)
{
    txtCognome = filterBox("txtCognome");
    txtNome = filterBox("txtNome");
    txtStatoNasc = filterBox("txtStatoNasc");
    txtStatoCit = filterBox("txtStatoCit");
    txtCodFisc = filterBox("txtCodFisc");
    txtIva = filterBox("txtIva");
    txtDatore = filterBox("txtDatore");
    txtContratto = filterBox("txtContratto");
    txtTipoLavoro = filterBox("txtTipoLavoro");
    txtNote = filterBox("txtNote");
}

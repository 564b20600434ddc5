#include "checks/PartitaIva.h"

#include "checks/IdentifierChecks.h"
#include "core/Routines.h"
#include "core/widgets/FieldRules.h"
#include "core/widgets/WindowNames.h"

#include <QLineEdit>

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent)
    : TCheckWindow(WindowNames::partitaIva.toString(), QStringLiteral(" Controllo partita IVA"),
                   QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
                   QStringLiteral("txtPartitaIva"), 11, parent)
{
    txtPartitaIva = entry();
    Input::digitsOnly(txtPartitaIva, Input::DigitsRule::Strict);
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString number = UpperAZ(txtPartitaIva->text());
    if (number.size() != 11) {
        warnAndStay(QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
        return;
    }
    if (!IsVatNumberValid(number)) {
        verdict(Seams::MsgKind::Warning,
                QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                               "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                               "rilasciato."));
        return;
    }
    const QString office = MidText(number, 8, 3);
    const QString name = VatOfficeName(office);
    // A valid number may carry an office code that no office uses: say so rather than name an office.
    if (name.isEmpty())
        verdict(Seams::MsgKind::Information,
                QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                               "Il codice dell'Ufficio IVA che lo ha rilasciato (%1) non è presente "
                               "nell'elenco degli uffici.")
                    .arg(office));
    else
        verdict(Seams::MsgKind::Information, QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                                            "E' stato rilasciato dall'Ufficio IVA del Comune di ") +
                                                 name + QStringLiteral("."));
}

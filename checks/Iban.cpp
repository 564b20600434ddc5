#include "checks/Iban.h"

#include "checks/IdentifierChecks.h"
#include "core/widgets/FieldRules.h"
#include "core/widgets/WindowNames.h"

#include <QLineEdit>

TfrmIban::TfrmIban(QWidget *parent)
    : TCheckWindow(WindowNames::iban.toString(), QStringLiteral(" Controllo IBAN"),
                   QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."), QStringLiteral("txtIban"),
                   27, parent)
{
    txtIban = entry();
    Input::trimUpper(txtIban);
}

void TfrmIban::btnControllaClick()
{
    // Blanks inside count towards the length; the test itself ignores them.
    const QString iban = txtIban->text().trimmed();
    if (iban.size() != 27) {
        warnAndStay(QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."));
        return;
    }
    if (IsIbanValid(iban))
        verdict(Seams::MsgKind::Information, QStringLiteral("L'IBAN digitato è VALIDO."));
    else
        verdict(Seams::MsgKind::Warning, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"));
}

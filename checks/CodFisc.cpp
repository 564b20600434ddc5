#include "checks/CodFisc.h"

#include "checks/IdentifierChecks.h"
#include "core/Routines.h"
#include "core/widgets/FieldRules.h"
#include "core/widgets/WindowNames.h"

#include <QLineEdit>

TfrmCodFisc::TfrmCodFisc(QWidget *parent)
    : TCheckWindow(WindowNames::codFisc.toString(), QStringLiteral(" Controllo codice fiscale"),
                   QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
                   QStringLiteral("txtCodFisc"), 16, parent)
{
    txtCodFisc = entry();
    Input::trimUpper(txtCodFisc);
}

void TfrmCodFisc::btnControllaClick()
{
    // Not trimmed: a text handed over with blanks has to be corrected by the user.
    const QString code = UpperAZ(txtCodFisc->text());
    if (code.size() != 16) {
        warnAndStay(QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
        return;
    }
    if (IsFiscalCodeValid(code))
        verdict(Seams::MsgKind::Information, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    else
        verdict(Seams::MsgKind::Warning, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
}

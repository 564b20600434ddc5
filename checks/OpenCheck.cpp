#include "checks/OpenCheck.h"

#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIva.h"
#include "core/Routines.h"

#include <QPointer>

namespace IdentifierCheck {

namespace {
template <class Window> void runCheck(QWidget *parent, const QString &text)
{
    QPointer<Window> window = new Window(parent);
    window->setEntry(text);
    window->exec();
    delete window; // QPointer: nothing to free if the owner went first
}
} // namespace

void openFiscalCodeCheck(QWidget *parent, const QString &fieldText)
{
    const QString code = fieldText.trimmed();
    if (!code.isEmpty() && IsAllDigits(code))
        runCheck<TfrmPartitaIva>(parent, code);
    else
        runCheck<TfrmCodFisc>(parent, code);
}

void openVatCheck(QWidget *parent, const QString &fieldText)
{
    runCheck<TfrmPartitaIva>(parent, fieldText.trimmed());
}
void openCardCheck(QWidget *parent, const QString &fieldText)
{
    runCheck<TfrmCarta>(parent, fieldText.trimmed());
}
void openIbanCheck(QWidget *parent, const QString &fieldText)
{
    runCheck<TfrmIban>(parent, fieldText.trimmed());
}

} // namespace IdentifierCheck

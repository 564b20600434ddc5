#include "checks/Carta.h"

#include "checks/IdentifierChecks.h"
#include "core/widgets/FieldRules.h"
#include "core/widgets/WindowNames.h"

#include <QLineEdit>

namespace {
// Networks of the numbers beginning with 3, by their first two characters.
QString networkOfThree(const QString &firstTwo)
{
    if (firstTwo == QLatin1String("30") || firstTwo == QLatin1String("36") || firstTwo == QLatin1String("38"))
        return QStringLiteral("Diner's Club / Carte Blanche");
    if (firstTwo == QLatin1String("34") || firstTwo == QLatin1String("37"))
        return QStringLiteral("American Express");
    if (firstTwo == QLatin1String("31") || firstTwo == QLatin1String("33") || firstTwo == QLatin1String("35"))
        return QStringLiteral("JCB");
    return {};
}
} // namespace

TfrmCarta::TfrmCarta(QWidget *parent)
    : TCheckWindow(WindowNames::carta.toString(), QStringLiteral(" Controllo carta di credito"),
                   QStringLiteral("Immettere il numero di carta di credito e premere il pulsante di controllo."),
                   QStringLiteral("txtNumero"), 30, parent)
{
    txtNumero = entry();
    Input::trimUpper(txtNumero);
    Input::digitsOnly(txtNumero, Input::DigitsRule::Strict);
}

void TfrmCarta::btnControllaClick()
{
    const QString trimmed = txtNumero->text().trimmed();
    if (trimmed.isEmpty()) {
        warnAndStay(QStringLiteral(
            "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo."));
        return;
    }
    const int cardClass = ClassifyCardNumber(txtNumero->text());
    const QString valid =
        QStringLiteral("Il numero di carta di credito ") + trimmed + QStringLiteral(" risulta valido.\r\n\r\n");
    QString network;
    switch (cardClass) {
    case 1:
        network = networkOfThree(trimmed.left(2));
        if (network.isEmpty()) {
            // It passes the test, but no network begins this way.
            verdict(Seams::MsgKind::Information,
                    valid + QStringLiteral("Non è possibile determinare il tipo di carta di credito."));
            return;
        }
        break;
    case 2:
        network = QStringLiteral("Visa");
        break;
    case 3:
        network = QStringLiteral("MasterCard");
        break;
    case 4:
        network = QStringLiteral("Discover");
        break;
    default:
        verdict(Seams::MsgKind::Warning,
                QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                               "Non è quindi possibile fornire informazioni relative al tipo di carta di credito."));
        return;
    }
    verdict(Seams::MsgKind::Information,
            valid + QStringLiteral("La carta di credito è del tipo ") + network + QStringLiteral("."));
}

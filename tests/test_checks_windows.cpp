#include "TestSupport.h"

#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/OpenCheck.h"
#include "checks/PartitaIva.h"
#include "core/widgets/Picture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <memory>

using Seams::MsgKind;

using namespace TestSupport;

namespace {
enum Window { CodFisc, PartitaIva, Carta, Iban };

std::unique_ptr<TCheckWindow> make(int window)
{
    switch (window) {
    case CodFisc:
        return std::make_unique<TfrmCodFisc>();
    case PartitaIva:
        return std::make_unique<TfrmPartitaIva>();
    case Carta:
        return std::make_unique<TfrmCarta>();
    default:
        return std::make_unique<TfrmIban>();
    }
}

// Types a script into the focused widget: ordinary characters as keys, a few symbols for special keys.
void type(QWidget *w, const QString &script)
{
    for (QChar c : script) {
        switch (c.unicode()) {
        case u'←':
            QTest::keyClick(w, Qt::Key_Left);
            break;
        case u'→':
            QTest::keyClick(w, Qt::Key_Right);
            break;
        case u'⇱':
            QTest::keyClick(w, Qt::Key_Home);
            break;
        case u'⇲':
            QTest::keyClick(w, Qt::Key_End);
            break;
        case u'⌫':
            QTest::keyClick(w, Qt::Key_Backspace);
            break;
        case u'⌦':
            QTest::keyClick(w, Qt::Key_Delete);
            break;
        case u'⇥':
            QTest::keyClick(w, Qt::Key_Tab);
            break;
        default:
            if (c.unicode() < 0x80)
                QTest::keyClicks(w, QString(c));
            else // a key of a national keyboard: no key code of its own
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}
} // namespace

class TestChecksWindows : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup() { TestSupport::checkSeams(); }

    void shape_data();
    void shape();
    void check_data();
    void check();
    void typing_data();
    void typing();
    void handedTextOnlyShrinks();
    void opening_data();
    void opening();
    void openingToVerdict();
};

void TestChecksWindows::shape_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("tabMoves");
    QTest::newRow("fiscal code") << int(CodFisc) << QStringLiteral("frmCodFisc")
                                 << QStringLiteral(" Controllo codice fiscale")
                                 << QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo.")
                                 << QStringLiteral("txtCodFisc") << 16 << true;
    QTest::newRow("VAT number") << int(PartitaIva) << QStringLiteral("frmPartitaIva")
                                << QStringLiteral(" Controllo partita IVA")
                                << QStringLiteral(
                                       "Immettere il numero di partita IVA e premere il pulsante di controllo.")
                                << QStringLiteral("txtPartitaIva") << 11 << false;
    QTest::newRow("card") << int(Carta) << QStringLiteral("frmCarta") << QStringLiteral(" Controllo carta di credito")
                          << QStringLiteral(
                                 "Immettere il numero di carta di credito e premere il pulsante di controllo.")
                          << QStringLiteral("txtNumero") << 30 << false;
    QTest::newRow("IBAN") << int(Iban) << QStringLiteral("frmIban") << QStringLiteral(" Controllo IBAN")
                          << QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo.")
                          << QStringLiteral("txtIban") << 27 << true;
}

void TestChecksWindows::shape()
{
    QFETCH(int, window);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, instruction);
    QFETCH(QString, field);
    QFETCH(int, limit);
    QFETCH(bool, tabMoves);

    auto w = make(window);
    QCOMPARE(w->objectName(), name);
    QCOMPARE(w->windowTitle(), caption);
    QVERIFY(w->findChild<Picture *>(QStringLiteral("imgLogo")));
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text(), instruction);
    auto *entry = w->findChild<QLineEdit *>(field);
    auto *controlla = w->findChild<QPushButton *>(QStringLiteral("btnControlla"));
    auto *chiudi = w->findChild<QPushButton *>(QStringLiteral("btnChiudi"));
    QVERIFY(entry && controlla && chiudi);
    QCOMPARE(controlla->text(), QStringLiteral("Controlla"));
    QCOMPARE(chiudi->text(), QStringLiteral("Chiudi"));
    QCOMPARE(entry->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(entry->font().pointSize(), 20);
    QVERIFY(entry->font().bold());
    QCOMPARE(entry->maxLength(), limit);
    QVERIFY(!(w->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));

    QVERIFY(showActive(w.get()));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QCOMPARE(QApplication::focusWidget(), entry);
    // Controlla beside the field, Chiudi centred below them.
    QVERIFY(controlla->geometry().left() >= entry->geometry().right());
    QVERIFY(qAbs(controlla->geometry().center().y() - entry->geometry().center().y()) <= 2);
    QVERIFY(chiudi->geometry().top() > entry->geometry().bottom());
    QVERIFY(qAbs(chiudi->geometry().center().x() - w->rect().center().x()) <= 1);
    QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblTitolo"))->geometry().bottom() < entry->geometry().top());

    // Tab order field -> Controlla -> Chiudi; Tab is one of the keys the digit fields swallow.
    QTest::keyClick(entry, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), tabMoves ? static_cast<QWidget *>(controlla) : entry);
    controlla->setFocus();
    QTest::keyClick(controlla, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), chiudi);

    // Enter in the field moves to Controlla without checking.
    entry->setFocus();
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), controlla);
    QVERIFY(Seams::Messages::shown().isEmpty());

    // The window is left only through its own button: Chiudi, or Escape, which presses it.
    QTest::mouseClick(chiudi, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QVERIFY(showActive(w.get()));
    QTest::keyClick(entry, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    QVERIFY(Seams::Messages::shown().isEmpty());
}

void TestChecksWindows::check_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("staysOpen");

    const int warning = int(MsgKind::Warning);
    const int information = int(MsgKind::Information);

    const QString cfLength = QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                                            "alfanumerici.");
    const QString cfValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
    const QString cfWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
    QTest::newRow("cf empty") << int(CodFisc) << QString() << warning << cfLength << true;
    QTest::newRow("cf 15") << int(CodFisc) << QStringLiteral("RSSMRA85T10A562") << warning << cfLength << true;
    QTest::newRow("cf 17 handed over") << int(CodFisc) << QStringLiteral("RSSMRA85T10A562SX") << warning << cfLength
                                       << true;
    QTest::newRow("cf valid") << int(CodFisc) << QStringLiteral("RSSMRA85T10A562S") << information << cfValid << false;
    QTest::newRow("cf worked example") << int(CodFisc) << QStringLiteral("AAAAAA00A00A000I") << information << cfValid
                                       << false;
    QTest::newRow("cf handed in small letters")
        << int(CodFisc) << QStringLiteral("rssmra85t10a562s") << information << cfValid << false;
    QTest::newRow("cf wrong") << int(CodFisc) << QStringLiteral("AAAAAA00A00A000J") << warning << cfWrong << false;
    QTest::newRow("cf accented") << int(CodFisc) << QStringLiteral("RSSMRÀ85T10A562S") << warning << cfWrong << false;
    QTest::newRow("cf hyphen") << int(CodFisc) << QStringLiteral("RSSMRA-5T10A562S") << warning << cfWrong << false;
    QTest::newRow("cf blank in front, not trimmed")
        << int(CodFisc) << QStringLiteral(" RSSMRA85T10A562") << warning << cfWrong << false;

    const QString vatLength = QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri "
                                             "numerici.");
    const QString vatWrong = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                            "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che "
                                            "lo ha rilasciato.");
    const QString vatValid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                            "E' stato rilasciato dall'Ufficio IVA del Comune di %1.");
    const QString vatNoOffice = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                               "Il codice dell'Ufficio IVA che lo ha rilasciato (%1) non è presente "
                                               "nell'elenco degli uffici.");
    QTest::newRow("vat empty") << int(PartitaIva) << QString() << warning << vatLength << true;
    QTest::newRow("vat 10") << int(PartitaIva) << QStringLiteral("1234567120") << warning << vatLength << true;
    QTest::newRow("vat 16 digits handed over")
        << int(PartitaIva) << QStringLiteral("1234567890123456") << warning << vatLength << true;
    QTest::newRow("vat Roma 1") << int(PartitaIva) << QStringLiteral("00000000588") << information
                                << vatValid.arg(QStringLiteral("Roma 1")) << false;
    QTest::newRow("vat 120") << int(PartitaIva) << QStringLiteral("12345671205") << information
                             << vatValid.arg(QStringLiteral("Bologna 2")) << false;
    QTest::newRow("vat 101") << int(PartitaIva) << QStringLiteral("12345671015") << information
                             << vatValid.arg(QStringLiteral("Bologna 2")) << false;
    QTest::newRow("vat 102") << int(PartitaIva) << QStringLiteral("12345671023") << information
                             << vatValid.arg(QStringLiteral("Napoli 2")) << false;
    QTest::newRow("vat 121") << int(PartitaIva) << QStringLiteral("12345671213") << information
                             << vatValid.arg(QStringLiteral("Napoli 2")) << false;
    QTest::newRow("vat Forlì") << int(PartitaIva) << QStringLiteral("02112340407") << information
                               << vatValid.arg(QStringLiteral("Forlì")) << false;
    QTest::newRow("vat office 000") << int(PartitaIva) << QStringLiteral("00000000000") << information
                                    << vatNoOffice.arg(QStringLiteral("000")) << false;
    QTest::newRow("vat office 119") << int(PartitaIva) << QStringLiteral("12345671197") << information
                                    << vatNoOffice.arg(QStringLiteral("119")) << false;
    QTest::newRow("vat wrong") << int(PartitaIva) << QStringLiteral("12345671204") << warning << vatWrong << false;
    QTest::newRow("vat letter handed over")
        << int(PartitaIva) << QStringLiteral("1234567120A") << warning << vatWrong << false;

    const QString cardEmpty = QStringLiteral("Attenzione: immettere il numero di carta di credito prima di premere il "
                                             "pulsante di controllo.");
    const QString cardWrong = QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi "
                                             "possibile fornire informazioni relative al tipo di carta di credito.");
    const QString cardValid = QStringLiteral("Il numero di carta di credito %1 risulta valido.\r\n\r\n"
                                             "La carta di credito è del tipo %2.");
    const QString cardUnknown = QStringLiteral("Il numero di carta di credito %1 risulta valido.\r\n\r\n"
                                               "Non è possibile determinare il tipo di carta di credito.");
    QTest::newRow("card empty") << int(Carta) << QString() << warning << cardEmpty << true;
    QTest::newRow("card blanks") << int(Carta) << QStringLiteral("   ") << warning << cardEmpty << true;
    QTest::newRow("card Visa") << int(Carta) << QStringLiteral("4111111111111111") << information
                               << cardValid.arg(QStringLiteral("4111111111111111"), QStringLiteral("Visa")) << false;
    QTest::newRow("card two digits") << int(Carta) << QStringLiteral("42") << information
                                     << cardValid.arg(QStringLiteral("42"), QStringLiteral("Visa")) << false;
    QTest::newRow("card MasterCard") << int(Carta) << QStringLiteral("5555555555554444") << information
                                     << cardValid.arg(QStringLiteral("5555555555554444"), QStringLiteral("MasterCard"))
                                     << false;
    QTest::newRow("card Discover") << int(Carta) << QStringLiteral("6011111111111117") << information
                                   << cardValid.arg(QStringLiteral("6011111111111117"), QStringLiteral("Discover"))
                                   << false;
    QTest::newRow("card Amex") << int(Carta) << QStringLiteral("378282246310005") << information
                               << cardValid.arg(QStringLiteral("378282246310005"), QStringLiteral("American Express"))
                               << false;
    QTest::newRow("card JCB") << int(Carta) << QStringLiteral("3530111333300000") << information
                              << cardValid.arg(QStringLiteral("3530111333300000"), QStringLiteral("JCB")) << false;
    QTest::newRow("card Diners") << int(Carta) << QStringLiteral("30569309025904") << information
                                 << cardValid.arg(QStringLiteral("30569309025904"),
                                                  QStringLiteral("Diner's Club / Carte Blanche"))
                                 << false;
    QTest::newRow("card groups repeated as handed")
        << int(Carta) << QStringLiteral("4111 1111 1111 1111") << information
        << cardValid.arg(QStringLiteral("4111 1111 1111 1111"), QStringLiteral("Visa")) << false;
    QTest::newRow("card 32, no network") << int(Carta) << QStringLiteral("320000000000003") << information
                                         << cardUnknown.arg(QStringLiteral("320000000000003")) << false;
    QTest::newRow("card 3 and blank, no network") << int(Carta) << QStringLiteral("3 20000000000003") << information
                                                  << cardUnknown.arg(QStringLiteral("3 20000000000003")) << false;
    QTest::newRow("card fails") << int(Carta) << QStringLiteral("5555555555554445") << warning << cardWrong << false;
    QTest::newRow("card passes, begins with 7")
        << int(Carta) << QStringLiteral("79927398713") << warning << cardWrong << false;
    QTest::newRow("card passes, begins with 2")
        << int(Carta) << QStringLiteral("22210000000009") << warning << cardWrong << false;

    const QString ibanLength = QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
    const QString ibanValid = QStringLiteral("L'IBAN digitato è VALIDO.");
    const QString ibanWrong = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");
    QTest::newRow("iban empty") << int(Iban) << QString() << warning << ibanLength << true;
    QTest::newRow("iban other country's length")
        << int(Iban) << QStringLiteral("GB82WEST12345698765432") << warning << ibanLength << true;
    QTest::newRow("iban valid") << int(Iban) << QStringLiteral("IT60X0542811101000000123456") << information
                                << ibanValid << false;
    QTest::newRow("iban France") << int(Iban) << QStringLiteral("FR1420041010050500013M02606") << information
                                 << ibanValid << false;
    QTest::newRow("iban handed in small letters")
        << int(Iban) << QStringLiteral("it60x0542811101000000123456") << information << ibanValid << false;
    QTest::newRow("iban word in front") << int(Iban) << QStringLiteral("IBAN GB82WEST12345698765432") << information
                                        << ibanValid << false;
    QTest::newRow("iban inner blanks") << int(Iban) << QStringLiteral("DE89 3704 0044 0532 0130 00") << information
                                       << ibanValid << false;
    QTest::newRow("iban last digit 7") << int(Iban) << QStringLiteral("IT60X0542811101000000123457") << warning
                                       << ibanWrong << false;
    QTest::newRow("iban 28 with hyphen") << int(Iban) << QStringLiteral("IT60-X0542811101000000123456") << warning
                                         << ibanLength << true;
    QTest::newRow("iban hyphens, 27") << int(Iban) << QStringLiteral("GB82-WEST-1234-5698-7654-32") << warning
                                      << ibanWrong << false;
}

void TestChecksWindows::check()
{
    QFETCH(int, window);
    QFETCH(QString, entry);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(bool, staysOpen);

    auto w = make(window);
    w->setEntry(entry);
    QVERIFY(showActive(w.get()));
    QTest::mouseClick(w->btnControlla, Qt::LeftButton);

    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(int(Seams::Messages::last().kind), kind);
    QCOMPARE(Seams::Messages::last().text, message);
    QCOMPARE(w->isVisible(), staysOpen);
    // The check reports only: the field keeps the text as it was.
    QCOMPARE(w->entry()->text(), entry);
    if (staysOpen)
        QCOMPARE(QApplication::focusWidget(), w->entry());
}

void TestChecksWindows::typing_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("cf capitals") << int(CodFisc) << QStringLiteral("rssmra85t10a562s")
                                 << QStringLiteral("RSSMRA85T10A562S");
    QTest::newRow("cf blanks at the ends vanish") << int(CodFisc) << QStringLiteral("  rss ") << QStringLiteral("RSS");
    QTest::newRow("cf blank inside stays") << int(CodFisc) << QStringLiteral("rssmra←←← ") << QStringLiteral("RSS MRA");
    QTest::newRow("cf accents kept") << int(CodFisc) << QStringLiteral("àb-c") << QStringLiteral("àB-C");
    QTest::newRow("cf stops at 16") << int(CodFisc) << QStringLiteral("rssmra85t10a562sxyz")
                                    << QStringLiteral("RSSMRA85T10A562S");
    QTest::newRow("vat letters, blanks, punctuation ignored")
        << int(PartitaIva) << QStringLiteral("12a b-3.,/x") << QStringLiteral("123");
    QTest::newRow("vat Home swallowed") << int(PartitaIva) << QStringLiteral("123⇱4") << QStringLiteral("1234");
    QTest::newRow("vat End swallowed") << int(PartitaIva) << QStringLiteral("123←←⇲4") << QStringLiteral("1423");
    QTest::newRow("vat arrows work") << int(PartitaIva) << QStringLiteral("123←4→5") << QStringLiteral("12435");
    QTest::newRow("vat Backspace and Delete work")
        << int(PartitaIva) << QStringLiteral("1234⌫←←⌦") << QStringLiteral("13");
    QTest::newRow("vat stops at 11") << int(PartitaIva) << QStringLiteral("123456789012345")
                                     << QStringLiteral("12345678901");
    QTest::newRow("card only digits") << int(Carta) << QStringLiteral("4111 1111-1111a1111")
                                      << QStringLiteral("4111111111111111");
    QTest::newRow("card Home swallowed") << int(Carta) << QStringLiteral("411⇱5") << QStringLiteral("4115");
    QTest::newRow("card stops at 30") << int(Carta) << QString(35, QLatin1Char('7')) << QString(30, QLatin1Char('7'));
    QTest::newRow("iban capitals") << int(Iban) << QStringLiteral("it60x0542811101000000123456")
                                   << QStringLiteral("IT60X0542811101000000123456");
    QTest::newRow("iban blanks at the ends vanish") << int(Iban) << QStringLiteral(" gb82 ") << QStringLiteral("GB82");
    QTest::newRow("iban blank inside stays")
        << int(Iban) << QStringLiteral("it60x054←←← ") << QStringLiteral("IT60X 054");
    QTest::newRow("iban no key filtered") << int(Iban) << QStringLiteral("it-60/⇱é") << QStringLiteral("éIT-60/");
    QTest::newRow("iban stops at 27") << int(Iban) << QStringLiteral("it60x0542811101000000123456789")
                                      << QStringLiteral("IT60X0542811101000000123456");
}

void TestChecksWindows::typing()
{
    QFETCH(int, window);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    auto w = make(window);
    QVERIFY(showActive(w.get()));
    type(w->entry(), keys);
    QCOMPARE(w->entry()->text(), text);
    QCOMPARE(QApplication::focusWidget(), w->entry());
}

void TestChecksWindows::handedTextOnlyShrinks()
{
    // A fiscal-code entry of 16 digits goes to the VAT window whole; the user may shorten it, not lengthen it.
    TfrmPartitaIva w;
    w.setEntry(QStringLiteral("1234567890123456"));
    QVERIFY(showActive(&w));
    QCOMPARE(w.txtPartitaIva->text(), QStringLiteral("1234567890123456"));
    type(w.txtPartitaIva, QStringLiteral("←⌫7"));
    QCOMPARE(w.txtPartitaIva->text(), QStringLiteral("123456789012346"));
    type(w.txtPartitaIva, QStringLiteral("⌫⌫⌫⌫⌫"));
    QCOMPARE(w.txtPartitaIva->text(), QStringLiteral("1234567896"));
    type(w.txtPartitaIva, QStringLiteral("88"));
    QCOMPARE(w.txtPartitaIva->text(), QStringLiteral("12345678986"));
}

void TestChecksWindows::opening_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("fieldText");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("entry");
    QTest::newRow("fiscal code") << int(CodFisc) << QStringLiteral("  rssmra85t10a562s ")
                                 << QStringLiteral("frmCodFisc") << QStringLiteral("rssmra85t10a562s");
    QTest::newRow("fiscal code empty") << int(CodFisc) << QStringLiteral("   ") << QStringLiteral("frmCodFisc")
                                       << QString();
    QTest::newRow("fiscal code with inner blank")
        << int(CodFisc) << QStringLiteral(" 0123 4567 ") << QStringLiteral("frmCodFisc") << QStringLiteral("0123 4567");
    QTest::newRow("digits to VAT") << int(CodFisc) << QStringLiteral(" 12345671205 ") << QStringLiteral("frmPartitaIva")
                                   << QStringLiteral("12345671205");
    QTest::newRow("16 digits to VAT, whole") << int(CodFisc) << QStringLiteral("1234567890123456")
                                             << QStringLiteral("frmPartitaIva") << QStringLiteral("1234567890123456");
    QTest::newRow("VAT") << int(PartitaIva) << QStringLiteral(" 00000000588  ") << QStringLiteral("frmPartitaIva")
                         << QStringLiteral("00000000588");
    QTest::newRow("card") << int(Carta) << QStringLiteral(" 4111 1111 1111 1111 ") << QStringLiteral("frmCarta")
                          << QStringLiteral("4111 1111 1111 1111");
    QTest::newRow("IBAN") << int(Iban) << QStringLiteral(" it60x0542811101000000123456") << QStringLiteral("frmIban")
                          << QStringLiteral("it60x0542811101000000123456");
}

void TestChecksWindows::opening()
{
    QFETCH(int, button);
    QFETCH(QString, fieldText);
    QFETCH(QString, window);
    QFETCH(QString, entry);

    QWidget editor;
    QPointer<QWidget> opened;
    QString openedName, openedEntry;
    QWidget *openedParent = nullptr;
    TestSupport::onNextModal([&](QWidget *modal) {
        opened = modal;
        if (auto *w = qobject_cast<TCheckWindow *>(modal)) {
            openedName = w->objectName();
            openedParent = w->parentWidget();
            openedEntry = w->entry()->text();
            w->btnChiudi->click();
        } else if (modal) {
            modal->close();
        }
    });
    switch (button) {
    case CodFisc:
        IdentifierCheck::openFiscalCodeCheck(&editor, fieldText);
        break;
    case PartitaIva:
        IdentifierCheck::openVatCheck(&editor, fieldText);
        break;
    case Carta:
        IdentifierCheck::openCardCheck(&editor, fieldText);
        break;
    default:
        IdentifierCheck::openIbanCheck(&editor, fieldText);
    }
    QVERIFY(!openedName.isEmpty());
    QCOMPARE(openedName, window);
    QCOMPARE(openedParent, &editor);
    QCOMPARE(openedEntry, entry);
    QVERIFY(!opened); // freed when it closed
    QVERIFY(editor.findChildren<TCheckWindow *>().isEmpty());
    QVERIFY(Seams::Messages::shown().isEmpty());
}

void TestChecksWindows::openingToVerdict()
{
    // An all-digit fiscal code is checked as a VAT number and names its office; the editor's text is untouched.
    QWidget editor;
    bool ran = false;
    QString focused;
    TestSupport::onNextModal([&](QWidget *modal) {
        auto *w = qobject_cast<TfrmPartitaIva *>(modal);
        if (w) {
            ran = true;
            focused = w->focusWidget() ? w->focusWidget()->objectName() : QString();
            QTest::keyClick(w->txtPartitaIva, Qt::Key_Return);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return); // a second Enter presses Controlla
        }
        if (modal && modal->isVisible())
            modal->close();
    });
    IdentifierCheck::openFiscalCodeCheck(&editor, QStringLiteral("00000000588"));
    QVERIFY(ran);
    QCOMPARE(focused, QStringLiteral("txtPartitaIva"));
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QVERIFY(Seams::Messages::last().text.endsWith(QStringLiteral("Comune di Roma 1.")));
}

QTEST_MAIN(TestChecksWindows)
#include "test_checks_windows.moc"

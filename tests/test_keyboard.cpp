// The slip editor and the main menu driven from the keyboard, as an office worker uses them all day.

#include "EditorFixture.h"
#include "TestSupport.h"

#include "app/Avvio.h"
#include "app/Guida.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/EditorWindow.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "slips/Bollettino.h"
#include "slips/DaSaldare.h"
#include "slips/StampaBolTer.h"
#include "slips/TrovaBollettini.h"
#include "tests/PdfText.h"
#include "tests/SlipFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The window's own focus: after a modal window the platform may leave no window active.
QString focusName(QWidget *window)
{
    QWidget *w = window->focusWidget();
    return w ? w->objectName() : QString();
}

} // namespace

class TestKeyboard : public QObject, private EditorFixture<TfrmBollettino> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void editorOpensMaximisedWithTheTabOrderOfTheSlip();
    void typedAmountsReplaceWhatTheFieldsHeld();
    void calendarImportMovesTheFocusOn();
    void textThatIsNotDigitsIsNeverStored();
    void everyShortcutReachesItsCommand_data();
    void everyShortcutReachesItsCommand();
    void printReadsTheEditorWithoutChangingIt();
    void printingWithoutAPrinterAsksWhereThePdfGoes();
    void enterOnAListLineHandsTheSlipBack();
    void mainMenuByKeys();

private:
    void openYearByKeys(const QString &year = QStringLiteral("2024"));
    void typeSlip();
};

void TestKeyboard::init()
{
    setUpEditor();
}

void TestKeyboard::cleanup()
{
    tearDownEditor();
}

void TestKeyboard::openYearByKeys(const QString &year)
{
    ed->txtAnno->setFocus();
    QTest::keyClicks(ed->txtAnno, year);
    QTest::keyClick(ed->txtAnno, Qt::Key_Return);
    QCOMPARE(focusName(ed), QStringLiteral("btnApri"));
    QTest::keyClick(ed->btnApri, Qt::Key_Return); // Enter on the focused "Apri" opens the year
    QVERIFY(ed->panContainer->isVisible());
}

// 16 euro and 5 cents, typed with Enter between the fields as the office does.
void TestKeyboard::typeSlip()
{
    QCOMPARE(focusName(ed), QStringLiteral("txtImporto"));
    QTest::keyClicks(ed->txtImporto, QStringLiteral("16"));
    QTest::keyClick(ed->txtImporto, Qt::Key_Return);
    QCOMPARE(focusName(ed), QStringLiteral("txtCents"));
    QTest::keyClicks(ed->txtCents, QStringLiteral("5"));
    QTest::keyClick(ed->txtCents, Qt::Key_Return);
    QTest::keyClicks(ed->txtEsecutore, QStringLiteral("popescu ion"));
    ed->txtDataScade->setText(QStringLiteral("31/03/2024"));
}

void TestKeyboard::editorOpensMaximisedWithTheTabOrderOfTheSlip()
{
    const QRect screen = ed->screen()->availableGeometry();
    QVERIFY(ed->isMaximized());
    QVERIFY(ed->frameGeometry().contains(screen.center()));
    QVERIFY(ed->width() >= screen.width() - 8);
    const QPoint stageCentre = ed->panStage->mapTo(ed, ed->panStage->rect().center());
    QVERIFY(qAbs(stageCentre.x() - ed->rect().center().x()) <= 1);
    QVERIFY(qAbs(stageCentre.y() - ed->rect().center().y()) <= 1);

    openYearByKeys();
    const QStringList order = {
        QStringLiteral("txtImporto"),     QStringLiteral("txtCents"),     QStringLiteral("txtImpLettere"),
        QStringLiteral("txtCentLettere"), QStringLiteral("txtEsecutore"), QStringLiteral("txtIndirizzoRes"),
        QStringLiteral("txtCapRes"),      QStringLiteral("txtComuneRes"), QStringLiteral("txtDataScade"),
        QStringLiteral("txtDataPaga"),    QStringLiteral("txtTimbro"),    QStringLiteral("txtNote"),
        QStringLiteral("chkSaldato"),     QStringLiteral("txtImporto")};
    QCOMPARE(focusName(ed), order.first());
    QStringList walked{focusName(ed)};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << focusName(ed);
    }
    QCOMPARE(walked, order);
}

void TestKeyboard::typedAmountsReplaceWhatTheFieldsHeld()
{
    openYearByKeys();
    // 16, Enter, 5 over the "00" the cents field holds, leave: 50 in both cents fields.
    typeSlip();
    QCOMPARE(ed->txtCents->text(), QStringLiteral("50"));
    QCOMPARE(ed->txtCentLettere->text(), QStringLiteral("50"));
    QCOMPARE(ed->txtImpLettere->text(), QStringLiteral("SEDICI"));
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("POPESCU ION"));

    // Saved as 18 euro, duplicated, 25 typed over the amount: 25 and its words, never 1825.
    ed->txtImporto->setFocus();
    QTest::keyClicks(ed->txtImporto, QStringLiteral("18"));
    QTest::keyClick(ed->txtImporto, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(ed->lblPosizione->text(), QString());
    QCOMPARE(focusName(ed), QStringLiteral("txtImporto"));
    QTest::keyClicks(ed->txtImporto, QStringLiteral("25"));
    QCOMPARE(ed->txtImporto->text(), QStringLiteral("25"));
    QCOMPARE(ed->txtImpLettere->text(), QStringLiteral("VENTICINQUE"));
}

void TestKeyboard::calendarImportMovesTheFocusOn()
{
    openYearByKeys();
    ed->txtComuneRes->setFocus();
    QTest::keyClick(ed->txtComuneRes, Qt::Key_Return);
    QCOMPARE(focusName(ed), QStringLiteral("txtDataScade"));
    bool imported = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *calendar = qobject_cast<TfrmCalendario *>(w);
        QVERIFY(calendar);
        QTest::keyClick(calendar->btnImportaData, Qt::Key_Return);
        imported = true;
    });
    QTest::keyClick(ed->txtDataScade, Qt::Key_Return); // Enter in a date field opens the calendar
    QVERIFY(imported);
    QCOMPARE(ed->txtDataScade->text(), QStringLiteral("15/03/2024"));
    // The next Enter belongs to the payment date, not to the calendar of the due date again.
    QCOMPARE(focusName(ed), QStringLiteral("txtDataPaga"));

    // Annulla imports nothing and leaves the focus where it was.
    TestSupport::onNextModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    QTest::keyClick(ed->txtDataPaga, Qt::Key_Return);
    QCOMPARE(ed->txtDataPaga->text(), QString());
    QCOMPARE(focusName(ed), QStringLiteral("txtDataPaga"));
}

void TestKeyboard::textThatIsNotDigitsIsNeverStored()
{
    // The year names a file: "../x" can neither be pasted nor open a year.
    ed->txtAnno->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("../x"));
    ed->txtAnno->selectAll();
    QTest::keySequence(ed->txtAnno, QKeySequence::Paste);
    QCOMPARE(ed->txtAnno->text(), QStringLiteral("2024"));
    ed->txtAnno->setText(QStringLiteral("../x"));
    ed->btnApri->click();
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
    QVERIFY(ed->lblFile->text().isEmpty());
    ed->txtAnno->clear();

    openYearByKeys();
    typeSlip();
    QGuiApplication::clipboard()->setText(QStringLiteral("12ab1"));
    ed->txtImporto->setFocus();
    QTest::keySequence(ed->txtImporto, QKeySequence::Paste);
    QCOMPARE(ed->txtImporto->text(), QStringLiteral("16"));

    // However it got there, an amount that is not digits stops the save like the other checks.
    Seams::Messages::clear();
    ed->txtImporto->setText(QStringLiteral("12ab1"));
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QVERIFY(Seams::Messages::last().text.startsWith(
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'importo da versare")));
    QCOMPARE(focusName(ed), QStringLiteral("txtImporto"));
    QVERIFY(!QFile::exists(folder->file(QStringLiteral("2024.pse"))));
    ed->txtImporto->setText(QStringLiteral("16"));
    ed->txtCents->setText(QStringLiteral("1e"));
    ed->cmdSalvaClick();
    QCOMPARE(focusName(ed), QStringLiteral("txtCents"));
    QVERIFY(!QFile::exists(folder->file(QStringLiteral("2024.pse"))));
}

void TestKeyboard::everyShortcutReachesItsCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("opensWindow"); // a window of its own, closed again at once
    QTest::newRow("Salva") << "cmdSalva" << QKeySequence(Qt::CTRL | Qt::Key_S) << false;
    QTest::newRow("Nuovo") << "cmdNuovo" << QKeySequence(Qt::CTRL | Qt::Key_N) << false;
    QTest::newRow("Duplica") << "cmdDuplica" << QKeySequence(Qt::CTRL | Qt::Key_D) << false;
    QTest::newRow("Trova") << "cmdTrova" << QKeySequence(Qt::CTRL | Qt::Key_F) << true;
    QTest::newRow("Stampa") << "cmdStampa" << QKeySequence(Qt::CTRL | Qt::Key_P) << true;
    QTest::newRow("Guida") << "cmdGuida" << QKeySequence(Qt::Key_F1) << false;
    QTest::newRow("first") << "cmdPrimo" << QKeySequence(Qt::ALT | Qt::Key_Home) << false;
    QTest::newRow("previous") << "cmdIndietro" << QKeySequence(Qt::ALT | Qt::Key_PageUp) << false;
    QTest::newRow("next") << "cmdAvanti" << QKeySequence(Qt::ALT | Qt::Key_PageDown) << false;
    QTest::newRow("last") << "cmdUltimo" << QKeySequence(Qt::ALT | Qt::Key_End) << false;
    QTest::newRow("Anteprima") << "cmdAnteprima" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P) << true;
    QTest::newRow("Esporta") << "cmdEsporta" << QKeySequence(Qt::CTRL | Qt::Key_E) << true;
    QTest::newRow("Da saldare") << "cmdDaSaldare" << QKeySequence(Qt::Key_F5) << true;
    QTest::newRow("Scaduti") << "cmdScaduti" << QKeySequence(Qt::Key_F6) << true;
}

void TestKeyboard::everyShortcutReachesItsCommand()
{
    QFETCH(QString, command);
    QFETCH(QKeySequence, key);
    QFETCH(bool, opensWindow);
    auto *picture = ed->findChild<Picture *>(command);
    QVERIFY(picture);
    QSignalSpy clicked(picture, &Picture::clicked);
    // On the year panel the slip's commands are not there to be reached.
    QTest::keySequence(ed->txtAnno, key);
    QCOMPARE(clicked.count(), 0);

    openYearByKeys();
    // From every kind of field, digits and date fields included, where a key could be taken for typing.
    for (QWidget *from : {static_cast<QWidget *>(ed->txtImporto), static_cast<QWidget *>(ed->txtEsecutore),
                          static_cast<QWidget *>(ed->txtDataScade), static_cast<QWidget *>(ed->chkSaldato)}) {
        ed->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ed));
        from->setFocus();
        if (opensWindow)
            TestSupport::onNextModal([](QWidget *w) { w->close(); });
        QTest::keySequence(from, key);
        QCoreApplication::processEvents();
    }
    QCOMPARE(clicked.count(), 4);
    QCOMPARE(ed->txtDataScade->text(), QString()); // no calendar was asked for

    // The status hint names the key.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(picture, &enter);
    QVERIFY2(ed->panInfo->text().endsWith(QStringLiteral(" (") + key.toString() + QLatin1Char(')')),
             qPrintable(ed->panInfo->text()));
    // And the guide lists it.
    bool listed = false;
    for (const auto &[k, caption] : TEditorWindow::keyList())
        listed = listed || k == key.toString();
    QVERIFY(listed);
}

void TestKeyboard::printReadsTheEditorWithoutChangingIt()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    openYearByKeys();
    ed->txtImporto->setFocus();
    QTest::keyClicks(ed->txtImporto, QStringLiteral("16"));
    QTest::keyClick(ed->txtImporto, Qt::Key_Return);
    QTest::keyClicks(ed->txtCents, QStringLiteral("7")); // not yet padded: the focus is still here
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("slip.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    bool printed = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *print = qobject_cast<TfrmStampaBolTer *>(w);
        QVERIFY(print);
        print->btnStampa->click();
        printed = true;
    });
    QTest::keyClick(ed->txtCents, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(printed);
    QCOMPARE(ed->txtCents->text(), QStringLiteral("7"));
    QCOMPARE(ed->txtCentLettere->text(), QStringLiteral("7"));
    QCOMPARE(focusName(ed), QStringLiteral("txtCents"));
    // Cent box 02 of section A (left edge 76.2 mm, top 16.2 mm, 2.8 x 3.4 mm) holds the 7; box 01 nothing.
    int inBox02 = 0, inBox01 = 0;
    for (const auto &w : PdfText::words(pdf)) {
        const QPointF c = w.mm.center();
        if (qAbs(c.y() - 17.9) > 1.0)
            continue;
        if (qAbs(c.x() - 77.6) < 0.8)
            inBox02 += w.text == u"7";
        if (qAbs(c.x() - 73.4) < 0.8)
            ++inBox01;
    }
    QCOMPARE(inBox02, 1);
    QCOMPARE(inBox01, 0);
}

void TestKeyboard::printingWithoutAPrinterAsksWhereThePdfGoes()
{
    openYearByKeys();
    typeSlip();
    Seams::Printing::setNoPrinter(true);
    QTemporaryDir dir;
    // Annulla in the box that says so, Annulla in the file dialog, a file chosen.
    enum { BoxCancelled, DialogCancelled, Chosen };
    for (const int step : {BoxCancelled, DialogCancelled, Chosen}) {
        Seams::Messages::clear();
        Seams::FileDialog::asked().clear();
        if (step == BoxCancelled)
            Seams::Messages::setNextAnswer(Seams::Answer::Cancel);
        else // the box cancelled, no file dialog comes
            Seams::FileDialog::setNextFileName(step == Chosen ? dir.filePath(QStringLiteral("bollettino")) : QString());
        TfrmStampaBolTer w(ed);
        w.show();
        w.btnStampa->click();
        QCOMPARE(Seams::FileDialog::asked(),
                 step == BoxCancelled ? QStringList{} : QStringList{QStringLiteral("Salva la stampa in formato PDF")});
        QVERIFY(Seams::Messages::shown().first().text.startsWith(QStringLiteral("Nessuna stampante è installata")));
        const QString pdf = dir.filePath(QStringLiteral("bollettino.pdf"));
        QCOMPARE(QFile::exists(pdf), step == Chosen);
        if (step == Chosen) {
            QVERIFY(Seams::Messages::last().text.endsWith(pdf));
            QVERIFY(QFile(pdf).size() > 0);
        }
    }
}

void TestKeyboard::enterOnAListLineHandsTheSlipBack()
{
    openYearByKeys();
    SlipFixture::write(ed->lblFile->text(),
                       {SlipFixture::Slip(QStringLiteral("ROSSI MARIO")),
                        SlipFixture::Slip(QStringLiteral("BIANCHI ANNA"), QStringLiteral("20/03/2024"),
                                          QStringLiteral("No"), QStringLiteral("25,00"))});
    bool chosen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *list = qobject_cast<TfrmDaSaldare *>(w);
        QVERIFY(list);
        QCOMPARE(focusName(list), QStringLiteral("txtTrova"));
        QTest::keyClick(list->txtTrova, Qt::Key_Tab); // to the list
        QTest::keyClick(list->lstRecords, Qt::Key_Down);
        QCOMPARE(list->lstRecords->selectedRow(), 0);
        QTest::keyClick(list->lstRecords, Qt::Key_Return);
        chosen = !list->isVisible();
    });
    ed->cmdDaSaldareClick();
    QVERIFY(chosen);
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("BIANCHI ANNA")); // the first line in order
    QCOMPARE(ed->txtImporto->text(), QStringLiteral("25"));
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(Seams::Printing::previewCount(), 0);
}

void TestKeyboard::mainMenuByKeys()
{
    auto *menu = new TfrmAvvio;
    Forms::add(menu);
    menu->updateTiles();
    ed->hide();
    QVERIFY(TestSupport::showActive(menu));
    // The registry and the agenda are not in this build: the slips' tile is the first that opens.
    QCOMPARE(focusName(menu), QStringLiteral("imgBollettini"));
    QStringList walked;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << focusName(menu);
    }
    const QStringList expected = {QStringLiteral("imgCopyright"), QStringLiteral("imgSito"),
                                  QStringLiteral("imgEsci"),      QStringLiteral("imgInfo"),
                                  QStringLiteral("imgCopie"),     QStringLiteral("imgGuida"),
                                  QStringLiteral("imgBollettini")};
    QCOMPARE(walked, expected);

    // Space on the help icon opens the help; Enter on the slips' tile opens the slip editor.
    QTest::keyClick(menu->imgBollettini, Qt::Key_Backtab);
    QCOMPARE(focusName(menu), QStringLiteral("imgGuida"));
    QTest::keyClick(menu->imgGuida, Qt::Key_Space);
    QCOMPARE(TestSupport::helpTitle(), QStringLiteral("Uno sguardo a Versalia."));
    menu->imgBollettini->setFocus(Qt::TabFocusReason);
    QTest::keyClick(menu->imgBollettini, Qt::Key_Return);
    QVERIFY(ed->isVisible());
    QVERIFY(!menu->isVisible());
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"

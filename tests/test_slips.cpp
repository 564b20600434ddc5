#include "EditorFixture.h"
#include "TestSupport.h"

#include "core/ArchiveTexts.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "slips/AmountInWords.h"
#include "slips/Bollettino.h"
#include "slips/SlipRecord.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace TestSupport;

class TestSlips : public QObject, private EditorFixture<TfrmBollettino> {
    Q_OBJECT
public:
    TestSlips() : EditorFixture(QStringLiteral("2024")) {}

private slots:
    void amountInWords_data();
    void amountInWords();
    void init();
    void cleanup();
    void yearPanel();
    void wordsFollowTyping();
    void saveChecksInOrder();
    void saveStoresEveryFieldAtItsOffset();
    void paidFieldOverwritesSameRecord();
    void duplicate();
    void navigationAtBothEnds();
    void enterChainAndCalendar();
    void dateFieldKeys();
    void typingRules();
    void commandsOpenTheirWindows();
    void help();

private:
    void fillValidSlip();
};

void TestSlips::amountInWords_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("words");
    const std::pair<const char *, const char16_t *> rows[] = {
        {"0", u"ZERO"},
        {"16", u"SEDICI"},
        {"21", u"VENTUNO"},
        {"28", u"VENTIOTTO"},
        {"38", u"TRENTAOTTO"},
        {"101", u"CENTOUNO"},
        {"108", u"CENTOOTTO"},
        {"121", u"CENTOVENTUNO"},
        {"180", u"CENTOOTTANTA"},
        {"999", u"NOVECENTONOVANTANOVE"},
        {"1000", u"MILLE"},
        {"1001", u"MILLEUNO"},
        {"2000", u"DUEMILA"},
        {"21000", u"VENTUNOMILA"},
        {"101000", u"CENTOUNOMILA"},
        {"1000000", u"UNMILIONE"},
        {"1000005", u"UNMILIONECINQUE"},
        {"1001000", u"UNMILIONEMILLE"},
        {"2000000", u"DUEMILIONI"},
        {"2500000", u"DUEMILIONICINQUECENTOMILA"},
        {"99999999", u"NOVANTANOVEMILIONINOVECENTONOVANTANOVEMILANOVECENTONOVANTANOVE"},
        {"1000000000", u"UNMILIARDO"},
        {"3000000021", u"TREMILIARDIVENTUNO"},
        {"00016", u"SEDICI"},
        {"16,50", u"SEDICI E CINQUANTA CENTESIMI"},
        {"0,50", u"ZERO E CINQUANTA CENTESIMI"},
        {"0,01", u"ZERO E UNO CENTESIMI"},
        {"0,005", u"ZERO"},                 // half to even: 0.5 cent rounds to 0
        {"0,015", u"ZERO E DUE CENTESIMI"}, // and 1.5 cents to 2
        {"-5", u"- CINQUE"},
        {"-16,5", u"- SEDICI E CINQUANTA CENTESIMI"},
    };
    for (const auto &[amount, words] : rows)
        QTest::newRow(amount) << QString::fromLatin1(amount) << QString::fromUtf16(words);
}

void TestSlips::amountInWords()
{
    QFETCH(QString, amount);
    QFETCH(QString, words);
    const auto value = ParseCurrency(amount);
    QVERIFY(value);
    QCOMPARE(AmountInWords(*value), words);
    QVERIFY(AmountInWords(*value).size() <= 250);
}

void TestSlips::init()
{
    setUpEditor();
}

void TestSlips::cleanup()
{
    tearDownEditor();
}

void TestSlips::fillValidSlip()
{
    ed->txtImporto->setFocus();
    QTest::keyClicks(ed->txtImporto, QStringLiteral("16"));
    ed->txtCents->setText(QStringLiteral("00"));
    ed->txtEsecutore->setText(QStringLiteral("ROSSI MARIO"));
    ed->txtIndirizzoRes->setText(QStringLiteral("VIA ROMA 1"));
    ed->txtCapRes->setText(QStringLiteral("00184"));
    ed->txtComuneRes->setText(QStringLiteral("ROMA"));
    ed->txtDataScade->setText(QStringLiteral("31/03/2024"));
}

void TestSlips::yearPanel()
{
    QVERIFY(ed->panAvvio->isVisible());
    QVERIFY(!ed->panContainer->isVisible());
    QCOMPARE(ed->txtAnno->text(), QStringLiteral("2024"));
    QCOMPARE(QApplication::focusWidget(), ed->txtAnno);
    QTest::keyClick(ed->txtAnno, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), ed->btnApri);

    openYear(QStringLiteral("24"));
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QVERIFY(ed->panAvvio->isVisible());

    openYear(QStringLiteral("0000"));
    QVERIFY(ed->panContainer->isVisible());
    QCOMPARE(ed->lblFile->text(), folder->file(QStringLiteral("0000.pse")));
    QCOMPARE(ed->windowTitle(), QStringLiteral(" Versalia - Compilazione e stampa bollettini postali anno 0000"));
    QVERIFY(!QFileInfo::exists(ed->lblFile->text())); // opening a year touches no file
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::emptyArchive());
    QVERIFY(QFileInfo::exists(ed->lblFile->text()));
}

void TestSlips::wordsFollowTyping()
{
    openYear();
    ed->txtImporto->setFocus();
    QTest::keyClicks(ed->txtImporto, QStringLiteral("1a6"));
    QCOMPARE(ed->txtImporto->text(), QStringLiteral("16")); // the letter never gets in
    QCOMPARE(ed->txtImpLettere->text(), QStringLiteral("SEDICI"));
    QTest::keyClick(ed->txtImporto, Qt::Key_Backspace);
    QTest::keyClick(ed->txtImporto, Qt::Key_Backspace);
    QCOMPARE(ed->txtImpLettere->text(), QString());

    // Text that is no number reaching the field by pasting empties the words and the editor stays usable.
    QApplication::clipboard()->setText(QStringLiteral("12x4"));
    ed->txtImporto->paste();
    QCOMPARE(ed->txtImpLettere->text(), QString());
    ed->txtImporto->setText(QString());
    QTest::keyClicks(ed->txtImporto, QStringLiteral("7"));
    QCOMPARE(ed->txtImpLettere->text(), QStringLiteral("SETTE"));

    ed->txtCents->setFocus();
    ed->txtCents->clear();
    QTest::keyClicks(ed->txtCents, QStringLiteral("5"));
    QCOMPARE(ed->txtCentLettere->text(), QStringLiteral("5"));
    ed->txtEsecutore->setFocus();
    QCOMPARE(ed->txtCents->text(), QStringLiteral("50"));
    QCOMPARE(ed->txtCentLettere->text(), QStringLiteral("50"));
    ed->txtCents->setFocus();
    ed->txtCents->clear();
    ed->txtEsecutore->setFocus();
    QCOMPARE(ed->txtCents->text(), QStringLiteral("00"));
    QCOMPARE(ed->txtCentLettere->text(), QStringLiteral("00"));
}

void TestSlips::saveChecksInOrder()
{
    openYear();
    struct Step {
        std::function<void()> change;
        QString message;
        QWidget *focus;
    };
    const QList<Step> steps = {
        {[] {}, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'importo da versare."),
         ed->txtImporto},
        {[this] {
             ed->txtImporto->setText(QStringLiteral("16"));
             ed->txtCents->clear();
         },
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i centesimi dell'importo da versare."),
         ed->txtCents},
        {[this] { ed->txtCents->setText(QStringLiteral("00")); },
         QStringLiteral(
             "Attenzione: per salvare la scheda è necessario indicare il nome dell'esecutore del versamento."),
         ed->txtEsecutore},
        {[this] { ed->txtEsecutore->setText(QStringLiteral("ROSSI")); },
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di scadenza del versamento."),
         ed->txtDataScade},
        {[this] { ed->txtDataScade->setText(QStringLiteral("31/02/2024")); },
         QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
                        "indicare una data valida nel formato gg/mm/anno."),
         ed->txtDataScade},
    };
    for (const auto &s : steps) {
        s.change();
        Seams::Messages::clear();
        ed->btnFocus->setFocus();
        ed->cmdSalvaClick();
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
        QCOMPARE(Seams::Messages::last().text, s.message);
        QCOMPARE(QApplication::focusWidget(), s.focus);
    }
    QVERIFY(!QFileInfo::exists(ed->lblFile->text())); // a refused save touches no file
}

void TestSlips::saveStoresEveryFieldAtItsOffset()
{
    openYear();
    fillValidSlip();
    ed->txtCents->setText(QStringLiteral("5"));
    ed->txtTimbro->setText(QStringLiteral("UP ROMA 12"));
    ed->txtNote->setText(QStringLiteral("Prima rata €"));
    ed->txtDataPaga->setText(QStringLiteral("01/04/2024"));
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inserted());
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(ed->txtCents->text(), QStringLiteral("50"));
    QCOMPARE(ed->txtCentLettere->text(), QStringLiteral("50"));
    QCOMPARE(ed->txtIntero->text(), QStringLiteral("16,50"));
    QCOMPARE(QApplication::focusWidget(), ed->btnFocus);

    const QByteArray rec = fileBytes(ed->lblFile->text());
    QCOMPARE(rec.size(), 2402);
    const struct {
        int offset, capacity;
        const char16_t *text;
    } expected[] = {
        {0, 8, u"16"},
        {9, 2, u"50"},
        {12, 250, u"SEDICI"},
        {263, 2, u"50"},
        {266, 11, u"16,50"},
        {278, 44, u"ROSSI MARIO"},
        {323, 22, u"VIA ROMA 1"},
        {346, 5, u"00184"},
        {352, 16, u"ROMA"},
        {369, 10, u"31/03/2024"},
        {380, 10, u"01/04/2024"},
        {391, 250, u"UP ROMA 12"},
        {642, 250, u"Prima rata €"},
        {893, 2, u"No"},
        {896, 250, u""},
        {2151, 250, u""},
    };
    for (const auto &e : expected)
        QCOMPARE(fieldAt(rec, e.offset, e.capacity), QString::fromUtf16(e.text));
}

void TestSlips::paidFieldOverwritesSameRecord()
{
    openYear();
    fillValidSlip();
    ed->chkSaldato->setChecked(true);
    ed->cmdSalvaClick();
    QCOMPARE(fileBytes(ed->lblFile->text()).mid(893, 3), QByteArray("\x02\x53\xEC", 3));
    ed->chkSaldato->setChecked(false);
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::savedChanges());
    const QByteArray all = fileBytes(ed->lblFile->text());
    QCOMPARE(all.size(), 2402);
    QCOMPARE(all.mid(893, 3), QByteArray("\x02\x4E\x6F", 3));
}

void TestSlips::duplicate()
{
    openYear();
    fillValidSlip();
    ed->cmdDuplicaClick();
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata "
                            "inserita in archivio."));
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("ROSSI MARIO"));

    ed->cmdSalvaClick();
    ed->lblFile01->setText(QStringLiteral("ricevuta.pdf"));
    ed->lblDesc01->setText(QStringLiteral("Ricevuta"));
    ed->chkSaldato->setChecked(true);
    ed->cmdDuplicaClick();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                            "premere Salva per inserire la scheda in archivio."));
    QCOMPARE(ed->lblPosizione->text(), QString());
    QCOMPARE(ed->lblFile01->text(), QString());
    QCOMPARE(ed->lblDesc01->text(), QString());
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("ROSSI MARIO"));
    QCOMPARE(ed->txtDataScade->text(), QStringLiteral("31/03/2024"));
    QVERIFY(ed->chkSaldato->isChecked());
    QCOMPARE(QApplication::focusWidget(), ed->txtImporto);
    ed->cmdSalvaClick();
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(fileBytes(ed->lblFile->text()).size(), 2 * 2402);
}

void TestSlips::navigationAtBothEnds()
{
    openYear();
    for (const char *name : {"UNO", "DUE", "TRE"}) {
        ed->cmdNuovoClick();
        fillValidSlip();
        ed->txtEsecutore->setText(QString::fromLatin1(name));
        ed->cmdSalvaClick();
    }
    Seams::Messages::clear();
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("UNO"));
    QTest::mouseClick(ed->cmdIndietro, Qt::LeftButton);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    QTest::mouseClick(ed->cmdAvanti, Qt::LeftButton);
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("DUE"));
    QCOMPARE(ed->txtImpLettere->text(), QStringLiteral("SEDICI")); // shown as stored
    QTest::mouseClick(ed->cmdUltimo, Qt::LeftButton);
    QTest::mouseClick(ed->cmdAvanti, Qt::LeftButton);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("3"));
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("TRE"));
    QVERIFY(Seams::Messages::shown().isEmpty());
    ed->cmdNuovoClick();
    QCOMPARE(ed->lblPosizione->text(), QString());
    QCOMPARE(ed->txtCents->text(), QStringLiteral("00"));
    QCOMPARE(ed->txtIntero->text(), QStringLiteral("0,00"));
    QCOMPARE(ed->txtEsecutore->text(), QString());
}

void TestSlips::enterChainAndCalendar()
{
    openYear();
    ed->txtComuneRes->setFocus();
    QTest::keyClick(ed->txtComuneRes, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), ed->txtDataScade);

    bool seen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *cal = qobject_cast<TfrmCalendario *>(w);
        QVERIFY(cal);
        seen = true;
        QCOMPARE(cal->lblMemory->text(), QStringLiteral("bollettino_datascade"));
        QCOMPARE(cal->calAppuntamenti->selectedDate(), QDate(2024, 3, 15));
        QTest::mouseClick(cal->btnImportaData, Qt::LeftButton);
    });
    QTest::keyClick(ed->txtDataScade, Qt::Key_Return);
    QVERIFY(seen);
    QCOMPARE(ed->txtDataScade->text(), QStringLiteral("15/03/2024"));

    // "Annulla" leaves the field as it was, and a field with a date opens on today all the same.
    seen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *cal = qobject_cast<TfrmCalendario *>(w);
        QVERIFY(cal);
        seen = true;
        QCOMPARE(cal->lblMemory->text(), QStringLiteral("bollettino_datapaga"));
        cal->calAppuntamenti->setSelectedDate(QDate(2024, 1, 2));
        QTest::mouseClick(cal->btnAnnulla, Qt::LeftButton);
    });
    ed->txtDataPaga->setFocus();
    QTest::keyClick(ed->txtDataPaga, Qt::Key_A);
    QVERIFY(seen);
    QCOMPARE(ed->txtDataPaga->text(), QString());
}

void TestSlips::dateFieldKeys()
{
    openYear();
    ed->txtDataScade->setText(QStringLiteral("31/03/2024"));
    ed->txtDataScade->setFocus();
    QTest::keyClick(ed->txtDataScade, Qt::Key_Delete); // no calendar: a modal window would block here
    QCOMPARE(ed->txtDataScade->text(), QString());
    ed->txtDataScade->setText(QStringLiteral("31/03/2024"));
    QTest::keyClick(ed->txtDataScade, Qt::Key_Backspace);
    QCOMPARE(ed->txtDataScade->text(), QString());
    QVERIFY(ed->txtDataScade->isReadOnly());
}

void TestSlips::typingRules()
{
    openYear();
    ed->txtIndirizzoRes->setFocus();
    typeText(ed->txtIndirizzoRes, QStringLiteral("via dè serragli"));
    QCOMPARE(ed->txtIndirizzoRes->text(), QStringLiteral("VIA Dè SERRAGLI"));
    ed->txtCapRes->setFocus();
    QTest::keyClicks(ed->txtCapRes, QStringLiteral(" ab1"));
    QCOMPARE(ed->txtCapRes->text(), QStringLiteral("AB1"));
    // A letter the archive cannot hold is written as its base letter; one with no Latin form is refused at
    // once, with a hint, instead of becoming "?".
    ed->txtEsecutore->setFocus();
    QTest::keyClicks(ed->txtEsecutore, QStringLiteral("nguyen th"));
    typeText(ed->txtEsecutore, QStringLiteral("ị"));
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("NGUYEN THI"));
    typeText(ed->txtEsecutore, QStringLiteral("ж"));
    QCOMPARE(ed->txtEsecutore->text(), QStringLiteral("NGUYEN THI"));
    QVERIFY(ed->panInfo->text().contains(QStringLiteral("ж")));
    QCOMPARE(ed->txtEsecutore->maxLength(), 44);
    QCOMPARE(ed->txtComuneRes->maxLength(), 16);
    QCOMPARE(ed->txtIndirizzoRes->maxLength(), 22);
    // Hints follow the mouse.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(ed->cmdSalva, &enter);
    QCOMPARE(ed->panInfo->text(), QStringLiteral("Salva la scheda corrente in archivio. (Ctrl+S)"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(ed->cmdSalva, &leave);
    QCOMPARE(ed->panInfo->text(), QString());
    // The yellow highlight follows the focus.
    auto *eff = ed->findChild<QWidget *>(QStringLiteral("effEsecutore"));
    QVERIFY(eff);
    ed->txtNote->setFocus();
    QVERIFY(!eff->isVisible());
    ed->txtEsecutore->setFocus();
    QVERIFY(eff->isVisible());
}

void TestSlips::commandsOpenTheirWindows()
{
    openYear();
    const struct {
        Picture *command;
        const char *window;
    } rows[] = {{ed->cmdTrova, "TfrmTrovaBollettini"},    {ed->cmdAnteprima, "TfrmAnteprimaPse"},
                {ed->cmdStampa, "TfrmStampaBolTer"},      {ed->cmdDaSaldare, "TfrmDaSaldare"},
                {ed->cmdScaduti, "TfrmScadute"},          {ed->cmdEsporta, "TfrmExpBollettini"},
                {ed->impEsecutore, "TfrmTrovaAnagrafica"}};
    for (const auto &row : rows) {
        QString opened;
        QWidget *owner = nullptr;
        TestSupport::onNextModal([&](QWidget *w) {
            QVERIFY(w);
            opened = QString::fromLatin1(w->metaObject()->className());
            owner = w->parentWidget();
            if (auto *tag = w->findChild<QLabel *>(QStringLiteral("lblMemory")))
                QCOMPARE(tag->text(), QStringLiteral("bollettino"));
            w->close();
        });
        QTest::mouseClick(row.command, Qt::LeftButton);
        QCOMPARE(opened, QString::fromLatin1(row.window));
        QCOMPARE(owner, ed);
        QVERIFY(!QApplication::activeModalWidget());
    }
}

void TestSlips::help()
{
    for (Picture *command : {ed->imgGuida, ed->cmdGuida}) {
        Seams::Help::shown().clear();
        if (command == ed->cmdGuida)
            openYear();
        QTest::mouseClick(command, Qt::LeftButton);
        QCOMPARE(Seams::Help::shown().size(), 1);
        QCOMPARE(TestSupport::helpTitle(), QStringLiteral("Applicazione Stampa Bollettini Postali."));
        const QStringList paragraphs = TestSupport::helpParagraphs();
        QCOMPARE(paragraphs.size(), 9);
        QVERIFY(paragraphs.first().startsWith(
            QStringLiteral("L'applicazione Stampa Bollettini Postali è l'ambiente di lavoro")));
    }
}

QTEST_MAIN(TestSlips)
#include "test_slips.moc"

// The applicant search: matching, the result line, hand-back by context word, equal lines, printing.

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/widgets/Forms.h"
#include "registry/TrovaAnagrafica.h"
#include "tests/ApplicantFixture.h"
#include "tests/PdfText.h"
#include "tests/SlipFixture.h"
#include "tests/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using ApplicantFixture::applicant;
using Filters = QList<QPair<QString, QString>>; // filter box, text as typed

class TestApplicantSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void matching_data();
    void matching();
    void resultLineAndCount();
    void emptyArchiveAndAccessFailure();
    void enterChainWrapsAround();
    void handBack_data();
    void handBack();
    void equalLinesLoadTheirOwnRecord_data();
    void equalLinesLoadTheirOwnRecord();
    void printsUnderItsTitle();

private:
    QString archive() const { return m_folder->file(QStringLiteral("Richiedenti.pro")); }
    static void search(TfrmTrovaAnagrafica &w, const Filters &filters);
    static void doubleClick(TfrmTrovaAnagrafica &w, int row);
    TestProgramFolder *m_folder = nullptr;
};

void TestApplicantSearch::init()
{
    TestSupport::resetSeams(QDate(2024, 3, 15));
    m_folder = new TestProgramFolder;
}

void TestApplicantSearch::cleanup()
{
    TestSupport::checkSeams();
    Forms::clear();
    delete m_folder;
}

void TestApplicantSearch::search(TfrmTrovaAnagrafica &w, const Filters &filters)
{
    for (const auto &[name, text] : filters)
        w.findChild<QLineEdit *>(name)->setText(text);
    w.btnCerca->click();
}

void TestApplicantSearch::doubleClick(TfrmTrovaAnagrafica &w, int row)
{
    const QRect rect = w.lstRecords->visualRect(w.lstRecords->model()->index(row, 0));
    QTest::mouseClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());
}

void TestApplicantSearch::matching_data()
{
    QTest::addColumn<Filters>("filters");
    QTest::addColumn<QStringList>("surnames"); // in list order
    QTest::addColumn<QString>("active");
    const auto f = [](const char *name, const char *text) {
        return qMakePair(QString::fromLatin1(name), QString::fromUtf8(text));
    };
    const QString all[] = {QStringLiteral("DE LUCA"), QStringLiteral("DEL PIERO"), QStringLiteral("ROSSI"),
                           QStringLiteral("Rossini"), QStringLiteral("ÈLIA")};
    QTest::newRow("no filter lists everyone")
        << Filters{} << QStringList(std::begin(all), std::end(all)) << QStringLiteral("0");
    QTest::newRow("surname and name combine") << Filters{f("txtCognome", "ross"), f("txtNome", "MARIO")}
                                              << QStringList{QStringLiteral("ROSSI")} << QStringLiteral("2");
    QTest::newRow("part of a word in either case")
        << Filters{f("txtCognome", "ROSS")} << QStringList{QStringLiteral("ROSSI"), QStringLiteral("Rossini")}
        << QStringLiteral("1");
    QTest::newRow("trailing blank kept in the key")
        << Filters{f("txtCognome", "de ")} << QStringList{QStringLiteral("DE LUCA")} << QStringLiteral("1");
    QTest::newRow("without the blank") << Filters{f("txtCognome", "de")}
                                       << QStringList{QStringLiteral("DE LUCA"), QStringLiteral("DEL PIERO")}
                                       << QStringLiteral("1");
    // Not in use, yet it scores where the note holds the same blanks: it can only widen the result.
    QTest::newRow("blank-only key widens")
        << Filters{f("txtCognome", "rossi"), f("txtNote", "  ")}
        << QStringList{QStringLiteral("DEL PIERO"), QStringLiteral("ROSSI"), QStringLiteral("Rossini")}
        << QStringLiteral("1");
    QTest::newRow("employer and contract") << Filters{f("txtDatore", "bar"), f("txtContratto", "determinato")}
                                           << QStringList{QStringLiteral("ROSSI")} << QStringLiteral("2");
    QTest::newRow("accented capital in its own case")
        << Filters{f("txtCognome", "Èlia")} << QStringList{QStringLiteral("ÈLIA")} << QStringLiteral("1");
    // Typed with or without accents, in either case: accented letters compare as their base letters.
    QTest::newRow("accented letter in the other case")
        << Filters{f("txtCognome", "èlia")} << QStringList{QStringLiteral("ÈLIA")} << QStringLiteral("1");
    QTest::newRow("accents left out") << Filters{f("txtCognome", "elia")} << QStringList{QStringLiteral("ÈLIA")}
                                      << QStringLiteral("1");
    QTest::newRow("accent typed where the archive has none")
        << Filters{f("txtCognome", "róss")} << QStringList{QStringLiteral("ROSSI"), QStringLiteral("Rossini")}
        << QStringLiteral("1");
    QTest::newRow("another letter is no match")
        << Filters{f("txtCognome", "ilia")} << QStringList{} << QStringLiteral("1");
    QTest::newRow("birth state, citizenship, VAT, job")
        << Filters{f("txtStatoNasc", "alb"), f("txtStatoCit", "ALB"), f("txtIva", "0123"), f("txtTipoLavoro", "cuoco"),
                   f("txtCodFisc", "rss")}
        << QStringList{QStringLiteral("ROSSI")} << QStringLiteral("5");
}

void TestApplicantSearch::matching()
{
    QFETCH(Filters, filters);
    QFETCH(QStringList, surnames);
    QFETCH(QString, active);
    ApplicantFixture::write(
        archive(),
        {applicant({{"Cognome", QStringLiteral("ROSSI")},
                    {"Nome", QStringLiteral("MARIO")},
                    {"StatoNasc", QStringLiteral("ALBANIA")},
                    {"StatoCit", QStringLiteral("ALBANIA")},
                    {"Iva", QStringLiteral("01234567890")},
                    {"CodFisc", QStringLiteral("RSSMRA80A01Z100X")},
                    {"Datore", QStringLiteral("Bar Sport")},
                    {"Contratto", QStringLiteral("tempo determinato")},
                    {"TipoLavoro", QStringLiteral("cuoco")}}),
         applicant({{"Cognome", QStringLiteral("Rossini")},
                    {"Nome", QStringLiteral("Anna")},
                    {"Datore", QStringLiteral("Barbieri srl")}}),
         applicant({{"Cognome", QStringLiteral("DEL PIERO")}, {"Note", QStringLiteral("due  spazi")}}),
         applicant({{"Cognome", QStringLiteral("DE LUCA")}}), applicant({{"Cognome", QStringLiteral("ÈLIA")}})});

    TfrmTrovaAnagrafica w;
    w.show();
    search(w, filters);
    QCOMPARE(w.lblConta->text(), active);
    QVERIFY(w.panAvvio->isHidden());
    QVERIFY(w.panContainer->isVisible());
    QCOMPARE(w.lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(surnames.size()));
    QStringList shown;
    for (const auto &line : w.lstRecords->lines())
        shown << line.left(28).section(QLatin1Char(' '), 0, -2).trimmed();
    // The name column is "surname name": compare the surname part.
    for (auto &s : shown)
        if (s.endsWith(QLatin1String(" MARIO")) || s.endsWith(QLatin1String(" Anna")))
            s = s.section(QLatin1Char(' '), 0, -2);
    QCOMPARE(shown, surnames);
}

void TestApplicantSearch::resultLineAndCount()
{
    ApplicantFixture::write(
        archive(), {applicant({{"Cognome", QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")},
                               {"Nome", QStringLiteral("MARIA")},
                               {"CodFisc", QStringLiteral("BCDFGH80A41H501Z")},
                               {"Datore", QStringLiteral("Ristorante Da Mario e Figli")},
                               {"Recapito", QStringLiteral("333 1234567")},
                               {"Note", QStringLiteral("una nota lunga [DATE] che resta intera fino alla fine")}}),
                    applicant({{"Cognome", QStringLiteral("BIANCHI")}})});
    TfrmTrovaAnagrafica w;
    w.show();
    search(w, {});
    QCOMPARE(
        w.lstRecords->lines(),
        (QStringList{QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ M  C.F. BCDFGH80A41H501Z  Datore: Ristorante Da "
                                    "Mario e Fi  Tel. 333 1234567     Note: una nota lunga [DATE] che resta intera "
                                    "fino alla fine"),
                     QStringLiteral("BIANCHI                       C.F.                   Datore:                "
                                    "           Tel.                 Note: ")}));
    QCOMPARE(w.lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 2 schede."));
}

void TestApplicantSearch::emptyArchiveAndAccessFailure()
{
    {
        TfrmTrovaAnagrafica w;
        w.show();
        search(w, {{QStringLiteral("txtCognome"), QStringLiteral("rossi")}});
        QCOMPARE(w.lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
        QVERIFY(QFileInfo::exists(archive())); // created empty
        QVERIFY(Seams::Messages::shown().isEmpty());
    }
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Read; });
    ApplicantFixture::write(archive(), {applicant({{"Cognome", QStringLiteral("ROSSI")}})});
    TfrmTrovaAnagrafica w;
    w.show();
    search(w, {});
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Plain);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QVERIFY(w.panAvvio->isVisible());
    QVERIFY(w.panContainer->isHidden());
}

void TestApplicantSearch::enterChainWrapsAround()
{
    TfrmTrovaAnagrafica w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), w.txtCognome);
    const QList<QLineEdit *> chain{w.txtCognome, w.txtNome,      w.txtStatoNasc,  w.txtStatoCit, w.txtCodFisc, w.txtIva,
                                   w.txtDatore,  w.txtContratto, w.txtTipoLavoro, w.txtNote,     w.txtCognome};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QTest::keyClick(chain[i], Qt::Key_Return);
        QVERIFY2(QApplication::focusWidget() == chain[i + 1], qPrintable(chain[i]->objectName()));
    }
    QVERIFY(w.txtCognome->font().bold());
}

void TestApplicantSearch::handBack_data()
{
    QTest::addColumn<QString>("context");
    QTest::newRow("applicant editor") << QStringLiteral("anagrafica");
    QTest::newRow("slip editor") << QStringLiteral("bollettino");
    QTest::newRow("deadline editor") << QStringLiteral("scadenzario");
    QTest::newRow("unknown word") << QStringLiteral("altro");
}

// Each context writes only its own window; the slip and deadline editors keep their own positions.
void TestApplicantSearch::handBack()
{
    QFETCH(QString, context);
    const Record second = ApplicantFixture::full({{"Cognome", QStringLiteral("rossi")},
                                                  {"Nome", QString()},
                                                  {"ProvRes", QString()},
                                                  {"Note", QStringLiteral("nota")}});
    ApplicantFixture::write(archive(), {applicant({{"Cognome", QStringLiteral("BIANCHI")}}), second});
    QWidget *registry = ApplicantFixture::editor();
    QWidget *slip = SlipFixture::editor(m_folder->file(QStringLiteral("2024.pse")));
    QWidget *agenda = ApplicantFixture::agenda();
    for (QWidget *w : {slip, agenda})
        ApplicantFixture::setText(w, QStringLiteral("lblPosizione"), QStringLiteral("7"));
    ApplicantFixture::setText(slip, QStringLiteral("txtNote"), QStringLiteral("nota del bollettino"));

    TfrmTrovaAnagrafica w;
    w.lblMemory->setText(context);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    search(w, {{QStringLiteral("txtCognome"), QStringLiteral("ROSSI")}});
    QCOMPARE(w.lstRecords->count(), 1);
    doubleClick(w, 0);
    QVERIFY(!w.isVisible());

    const auto is = [](QWidget *window, const char *control) {
        return ApplicantFixture::text(window, QString::fromLatin1(control));
    };
    const bool toRegistry = context == QLatin1String("anagrafica");
    const bool toSlip = context == QLatin1String("bollettino");
    const bool toAgenda = context == QLatin1String("scadenzario");
    for (int i = 0; i < kApplicantLayout.count(); ++i) {
        const auto control = kApplicantLayout.field(i).control;
        QCOMPARE(is(registry, control.data()), toRegistry ? second.text(i) : QString());
    }
    QCOMPARE(is(registry, "lblPosizione"), toRegistry ? QStringLiteral("2") : QString());

    // No name and no province: the joining blank stays. Texts go as stored, lower case included.
    QCOMPARE(is(slip, "txtEsecutore"), toSlip ? QStringLiteral("rossi ") : QString());
    QCOMPARE(is(slip, "txtIndirizzoRes"), toSlip ? second.text("Indirizzo") : QString());
    QCOMPARE(is(slip, "txtCapRes"), toSlip ? second.text("Cap") : QString());
    QCOMPARE(is(slip, "txtComuneRes"), toSlip ? second.text("ComuneRes") + QLatin1Char(' ') : QString());
    QCOMPARE(is(slip, "txtNote"), QStringLiteral("nota del bollettino"));
    QCOMPARE(is(slip, "lblPosizione"), QStringLiteral("7"));

    QCOMPARE(is(agenda, "txtCliente"), toAgenda ? QStringLiteral("rossi ") : QString());
    QCOMPARE(is(agenda, "txtCodFisc"), toAgenda ? second.text("CodFisc") : QString());
    QCOMPARE(is(agenda, "txtRecapito"), toAgenda ? second.text("Recapito") : QString());
    QCOMPARE(is(agenda, "lblPosizione"), QStringLiteral("7"));
}

void TestApplicantSearch::equalLinesLoadTheirOwnRecord_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("overwritten");
    QTest::addColumn<QString>("street");
    QTest::addColumn<QString>("position");
    QTest::newRow("first of two equal lines") << 0 << false << QStringLiteral("VIA UNO") << QStringLiteral("1");
    QTest::newRow("second of two equal lines") << 1 << false << QStringLiteral("VIA DUE") << QStringLiteral("3");
    QTest::newRow("first overwritten by another workstation")
        << 0 << true << QStringLiteral("VIA DUE") << QStringLiteral("3");
}

// Two applicants whose lines are equal (the same name cut at 28, the same employer cut at 24) but who live
// in different streets: each line brings back its own record. When the record was overwritten after the
// listing, the changed record is never loaded: the last equal line in the file is, as before.
void TestApplicantSearch::equalLinesLoadTheirOwnRecord()
{
    QFETCH(int, row);
    QFETCH(bool, overwritten);
    QFETCH(QString, street);
    QFETCH(QString, position);
    const auto twin = [](const char *surname, const char *employer, const char *street_) {
        return applicant({{"Cognome", QString::fromLatin1(surname)},
                          {"Nome", QStringLiteral("GIOVANNI")},
                          {"Datore", QString::fromLatin1(employer)},
                          {"Indirizzo", QString::fromLatin1(street_)}});
    };
    ApplicantFixture::write(archive(),
                            {twin("SCARAMUZZINO DELLA VALLE", "COOPERATIVA SOCIALE IL GIRASOLE", "VIA UNO"),
                             applicant({{"Cognome", QStringLiteral("ZETA")}}),
                             twin("SCARAMUZZINO DELLA VALLE", "COOPERATIVA SOCIALE IL GIRASOLE ONLUS", "VIA DUE")});
    QWidget *registry = ApplicantFixture::editor();

    TfrmTrovaAnagrafica w;
    w.lblMemory->setText(QStringLiteral("anagrafica"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    search(w, {{QStringLiteral("txtCognome"), QStringLiteral("scaramuzzino")}});
    QCOMPARE(w.lstRecords->count(), 2);
    QCOMPARE(w.lstRecords->lines().at(0), w.lstRecords->lines().at(1));
    if (overwritten) {
        ArchiveFile file(archive(), kApplicantLayout.size());
        QVERIFY(file.open());
        QVERIFY(file.write(
            1, applicant({{"Cognome", QStringLiteral("ALTRI")}, {"Indirizzo", QStringLiteral("VIA TRE")}}).bytes()));
    }
    doubleClick(w, row);
    QCOMPARE(ApplicantFixture::text(registry, QStringLiteral("txtIndirizzo")), street);
    QCOMPARE(ApplicantFixture::text(registry, QStringLiteral("lblPosizione")), position);
}

void TestApplicantSearch::printsUnderItsTitle()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    ApplicantFixture::write(
        archive(), {applicant({{"Cognome", QStringLiteral("ROSSI")}, {"Note", QStringLiteral("vedi [TIME]")}})});
    TfrmTrovaAnagrafica w;
    w.show();
    search(w, {});
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("elenco.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    w.btnStampa->click();
    const QString text = PdfText::pageText(pdf, 1);
    QVERIFY(text.contains(QStringLiteral("Anagrafica Richiedenti")));
    QVERIFY(text.contains(QStringLiteral("vedi [TIME]"))); // data never expanded
    QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data 15/03/2024")));
    QVERIFY(!text.contains(QStringLiteral("alle ore")));
}

QTEST_MAIN(TestApplicantSearch)
#include "test_applicant_search.moc"

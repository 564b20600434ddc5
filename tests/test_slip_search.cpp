// The slip search: filters, matching, the result list, hand-back to the slip editor, printing.

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/widgets/Forms.h"
#include "slips/TrovaBollettini.h"
#include "tests/PdfText.h"
#include "tests/SlipFixture.h"
#include "tests/TestSupport.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using SlipFixture::Slip;
using Filters = QList<QPair<QString, QString>>; // control name, text as typed

class TestSlipSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void matching_data();
    void matching();
    void emptyArchiveGivesEmptyList();
    void accessFailureStaysOnFilters();
    void enterChainAndHighlight();
    void doubleClickHandsBackOnlyToTheSlipEditor_data();
    void doubleClickHandsBackOnlyToTheSlipEditor();
    void printsUnderItsTitle();

private:
    QString archive() const { return m_folder->file(QStringLiteral("2024.pse")); }
    void search(TfrmTrovaBollettini &w, const Filters &filters);
    TestProgramFolder *m_folder = nullptr;
    QWidget *m_editor = nullptr;
};

static const QString kPayer44 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGH");

void TestSlipSearch::init()
{
    TestSupport::resetSeams(QDate(2024, 3, 15));
    m_folder = new TestProgramFolder;
    m_editor = SlipFixture::editor(archive());
}

void TestSlipSearch::cleanup()
{
    TestSupport::checkSeams();
    Forms::clear();
    delete m_folder;
}

void TestSlipSearch::search(TfrmTrovaBollettini &w, const Filters &filters)
{
    for (const auto &[name, text] : filters)
        w.findChild<QLineEdit *>(name)->setText(text);
    w.btnCerca->click();
}

void TestSlipSearch::matching_data()
{
    QTest::addColumn<Filters>("filters");
    QTest::addColumn<QStringList>("payers");
    QTest::addColumn<QString>("active");
    const QString rossi = QStringLiteral("ROSSI MARIO"), rossini = QStringLiteral("Rossini Anna"),
                  bianchi = QStringLiteral("BIANCHI LUCA"), verdi = QStringLiteral("VERDI"), cut = kPayer44.left(40);
    const auto f = [](const char *name, const char *text) {
        return qMakePair(QString::fromLatin1(name), QString::fromUtf8(text));
    };
    QTest::newRow("no filter lists every slip")
        << Filters{} << QStringList{cut, bianchi, rossi, rossini, verdi} << QStringLiteral("0");
    QTest::newRow("payer and unpaid combine")
        << Filters{f("txtEsecutore", "rossi"), f("txtSaldato", "No")} << QStringList{rossi} << QStringLiteral("2");
    QTest::newRow("consecutive characters anywhere")
        << Filters{f("txtEsecutore", "ross")} << QStringList{rossi, rossini} << QStringLiteral("1");
    QTest::newRow("amount with its comma")
        << Filters{f("txtIntero", "16,")} << QStringList{rossi, rossini, verdi} << QStringLiteral("1");
    QTest::newRow("due in March 2024") << Filters{f("txtDataScade", "03/2024")} << QStringList{cut, rossi, rossini}
                                       << QStringLiteral("1");
    QTest::newRow("trailing blank must be in the field")
        << Filters{f("txtEsecutore", "rossi ")} << QStringList{rossi} << QStringLiteral("1");
    QTest::newRow("payer and town") << Filters{f("txtEsecutore", "rossi"), f("txtComuneRes", "milano")}
                                    << QStringList{rossini} << QStringLiteral("2");
    QTest::newRow("blank-only filter is not active")
        << Filters{f("txtNote", "   ")} << QStringList{cut, bianchi, rossi, rossini, verdi} << QStringLiteral("0");
    QTest::newRow("blank-only filter beside an active one")
        << Filters{f("txtEsecutore", "verdi"), f("txtNote", "  ")} << QStringList{verdi} << QStringLiteral("1");
    QTest::newRow("accented letter in its own case")
        << Filters{f("txtSaldato", "sì")} << QStringList{rossini} << QStringLiteral("1");
    QTest::newRow("accented letter in the other case")
        << Filters{f("txtSaldato", "SÌ")} << QStringList{rossini} << QStringLiteral("1");
    QTest::newRow("accent left out") << Filters{f("txtSaldato", "si")} << QStringList{rossini} << QStringLiteral("1");
    QTest::newRow("note in capitals") << Filters{f("txtNote", "URGENTE")} << QStringList{bianchi}
                                      << QStringLiteral("1");
}

void TestSlipSearch::matching()
{
    QFETCH(Filters, filters);
    QFETCH(QStringList, payers);
    QFETCH(QString, active);
    Slip rossi{QStringLiteral("ROSSI MARIO"), QStringLiteral("10/03/2024")};
    Slip rossini{QStringLiteral("Rossini Anna"), QStringLiteral("05/03/2024"), QStringLiteral("Sì"),
                 QStringLiteral("116,50"), QStringLiteral("MILANO")};
    Slip bianchi{QStringLiteral("BIANCHI LUCA"), QStringLiteral("01/04/2024"), QStringLiteral("No"),
                 QStringLiteral("30,00")};
    bianchi.note = QStringLiteral("pagamento urgente");
    Slip verdi{QStringLiteral("VERDI"), QStringLiteral("20/02/2024")};
    Slip longPayer{kPayer44, QStringLiteral("31/03/2024"), QStringLiteral("No"), QStringLiteral("70,46")};
    SlipFixture::write(archive(), {rossi, rossini, bianchi, verdi, longPayer});

    TfrmTrovaBollettini w(m_editor);
    w.show();
    search(w, filters);
    QCOMPARE(w.lblConta->text(), active);
    QVERIFY(w.panAvvio->isHidden());
    QVERIFY(w.panContainer->isVisible());
    QCOMPARE(w.lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(payers.size()));
    QStringList shown;
    for (const auto &line : w.lstRecords->lines()) {
        QCOMPARE(line.size(), 151);
        shown << line.left(40).trimmed();
    }
    QCOMPARE(shown, payers);
    if (qstrcmp(QTest::currentDataTag(), "no filter lists every slip") == 0) {
        const QString first = w.lstRecords->lines().first();
        QVERIFY(first.startsWith(kPayer44.left(40) + QStringLiteral("  Via VIA ROMA 1")));
        QVERIFY(first.endsWith(QStringLiteral("  € 70,46        Saldato: No")));
    }
}

void TestSlipSearch::emptyArchiveGivesEmptyList()
{
    TfrmTrovaBollettini w(m_editor);
    w.show();
    QCOMPARE(w.lblTrovate->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
    search(w, {});
    QCOMPARE(w.lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QVERIFY(QFileInfo::exists(archive()));
    QVERIFY(Seams::Messages::shown().isEmpty());
}

void TestSlipSearch::accessFailureStaysOnFilters()
{
    SlipFixture::write(archive(), {{QStringLiteral("ROSSI")}});
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Read; });
    TfrmTrovaBollettini w(m_editor);
    w.show();
    search(w, {{QStringLiteral("txtEsecutore"), QStringLiteral("rossi")}});
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Plain);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QVERIFY(w.panAvvio->isVisible());
    QVERIFY(w.panContainer->isHidden());
    QVERIFY(w.lblAttendere->isHidden());
}

void TestSlipSearch::enterChainAndHighlight()
{
    TfrmTrovaBollettini w(m_editor);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.txtIntero));
    QVERIFY(w.findChild<QFrame *>(QStringLiteral("effIntero"))->isVisible());
    const QList<QLineEdit *> chain{w.txtIntero, w.txtSaldato,      w.txtEsecutore, w.txtComuneRes,
                                   w.txtCapRes, w.txtIndirizzoRes, w.txtDataScade, w.txtDataPaga,
                                   w.txtTimbro, w.txtNote,         w.txtIntero};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QTest::keyClick(chain[i], Qt::Key_Return);
        QVERIFY2(QApplication::focusWidget() == chain[i + 1], qPrintable(chain[i]->objectName()));
    }
    QVERIFY(w.findChild<QFrame *>(QStringLiteral("effIntero"))->isVisible());
    QVERIFY(!w.findChild<QFrame *>(QStringLiteral("effNote"))->isVisible());
}

void TestSlipSearch::doubleClickHandsBackOnlyToTheSlipEditor_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("note");
    QTest::newRow("slip editor, first equal line")
        << QStringLiteral("bollettino") << 0 << QStringLiteral("1") << QStringLiteral("urgente A");
    QTest::newRow("slip editor, second equal line")
        << QStringLiteral("bollettino") << 1 << QStringLiteral("3") << QStringLiteral("urgente B");
    QTest::newRow("other caller") << QStringLiteral("scadenzario") << 0 << QString() << QString();
}

void TestSlipSearch::doubleClickHandsBackOnlyToTheSlipEditor()
{
    QFETCH(QString, tag);
    QFETCH(int, row);
    QFETCH(QString, position);
    QFETCH(QString, note);
    // Four slips with the same result line; only 1 and 3 match the note filter, and each line loads its own.
    Slip a{QStringLiteral("BIANCHI LUCA")};
    QList<Slip> slips{a, a, a, a};
    slips[0].note = QStringLiteral("urgente A");
    slips[2].note = QStringLiteral("urgente B");
    SlipFixture::write(archive(), slips);

    TfrmTrovaBollettini w(m_editor);
    w.lblMemory->setText(tag);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    search(w, {{QStringLiteral("txtNote"), QStringLiteral("urgente")}});
    QCOMPARE(w.lstRecords->count(), 2);
    const QRect rect = w.lstRecords->visualRect(w.lstRecords->model()->index(row, 0));
    QTest::mouseClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(!w.isVisible());
    QCOMPARE(SlipFixture::text(m_editor, "lblPosizione"), position);
    QCOMPARE(SlipFixture::text(m_editor, "txtNote"), note);
}

void TestSlipSearch::printsUnderItsTitle()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    SlipFixture::write(archive(), {{QStringLiteral("ROSSI MARIO")}});
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ricerca.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    TfrmTrovaBollettini w(m_editor);
    w.show();
    search(w, {});
    w.btnStampa->click();
    const QString text = PdfText::pageText(pdf, 1).simplified();
    QVERIFY2(text.contains(QStringLiteral("Riepilogo versamenti")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("ROSSI MARIO Via VIA ROMA 1")));
    QVERIFY(text.contains(QStringLiteral("Saldato: No")));
    QVERIFY(text.contains(QStringLiteral("alle ore")));
}

QTEST_MAIN(TestSlipSearch)
#include "test_slip_search.moc"

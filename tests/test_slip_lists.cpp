// The unpaid and overdue slip lists: selection, lines, order, find, hand-back to the editor and printing.

#include "core/ArchiveFile.h"
#include "core/widgets/Forms.h"
#include "core/widgets/ScanProgress.h"
#include "slips/DaSaldare.h"
#include "slips/Scadute.h"
#include "tests/PdfText.h"
#include "tests/SlipFixture.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using SlipFixture::Slip;

class TestSlipLists : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void selectionAndLines();
    void orderFoldsOnlyAtoZ();
    void storedMarkupListedLiterally();
    void longPassShowsProgressAndCancels();
    void findNextWalksAndWraps();
    void findOnEmptyListFromMissingArchive();
    void doubleClickLoadsTheSlipOfItsLine_data();
    void doubleClickLoadsTheSlipOfItsLine();
    void printsTheListAsShown();

private:
    QString archive() const { return m_folder->file(QStringLiteral("2024.pse")); }
    QStringList payers(const TSummaryList &w) const;
    TestProgramFolder *m_folder = nullptr;
    QWidget *m_editor = nullptr;
};

void TestSlipLists::init()
{
    TestSupport::resetSeams(QDate(2024, 3, 15));
    m_folder = new TestProgramFolder;
    m_editor = SlipFixture::editor(archive());
}

void TestSlipLists::cleanup()
{
    TestSupport::checkSeams();
    Forms::clear();
    delete m_folder;
}

QStringList TestSlipLists::payers(const TSummaryList &w) const
{
    QStringList r;
    for (const auto &line : w.lstRecords->lines())
        r << line.left(44).trimmed();
    return r;
}

void TestSlipLists::selectionAndLines()
{
    const QString payer44 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGH");
    SlipFixture::write(archive(), {
                                      {QStringLiteral("PAGATO"), QStringLiteral("01/03/2024"), QStringLiteral("Sì")},
                                      {QStringLiteral("IERI"), QStringLiteral("14/03/2024")},
                                      {QStringLiteral("OGGI"), QStringLiteral("15/03/2024")},
                                      // never stored by the editor: listed as unpaid, never as overdue
                                      {QStringLiteral("DATA STRANA"), QStringLiteral("31/02/2024")},
                                      {QStringLiteral("DOPO"), QStringLiteral("20/04/2024")},
                                      {QStringLiteral("SENZA ESITO"), QStringLiteral("01/01/2024"), QString()},
                                      {payer44, QStringLiteral("01/02/2024")},
                                  });
    TfrmDaSaldare unpaid(m_editor);
    unpaid.show();
    QCOMPARE(unpaid.objectName(), QStringLiteral("frmDaSaldare"));
    QCOMPARE(unpaid.windowTitle(), QStringLiteral(" Riepilogo bollettini non saldati"));
    QCOMPARE(payers(unpaid), (QStringList{payer44, QStringLiteral("DATA STRANA"), QStringLiteral("DOPO"),
                                          QStringLiteral("IERI"), QStringLiteral("OGGI")}));
    QCOMPARE(unpaid.lstRecords->selectedRow(), -1);

    TfrmScadute overdue(m_editor);
    overdue.show();
    QCOMPARE(overdue.windowTitle(), QStringLiteral(" Riepilogo bollettini scaduti e non saldati"));
    QCOMPARE(payers(overdue), (QStringList{payer44, QStringLiteral("IERI")}));

    const QStringList lines = overdue.lstRecords->lines();
    QCOMPARE(lines.at(1), QStringLiteral("IERI%1  Via VIA ROMA 1%2  CAP: 00184  Città: ROMA%3  Scad. 14/03/2024  € "
                                         "16,00%4")
                              .arg(QString(40, QLatin1Char(' ')), QString(12, QLatin1Char(' ')),
                                   QString(12, QLatin1Char(' ')), QString(6, QLatin1Char(' '))));
    QVERIFY(lines.at(0).startsWith(payer44 + QStringLiteral("  Via VIA ROMA 1")));
    for (const auto &line : unpaid.lstRecords->lines())
        QCOMPARE(line.size(), 142);
}

void TestSlipLists::storedMarkupListedLiterally()
{
    const QString markup = QStringLiteral("<font color=red>ANNULLATO</font>");
    SlipFixture::write(archive(), {{markup}});
    TfrmDaSaldare w(m_editor);
    w.show();
    QCOMPARE(payers(w), QStringList{markup});
    const QModelIndex first = w.lstRecords->model()->index(0, 0);
    QVERIFY(w.lstRecords->model()->data(first, Qt::DisplayRole).toString().startsWith(markup));
}

void TestSlipLists::longPassShowsProgressAndCancels()
{
    QList<SlipFixture::Slip> slips;
    for (int i = 0; i < 3000; ++i)
        slips.append(SlipFixture::Slip(QStringLiteral("PAGATORE %1").arg(i, 4, 10, QLatin1Char('0'))));
    SlipFixture::write(archive(), slips);
    ScanProgress::setDelayMs(0); // as if the archive were slow to read
    TfrmDaSaldare w(m_editor);
    bool sawBar = false;
    QTimer::singleShot(0, &w, [&] {
        if (auto *bar = w.findChild<QProgressDialog *>(QStringLiteral("frmAvanzamento"))) {
            sawBar = bar->isVisible();
            bar->cancel();
        }
    });
    w.show();
    ScanProgress::setDelayMs(500);
    QVERIFY(sawBar);
    const QStringList listed = payers(w);
    QVERIFY(!listed.isEmpty() && listed.size() < 3000);
    QCOMPARE(listed.first(), QStringLiteral("PAGATORE 0000"));
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().text, ScanProgress::cancelledText());
}

void TestSlipLists::orderFoldsOnlyAtoZ()
{
    // "_" lies between the capitals and the small letters: only a to z fold, so it sorts after every letter.
    SlipFixture::write(archive(), {{QStringLiteral("bianchi")},
                                   {QStringLiteral("_ZETA")},
                                   {QStringLiteral("Ätna")},
                                   {QStringLiteral("BIANCHI")},
                                   {QStringLiteral("zeta")},
                                   {QStringLiteral("Abate")}});
    TfrmDaSaldare w(m_editor);
    w.show();
    QCOMPARE(payers(w), (QStringList{QStringLiteral("Abate"), QStringLiteral("bianchi"), QStringLiteral("BIANCHI"),
                                     QStringLiteral("zeta"), QStringLiteral("_ZETA"), QStringLiteral("Ätna")}));
}

void TestSlipLists::findNextWalksAndWraps()
{
    SlipFixture::write(archive(), {{QStringLiteral("GAMMA")},
                                   {QStringLiteral("DELTA Rossi")},
                                   {QStringLiteral("BETA")},
                                   {QStringLiteral("ALFA ROSSI")}});
    TfrmDaSaldare w(m_editor);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // Enter only moves to the button.
    QTest::keyClicks(w.txtTrova, QStringLiteral("gamma"));
    QTest::keyClick(w.txtTrova, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.btnTrova));
    QCOMPARE(w.lstRecords->selectedRow(), -1);

    // rows: 0 ALFA ROSSI, 1 BETA, 2 DELTA Rossi, 3 GAMMA
    const QList<QPair<QString, int>> steps{
        {QStringLiteral("zzz"), 0},   // nothing selected: the first line is selected, nothing found
        {QStringLiteral("rossi"), 0}, // a new text tests the first line first
        {QStringLiteral("rossi"), 2}, // the same text again moves on
        {QStringLiteral("ROSSI"), 0}, // still the same text once folded: wraps around
        {QStringLiteral("gamma"), 3},
        {QStringLiteral("gamma"), 3}, // the only match stays selected
        {QStringLiteral("ross"), 0},  // a new text restarts from the first line
        {QStringLiteral("zzz"), 0},   // not found: selection kept
        {QString(), 0},               // empty text matches nothing
    };
    for (const auto &[key, row] : steps) {
        w.txtTrova->setText(key);
        w.btnTrova->click();
        QVERIFY2(w.lstRecords->selectedRow() == row, qPrintable(key));
    }
    QVERIFY(Seams::Messages::shown().isEmpty());
}

void TestSlipLists::findOnEmptyListFromMissingArchive()
{
    const QString missing = m_folder->file(QStringLiteral("2031.pse"));
    m_editor->findChild<QLabel *>(QStringLiteral("lblFile"))
        ->setText(QStringLiteral("  ") + missing + QStringLiteral(" "));
    TfrmScadute w(m_editor);
    w.show();
    QCOMPARE(w.lstRecords->count(), 0);
    QVERIFY(QFileInfo::exists(missing));
    QCOMPARE(QFileInfo(missing).size(), 0);
    w.txtTrova->setText(QStringLiteral("rossi"));
    w.btnTrova->click();
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Plain);
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestSlipLists::doubleClickLoadsTheSlipOfItsLine_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("overwritten");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("position");
    QTest::newRow("earlier of two equal lines") << 1 << false << QStringLiteral("prima") << QStringLiteral("1");
    QTest::newRow("later of two equal lines") << 2 << false << QStringLiteral("seconda") << QStringLiteral("3");
    QTest::newRow("record overwritten since listing") << 1 << true << QStringLiteral("seconda") << QStringLiteral("3");
}

// Equal lines keep the record each was listed from; when another copy of the program has overwritten that
// record in the meantime, the last equal line in the file is loaded as before, never the changed record.
void TestSlipLists::doubleClickLoadsTheSlipOfItsLine()
{
    QFETCH(int, row);
    QFETCH(bool, overwritten);
    QFETCH(QString, note);
    QFETCH(QString, position);
    Slip first{QStringLiteral("ROSSI MARIO")};
    first.note = QStringLiteral("prima");
    Slip second = first;
    second.note = QStringLiteral("seconda");
    Slip paidTwin = first; // same line, but not listed: it must not take the unpaid slip's place
    paidTwin.note = QStringLiteral("pagata");
    paidTwin.paid = QStringLiteral("Sì");
    SlipFixture::write(archive(), {first, {QStringLiteral("BIANCHI")}, second, paidTwin});
    m_editor->findChild<QCheckBox *>(QStringLiteral("chkSaldato"))->setChecked(true);

    TfrmDaSaldare w(m_editor);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.lstRecords->count(), 3);
    if (overwritten) {
        Slip other{QStringLiteral("ROSSI MARIA")};
        other.note = QStringLiteral("altra postazione");
        ArchiveFile file(archive(), kSlipLayout.size());
        QVERIFY(file.open());
        QVERIFY(file.write(1, SlipFixture::bytes(other)));
    }
    const QRect rect = w.lstRecords->visualRect(w.lstRecords->model()->index(row, 0));
    QTest::mouseClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());

    QVERIFY(!w.isVisible());
    QCOMPARE(SlipFixture::text(m_editor, "txtNote"), note);
    QCOMPARE(SlipFixture::text(m_editor, "lblPosizione"), position);
    QCOMPARE(SlipFixture::text(m_editor, "txtEsecutore"), QStringLiteral("ROSSI MARIO"));
    QCOMPARE(SlipFixture::text(m_editor, "txtIntero"), QStringLiteral("16,00"));
    QCOMPARE(SlipFixture::text(m_editor, "chkSaldato"), QStringLiteral("unchecked"));
    QCOMPARE(w.lstRecords->count(), 0); // the lines live only while the window is open
}

void TestSlipLists::printsTheListAsShown()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    SlipFixture::write(archive(), {{QStringLiteral("ZANCHI")}, {QStringLiteral("bianchi")}, {QStringLiteral("MORO")}});
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lista.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    TfrmDaSaldare w(m_editor);
    w.show();
    w.btnStampa->click();
    const QString text = PdfText::pageText(pdf, 1).simplified();
    QVERIFY2(text.contains(QStringLiteral("Riepilogo bollettini non saldati")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("alle ore 10:30")));
    const qsizetype b = text.indexOf(QStringLiteral("bianchi Via VIA ROMA 1")),
                    m = text.indexOf(QStringLiteral("MORO")), z = text.indexOf(QStringLiteral("ZANCHI"));
    QVERIFY(b >= 0 && b < m && m < z);
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TestSlipLists)
#include "test_slip_lists.moc"

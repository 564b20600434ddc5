// The list and search windows on the screen the test runs on (ctest runs this at 1366 x 768 and at 1920 x 1080):
// a whole line shows without scrolling, and the window fits the screen and can be resized.

#include "TestSupport.h"

#include "core/widgets/Forms.h"
#include "slips/DaSaldare.h"
#include "slips/TrovaBollettini.h"
#include "tests/SlipFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

class TestListWidth : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup()
    {
        TestSupport::checkSeams();
        Forms::clear();
    }
    void wholeLinesShow();
};

void TestListWidth::wholeLinesShow()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.width() >= 1366, "run by ctest with a screen of 1366 x 768 or wider");
    TestProgramFolder folder;
    const QString archive = folder.file(QStringLiteral("2024.pse"));
    SlipFixture::Slip longest(QString(44, u'W'), QStringLiteral("14/03/2024"), QStringLiteral("No"),
                              QStringLiteral("99999999,99"), QString(16, u'W'));
    longest.street = QString(22, u'W');
    longest.cap = QStringLiteral("00184");
    SlipFixture::write(archive, {longest});
    SlipFixture::editor(archive);

    TfrmDaSaldare list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    if (!QFontInfo(list.lstRecords->font()).fixedPitch())
        QSKIP("No fixed-pitch font stands in for Courier New here (Wine's offscreen platform has no font aliases)");
    const QString line = list.lstRecords->lines().value(0);
    QCOMPARE(line.size(), 142);
    const int needed = QFontMetrics(list.lstRecords->font()).horizontalAdvance(line);
    QVERIFY2(needed <= list.lstRecords->viewport()->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(needed).arg(list.lstRecords->viewport()->width())));
    QVERIFY(list.frameGeometry().width() <= screen.width());
    QVERIFY(list.lstRecords->font().pointSizeF() >= 8);
    QVERIFY(list.minimumWidth() < list.maximumWidth()); // the user may resize it

    // The search's results, one line longer (the paid column), once the search has run.
    TfrmTrovaBollettini search;
    search.show();
    QVERIFY(QTest::qWaitForWindowExposed(&search));
    search.txtEsecutore->setText(QStringLiteral("W"));
    search.btnCerca->click();
    QCOMPARE(search.lstRecords->count(), 1);
    const QString found = search.lstRecords->lines().value(0);
    QCOMPARE(found.size(), 151); // the payer in 40 columns instead of 44, then "  Saldato: No"
    QVERIFY(QFontMetrics(search.lstRecords->font()).horizontalAdvance(found) <= search.lstRecords->viewport()->width());
    QVERIFY(search.frameGeometry().width() <= screen.width());
    QVERIFY(screen.contains(search.frameGeometry().topLeft()));
}

QTEST_MAIN(TestListWidth)
#include "test_list_width.moc"

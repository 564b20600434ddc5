// The slip preview: the slip editor's texts spread over the character labels of the picture.

#include "core/widgets/Forms.h"
#include "slips/AnteprimaPse.h"
#include "tests/SlipEditorStandIn.h"
#include "tests/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestAnteprimaPse : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup()
    {
        TestSupport::checkSeams();
        Forms::clear();
    }
    void labelsShowTheSlip_data();
    void labelsShowTheSlip();
    void labelsSitOnThePicture();
    void storedMarkupShownLiterally();
    void closes();
};

// The characters of the labels prefix01.. prefixNN, a blank for an empty label.
static QString row(const TfrmAnteprimaPse &w, const QString &prefix, int count)
{
    QString out;
    for (int k = 1; k <= count; ++k) {
        auto *l = w.findChild<QLabel *>(prefix + QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')));
        if (!l)
            return QStringLiteral("<missing %1%2>").arg(prefix).arg(k);
        out += l->text().isEmpty() ? QStringLiteral(" ") : l->text();
    }
    return out;
}

void TestAnteprimaPse::labelsShowTheSlip_data()
{
    QTest::addColumn<QStringList>("slip"); // euro, cents, words, cents in words, payer, street, postcode, town
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("cents");
    QTest::addColumn<QString>("payer");
    QTest::addColumn<QString>("street");
    QTest::addColumn<QString>("cap");
    QTest::addColumn<QString>("town");

    const QString blank22(22, QLatin1Char(' '));
    QTest::newRow("empty slip") << QStringList{{}, {}, {}, QStringLiteral("00"), {}, {}, {}, {}}
                                << QStringLiteral("/00") << QString(8, QLatin1Char(' ')) << QStringLiteral("  ")
                                << blank22 + blank22 << blank22 << QStringLiteral("     ")
                                << QString(16, QLatin1Char(' '));
    QTest::newRow("euro 1500")
        << QStringList{QStringLiteral("1500"),  QStringLiteral("00"),          QStringLiteral("MILLECINQUECENTO"),
                       QStringLiteral("00"),    QStringLiteral("ROSSI MARIO"), QStringLiteral("VIA ROMA 1"),
                       QStringLiteral("00184"), QStringLiteral("ROMA")}
        << QStringLiteral("MILLECINQUECENTO/00") << QStringLiteral("    1500") << QStringLiteral("00")
        << QStringLiteral("ROSSI MARIO") + QString(33, QLatin1Char(' ')) << QStringLiteral("VIA ROMA 1            ")
        << QStringLiteral("00184") << QStringLiteral("ROMA            ");
    // 25 characters: the first row and three boxes of the second; a single cent digit shows in the first box.
    QTest::newRow("payer of 25, one cent digit")
        << QStringList{QStringLiteral(" 7 "),
                       QStringLiteral("5"),
                       QStringLiteral(" SETTE "),
                       QStringLiteral("5"),
                       QStringLiteral("  ABDELKARIM BENSALEM YUSUF "),
                       QStringLiteral("VIALE DELLA REPUBBLICA 154"),
                       QStringLiteral("20123"),
                       QStringLiteral("SAN GIULIANO MILANESE")}
        << QStringLiteral("SETTE/5") << QStringLiteral("       7") << QStringLiteral("5 ")
        << QStringLiteral("ABDELKARIM BENSALEM YU") + QStringLiteral("SUF") + QString(19, QLatin1Char(' '))
        << QStringLiteral("VIALE DELLA REPUBBLICA") << QStringLiteral("20123") << QStringLiteral("SAN GIULIANO MIL");
}

void TestAnteprimaPse::labelsShowTheSlip()
{
    QFETCH(QStringList, slip);
    QFETCH(QString, words);
    QFETCH(QString, euro);
    QFETCH(QString, cents);
    QFETCH(QString, payer);
    QFETCH(QString, street);
    QFETCH(QString, cap);
    QFETCH(QString, town);
    SlipEditorStandIn editor{slip[0], slip[1], slip[2], slip[3], slip[4], slip[5], slip[6], slip[7]};
    editor.install();
    TfrmAnteprimaPse w;
    w.fillFromEditor();
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("txtImpLettere"))->text(), words);
    QCOMPARE(row(w, QStringLiteral("txtImporto"), 8), euro);
    QCOMPARE(row(w, QStringLiteral("txtCents"), 2), cents);
    QCOMPARE(row(w, QStringLiteral("txtEse"), 44), payer);
    QCOMPARE(row(w, QStringLiteral("txtInd"), 22), street);
    QCOMPARE(row(w, QStringLiteral("txtCap"), 5), cap);
    QCOMPARE(row(w, QStringLiteral("txtCom"), 16), town);
}

// Every character label lies inside the picture, and no two overlap.
void TestAnteprimaPse::labelsSitOnThePicture()
{
    TfrmAnteprimaPse w;
    QWidget *img = w.findChild<QWidget *>(QStringLiteral("imgCorpo"));
    QVERIFY(img);
    QCOMPARE(img->size(), QSize(862, 530));
    QList<QRect> cells;
    for (auto *l : w.findChildren<QLabel *>()) {
        if (l == img || l->parentWidget() != img->parentWidget())
            continue;
        QCOMPARE(l->font().family(), QStringLiteral("Arial"));
        if (l->objectName() != QStringLiteral("txtImpLettere")) {
            QVERIFY2(QRect(QPoint(), img->size()).contains(l->geometry()), qPrintable(l->objectName()));
            QCOMPARE(l->size(), QSize(20, 22));
            QCOMPARE(l->font().pointSize(), 12);
            cells << l->geometry();
        }
    }
    QCOMPARE(cells.size(), 8 + 2 + 44 + 22 + 5 + 16);
    for (int i = 0; i < cells.size(); ++i)
        for (int j = i + 1; j < cells.size(); ++j)
            QVERIFY(!cells[i].intersects(cells[j]));
}

void TestAnteprimaPse::closes()
{
    TfrmAnteprimaPse w;
    QCOMPARE(w.objectName(), QStringLiteral("frmAnteprimaPse"));
    bool ran = false;
    TestSupport::onNextModal([&ran](QWidget *modal) {
        ran = modal->objectName() == QStringLiteral("frmAnteprimaPse");
        if (auto *b = modal->findChild<QPushButton *>(QStringLiteral("btnChiudi")))
            b->click();
    });
    w.exec();
    QVERIFY(ran);
}

// A stored words field is text, not a page: it must not come out large and red.
void TestAnteprimaPse::storedMarkupShownLiterally()
{
    const QString markup = QStringLiteral("<font size=7 color=red>ANNULLATO</font>");
    SlipEditorStandIn editor{
        QStringLiteral("16"), QStringLiteral("00"), markup, QStringLiteral("00"), markup, {}, {}, {}};
    editor.install();
    TfrmAnteprimaPse w;
    w.fillFromEditor();
    auto *words = w.findChild<QLabel *>(QStringLiteral("txtImpLettere"));
    QCOMPARE(words->text(), markup + QStringLiteral("/00"));
    const QImage shown = words->grab().toImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            QVERIFY2(!(c.red() > 160 && c.green() < 90 && c.blue() < 90), "red text in the words line");
        }
    QCOMPARE(row(w, QStringLiteral("txtEse"), 6), QStringLiteral("<font "));
}

QTEST_MAIN(TestAnteprimaPse)
#include "test_anteprimapse.moc"

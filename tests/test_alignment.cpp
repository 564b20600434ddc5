// The alignment test print: read back from PDF, every outline against the slip print's own box table.

#include "core/report/Report.h"
#include "core/widgets/Forms.h"
#include "slips/ProvaAllineamento.h"
#include "slips/StampaBolTer.h"
#include "tests/PdfText.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kPxPerMm = 10; // 254 dpi
constexpr double kTol = 0.2; // mm

QImage rasterise(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    const QString out = pdf + QStringLiteral(".raster");
    QProcess p;
    p.start(tool, {QStringLiteral("-r"), QString::number(kPxPerMm * 25.4), QStringLiteral("-gray"),
                   QStringLiteral("-singlefile"), pdf, out});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(out + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

bool ink(const QImage &img, int x, int y)
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qGray(img.pixel(x, y)) < 200;
}

// Where a drawn line runs near at (mm) across the middle half of the span from..to along the other axis:
// the centre of the pixel lines, within 0.35 mm of at, that are inked for at least 80 % of that span. NaN
// when there is none. Some boxes of the form stand only 0.6 mm apart.
double lineNear(const QImage &img, bool vertical, double at, double from, double to)
{
    const int a0 = qRound((at - 0.35) * kPxPerMm), a1 = qRound((at + 0.35) * kPxPerMm);
    const int s0 = qRound((from + (to - from) / 4) * kPxPerMm), s1 = qRound((to - (to - from) / 4) * kPxPerMm);
    double sum = 0;
    int n = 0;
    for (int a = a0; a <= a1; ++a) {
        int inked = 0;
        for (int s = s0; s <= s1; ++s)
            inked += vertical ? ink(img, a, s) : ink(img, s, a);
        if (inked >= 0.8 * (s1 - s0 + 1)) {
            sum += a + 0.5;
            ++n;
        }
    }
    return n ? sum / n / kPxPerMm : qQNaN();
}
} // namespace

class TestAlignment : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup()
    {
        TestSupport::checkSeams();
        Forms::clear();
    }

    void outlinesFollowTheSlipBoxes_data();
    void outlinesFollowTheSlipBoxes();
    void cancelledDialogPrintsNothing();
};

void TestAlignment::outlinesFollowTheSlipBoxes_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("legend");
    QTest::newRow("0/0") << 0 << 0 << QStringLiteral("Margine superiore: 0 mm Margine sinistro: 0 mm");
    QTest::newRow("+3/-2") << 3 << -2 << QStringLiteral("Margine superiore: +3 mm Margine sinistro: -2 mm");
}

void TestAlignment::outlinesFollowTheSlipBoxes()
{
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(QString, legend);
    if (PdfText::tool().isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("poppler-utils is not installed: the printed PDF cannot be read back");

    TestProgramFolder folder;
    const QString ini = folder.file(QStringLiteral("Bollettini.ini"));
    const QByteArray stored = "[Margini Stampa Bollettino PSE]\r\nSuperiore=1\r\nSinistro=1\r\n";
    {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(stored);
    }
    TfrmStampaBolTer w;
    w.show();
    // The margins on screen, not applied.
    for (int i = 1; i != top; i += top > 1 ? 1 : -1)
        (top > 1 ? w.btnTopPlus : w.btnTopMinus)->click();
    for (int i = 1; i != left; i += left > 1 ? 1 : -1)
        (left > 1 ? w.btnLeftPlus : w.btnLeftMinus)->click();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("prova.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    w.btnProvaAllineamento->click();
    QVERIFY(w.isVisible());
    QVERIFY(Seams::Messages::shown().isEmpty());
    {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), stored);
    }

    QCOMPARE(PdfText::pageCount(pdf), 1);
    const QSizeF paper = PdfText::pageSizeMm(pdf);
    QVERIFY(qAbs(paper.width() - 356) < 0.5 && qAbs(paper.height() - 210) < 0.5);
    const QList<PdfText::Word> words = PdfText::words(pdf);
    QStringList texts;
    for (const auto &word : words)
        if (word.mm.left() > 15 && word.mm.top() > 100) // the legend, not the scales
            texts << word.text;
    QVERIFY2(texts.join(u' ').contains(legend), qPrintable(texts.join(u' ')));
    // The scales belong to the paper: the margins do not move them.
    bool top200 = false, left100 = false;
    for (const auto &word : words) {
        top200 |= word.text == QStringLiteral("200") && qAbs(word.mm.center().x() - 200) < 0.5 && word.mm.top() < 8;
        left100 |= word.text == QStringLiteral("100") && qAbs(word.mm.center().y() - 100) < 0.5 && word.mm.left() < 8;
    }
    QVERIFY(top200 && left100);

    // Every box of the slip template, outlined where the slip print puts its text.
    const QImage img = rasterise(pdf);
    QVERIFY(!img.isNull());
    Report slip;
    QVERIFY(slip.load(AlignmentPrint::templatePath()));
    const QPointF shift(left, top);
    int boxes = 0;
    for (const ReportBand &band : slip.bands()) {
        for (const ReportObject &o : band.objects) {
            if (o.kind != ReportObject::Kind::Text)
                continue;
            ++boxes;
            const QRectF r = o.rect.translated(shift);
            const struct {
                const char *edge;
                double expected, found;
            } edges[] = {
                {"left", r.left(), lineNear(img, true, r.left(), r.top(), r.bottom())},
                {"right", r.right(), lineNear(img, true, r.right(), r.top(), r.bottom())},
                {"top", r.top(), lineNear(img, false, r.top(), r.left(), r.right())},
                {"bottom", r.bottom(), lineNear(img, false, r.bottom(), r.left(), r.right())},
            };
            for (const auto &e : edges)
                QVERIFY2(qAbs(e.found - e.expected) <= kTol,
                         qPrintable(QStringLiteral("%1 %2 edge: expected at %3 mm, found %4")
                                        .arg(o.name, QLatin1String(e.edge))
                                        .arg(e.expected)
                                        .arg(e.found)));
        }
    }
    QCOMPARE(boxes, 124);
    // A crosshair 2 mm out from the top-left corner of section B's boxes (214.0, 9.4).
    const QPointF cross = QPointF(212, 7.4) + shift;
    QVERIFY(qAbs(lineNear(img, true, cross.x(), cross.y() - 3, cross.y() + 3) - cross.x()) <= kTol);
    QVERIFY(qAbs(lineNear(img, false, cross.y(), cross.x() - 3, cross.x() + 3) - cross.y()) <= kTol);
}

void TestAlignment::cancelledDialogPrintsNothing()
{
    TestProgramFolder folder;
    TfrmStampaBolTer w;
    w.show();
    Seams::Printing::setNextPdfFile(QString());
    w.btnProvaAllineamento->click();
    QVERIFY(w.isVisible());
    QVERIFY(Seams::Messages::shown().isEmpty());
    QVERIFY(!QFile::exists(folder.file(QStringLiteral("Bollettini.ini"))));
}

QTEST_MAIN(TestAlignment)
#include "test_alignment.moc"

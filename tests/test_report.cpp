// The summary report printed to PDF and read back: title, lines across pages, footer.

#include "core/report/Report.h"
#include "core/widgets/ReportPrinting.h"
#include "core/widgets/SummaryReport.h"
#include "tests/PdfText.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup() { TestSupport::checkSeams(); }
    void longListContinuesOnFollowingPages_data();
    void longListContinuesOnFollowingPages();
    void cancelledDialogPrintsNothing();
    void emptyListStillPrintsTitleAndFooter();
    void customPageKeepsItsExactSize();
    void wrappedTextContinuesOnTheNextPage();
    void positionsHoldAtAnyResolution_data();
    void positionsHoldAtAnyResolution();
};

static QStringList sampleLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("RIGA%1  ROSSI MARIO           Via Roma %2   01/02/2024")
                     .arg(i, 3, 10, QLatin1Char('0'))
                     .arg(i);
    return lines;
}

void TestReport::longListContinuesOnFollowingPages_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("footer");
    QTest::newRow("schede") << int(SummaryReport::Variant::Schede)
                            << QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30");
    QTest::newRow("dati") << int(SummaryReport::Variant::Dati) << QStringLiteral("Stampa eseguita in data 15/03/2024");
}

void TestReport::longListContinuesOnFollowingPages()
{
    QFETCH(int, variant);
    QFETCH(QString, footer);
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("riepilogo.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    const QStringList lines = sampleLines(150);
    QVERIFY(SummaryReport::print(nullptr, QStringLiteral("Riepilogo bollettini non saldati"),
                                 SummaryReport::Variant(variant), lines));

    const int pages = PdfText::pageCount(pdf);
    QCOMPARE(pages, 3); // 53 lines under the title on page 1, 56 on page 2, the rest and the footer on page 3
    const QSizeF paper = PdfText::pageSizeMm(pdf);
    QCOMPARE(qRound(paper.width()), 297);
    QCOMPARE(qRound(paper.height()), 210);

    int next = 0; // index of the next line expected
    for (int page = 1; page <= pages; ++page) {
        // Blanks are compared loosely: the layout text of pdftotext does not keep their count.
        const QString text = PdfText::pageText(pdf, page).simplified();
        QCOMPARE(text.contains(QStringLiteral("Riepilogo bollettini non saldati")), page == 1);
        QCOMPARE(text.contains(footer), page == pages);
        if (variant == int(SummaryReport::Variant::Dati))
            QVERIFY(!text.contains(QStringLiteral("alle ore")));
        int at = 0;
        const int first = next;
        while (next < lines.size()) {
            const int found = text.indexOf(lines[next].simplified(), at);
            if (found < 0)
                break;
            at = found;
            ++next;
        }
        QVERIFY2(next > first, qPrintable(QStringLiteral("page %1 holds no line").arg(page)));
        if (page == 1)
            QVERIFY(text.indexOf(QStringLiteral("Riepilogo bollettini")) < text.indexOf(lines.first().left(7)));
        if (page == pages)
            QVERIFY(text.indexOf(footer) > text.indexOf(lines.last().left(7)));
    }
    QCOMPARE(next, lines.size());

    // Lines are 3.3925 mm apart and stay within the 10 mm margins.
    QList<double> tops;
    for (const auto &w : PdfText::words(pdf)) {
        // pdftotext's boxes follow the font's ascent and descent, which may reach past the text's own line.
        QVERIFY2(w.mm.center().y() > 10 && w.mm.center().y() < 200, qPrintable(w.text));
        if (w.page == 2 && w.text.startsWith(QStringLiteral("RIGA")))
            tops << w.mm.top();
    }
    QCOMPARE(tops.size(), 56);
    for (int i = 1; i < tops.size(); ++i)
        QVERIFY(qAbs(tops[i] - tops[i - 1] - 3.3925) < 0.02);
}

void TestReport::cancelledDialogPrintsNothing()
{
    Seams::Printing::setNextPdfFile(QString());
    QVERIFY(!SummaryReport::print(nullptr, QStringLiteral("Titolo"), SummaryReport::Variant::Dati, sampleLines(3)));
    QVERIFY(Seams::Messages::shown().isEmpty());
}

void TestReport::emptyListStillPrintsTitleAndFooter()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("vuoto.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    QVERIFY(SummaryReport::print(nullptr, QStringLiteral("Anagrafica Richiedenti"), SummaryReport::Variant::Dati, {}));
    QCOMPARE(PdfText::pageCount(pdf), 1);
    const QString text = PdfText::pageText(pdf, 1);
    QVERIFY(text.contains(QStringLiteral("Anagrafica Richiedenti")));
    QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data 15/03/2024")));
}

// A driver handing back A4 portrait must not win, and the custom size must not snap to a named paper.
void TestReport::customPageKeepsItsExactSize()
{
    Report report;
    QVERIFY2(report.load(QStringLiteral(":/reports/repBollettino_Blank.json")), qPrintable(report.errorString()));
    QCOMPARE(report.paperSizeMm(), QSizeF(356, 210));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5)));
    QVERIFY(!ReportPrinting::hasLayout(report, printer));
    QVERIFY(ReportPrinting::applyLayout(report, printer));
    const QPageLayout layout = printer.pageLayout();
    QCOMPARE(layout.pageSize().id(), QPageSize::Custom);
    QCOMPARE(layout.pageSize().size(QPageSize::Millimeter), QSizeF(210, 356));
    QCOMPARE(layout.orientation(), QPageLayout::Landscape);
    QVERIFY(printer.fullPage());
    QVERIFY(report.find(QStringLiteral("txtComuneRes16")));
    QVERIFY(!report.find(QStringLiteral("txtComuneRes17")));
}

// A word-wrapped text box breaks between lines at the page end, stays inside its width, and the title and
// the footer go only where they belong.
void TestReport::wrappedTextContinuesOnTheNextPage()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    Report report;
    QVERIFY2(report.loadJson(R"({
        "name": "prova", "page": {"paper": "A4", "margins": {"left": 10, "top": 10, "right": 10, "bottom": 10}},
        "bands": [
          {"name": "Titolo", "kind": "title", "height": 15, "objects": [
            {"name": "txtTitolo", "text": "Intestazione [DATE]", "expressions": true, "left": 0, "top": 0, "width": 190, "height": 8,
             "font": {"name": "Arial", "size": 12, "style": "bold"}},
            {"type": "line", "name": "linSotto", "left": 0, "top": 10, "width": 190, "height": 0}]},
          {"name": "Dati", "kind": "data", "height": 10, "objects": [
            {"name": "txtCorpo", "left": 20, "top": 2, "width": 60, "height": 5, "wordWrap": true,
             "font": {"name": "Arial", "size": 10}}]},
          {"name": "Piede", "kind": "footer", "height": 10, "objects": [
            {"name": "txtPiede", "text": "Fine alle [TIME]", "expressions": true, "left": 0, "top": 2, "width": 190, "height": 6}]}
        ]})"),
             qPrintable(report.errorString()));
    QStringList words;
    for (int i = 1; i <= 600; ++i)
        words << QStringLiteral("p%1").arg(i, 3, 10, QLatin1Char('0'));
    QVERIFY(report.setText(QStringLiteral("txtCorpo"), words.join(u' ')));
    QVERIFY(!report.setText(QStringLiteral("linSotto"), QStringLiteral("x")));
    report.prepare();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("prova.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    QVERIFY(ReportPrinting::print(report, nullptr));

    const int pages = PdfText::pageCount(pdf);
    QVERIFY(pages >= 2);
    QCOMPARE(pages, report.pageCount());
    int next = 0;
    PdfText::Word last, footer;
    for (const auto &w : PdfText::words(pdf)) {
        if (w.text.startsWith(QLatin1Char('p'))) {
            QCOMPARE(w.text, words.value(next++)); // in order, none lost, none twice
            QVERIFY(w.mm.left() >= 30 - 0.3 && w.mm.right() <= 90 + 0.3);
            QVERIFY(w.mm.center().y() > 10 && w.mm.center().y() < 287);
            last = w;
        } else if (w.text == QStringLiteral("Intestazione") || w.text == QStringLiteral("15/03/2024")) {
            QCOMPARE(w.page, 1);
        } else if (w.text == QStringLiteral("Fine")) {
            footer = w;
        }
    }
    QCOMPARE(next, words.size());
    QCOMPARE(last.page, pages);
    QCOMPARE(footer.page, pages);
    QVERIFY(footer.mm.top() > last.mm.bottom());
    QVERIFY(PdfText::pageText(pdf, pages).contains(QStringLiteral("Fine alle 10:30")));
}

void TestReport::positionsHoldAtAnyResolution_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("72") << 72;
    QTest::newRow("300") << 300;
    QTest::newRow("1200") << 1200;
}

// Millimetres become device pixels through the printer's resolution; fonts keep their point size.
void TestReport::positionsHoldAtAnyResolution()
{
    QFETCH(int, dpi);
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    Report report;
    QVERIFY(report.load(QStringLiteral(":/reports/repBollettino_Blank.json")));
    QVERIFY(report.setText(QStringLiteral("txtImporto08_B"), QStringLiteral("6")));
    QVERIFY(report.setText(QStringLiteral("txtImpLettere_B"), QStringLiteral("SEDICI/00")));
    report.setTopMargin(2);
    report.setLeftMargin(-1);
    report.prepare();
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("r.pdf")));
    printer.setResolution(dpi);
    QVERIFY(ReportPrinting::applyLayout(report, printer));
    QVERIFY(ReportPrinting::render(report, printer));
    const auto words = PdfText::words(printer.outputFileName());
    QCOMPARE(words.size(), 2);
    for (const auto &w : words) {
        if (w.text == QStringLiteral("6")) {
            QVERIFY(qAbs(w.mm.center().x() - (311.8 + 1.4 - 1)) < 0.3);
            QVERIFY(qAbs(w.mm.center().y() - (9.4 + 1.7 + 2)) < 0.71);
            QVERIFY(qAbs(w.mm.height() - 7 * 25.4 / 72 * 1.117) < 0.2); // Arial's ascent and descent at 7 pt
        } else {
            QCOMPARE(w.text, QStringLiteral("SEDICI/00"));
            QVERIFY(qAbs(w.mm.left() - (214.0 - 1)) < 0.3);
        }
    }
}

QTEST_MAIN(TestReport)
#include "test_report.moc"

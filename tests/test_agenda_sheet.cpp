// The deadline sheet printed to PDF and read back: rows at their places, blank rows, footer, no preview.

#include "EditorFixture.h"
#include "TestSupport.h"

#include "agenda/Scadenzario.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "tests/PdfText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr double kMargin = 10;    // mm, the sheet's margins
constexpr double kTolX = 0.3;     // mm
constexpr double kTolY = 0.71;    // mm (2 pt): pdftotext's boxes follow the font's ascent and descent
constexpr double kPitchTol = 0.3; // mm, distance between rows

double rowCentre(int n)
{
    return kMargin + 24 + (n - 1) * 10 + 3;
}

// The words printed on row n, left to right.
QList<PdfText::Word> onRow(const QList<PdfText::Word> &words, int n)
{
    QList<PdfText::Word> in;
    for (const auto &w : words)
        if (qAbs(w.mm.center().y() - rowCentre(n)) < 3)
            in.append(w);
    std::sort(in.begin(), in.end(), [](const auto &a, const auto &b) { return a.mm.left() < b.mm.left(); });
    return in;
}

QString joined(const QList<PdfText::Word> &words, double fromX, double toX)
{
    QStringList parts;
    for (const auto &w : words)
        if (w.mm.left() >= fromX && w.mm.left() < toX)
            parts << w.text;
    return parts.join(QLatin1Char(' '));
}
} // namespace

class TestAgendaSheet : public QObject, private EditorFixture<TfrmScadenzario> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sheetRowsAtTheirPlaces();
    void newRecordPrintsNeutralValues();

private:
    QString printToPdf();
    QTemporaryDir dir;
};

void TestAgendaSheet::init()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    setUpEditor(QDate(2014, 3, 15));
    openYear(QStringLiteral("2014"));
}

void TestAgendaSheet::cleanup()
{
    tearDownEditor();
}

QString TestAgendaSheet::printToPdf()
{
    const QString pdf = dir.filePath(QStringLiteral("scheda.pdf"));
    QFile::remove(pdf);
    Seams::Printing::setNextPdfFile(pdf);
    QTest::mouseClick(ed->cmdStampa, Qt::LeftButton);
    return pdf;
}

void TestAgendaSheet::sheetRowsAtTheirPlaces()
{
    ed->txtGiorno->setEditText(QStringLiteral("05"));
    ed->txtMese->setEditText(QStringLiteral("Marzo"));
    ed->txtOreApp->setEditText(QStringLiteral("09"));
    ed->txtMinutiApp->setEditText(QStringLiteral("30"));
    const std::pair<QLineEdit *, const char *> values[] = {
        {ed->txtAvviso, "3"},           {ed->txtCliente, "ROSSI MARIO"}, {ed->txtCodFisc, "RSSMRA80A01H501U"},
        {ed->txtRecapito, "061234567"}, {ed->txtOggetto, "Rinnovo"},     {ed->txtTipologia, "Lavoro"},
        {ed->txtProtocollo, "A/123"},   {ed->txtApertura, "01/03/2014"}, {ed->txtChiusura, "02/03/2014"},
        {ed->txtStato, "Aperta"},       {ed->txtConsulente, "Bianchi"},  {ed->txtDettagli, "Questura"},
        {ed->txtOfficina, "Contanti"},  {ed->txtCosto, "16,50"},         {ed->txtContatto, "R77"},
    };
    for (const auto &[field, text] : values)
        field->setText(QString::fromLatin1(text));
    // Longer than the value box: printed on one line, never wrapped onto the rows below.
    ed->txtNote->setText(QStringLiteral("Nota ").repeated(50).trimmed());
    ed->chkDaConfermare->setChecked(true);

    const QString pdf = printToPdf();
    QCOMPARE(Seams::Printing::previewCount(), 0);
    QCOMPARE(PdfText::pageCount(pdf), 1);
    QCOMPARE(PdfText::title(pdf), QStringLiteral("Scadenza_2014-03-05")); // named after the deadline's day
    const QSizeF paper = PdfText::pageSizeMm(pdf);
    QCOMPARE(qRound(paper.width()), 210);
    QCOMPARE(qRound(paper.height()), 297);
    const auto words = PdfText::words(pdf);
    const QString text = PdfText::pageText(pdf, 1).simplified();
    QVERIFY(text.contains(QStringLiteral("SCHEDA SCADENZA / APPUNTAMENTO")));
    QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data 15/03/2014 alle ore 10:30:00")));

    const char16_t *captions[] = {u"Data scadenza:",
                                  u"Ora appuntamento:",
                                  u"Giorni preavviso:",
                                  u"Richiedente:",
                                  u"Codice fiscale:",
                                  u"Telefono preferenziale:",
                                  u"Oggetto pratica:",
                                  u"Tipologia:",
                                  u"Protocollo n.",
                                  u"Data apertura:",
                                  u"Data chiusura:",
                                  u"Stato avanzamento:",
                                  u"Consulente o curatore:",
                                  u"Causale scadenza:",
                                  u"Modalità di pagamento:",
                                  u"Importo in euro:",
                                  u"Estremi ricevuta:",
                                  u"Note:",
                                  u"Appuntamento da confermare:",
                                  u"Pagamento effettuato:"};
    QStringList expectedValues = {QStringLiteral("05 Marzo 2014"), QStringLiteral("09:30")};
    for (const auto &v : values)
        expectedValues << QString::fromLatin1(v.second);
    expectedValues << QString() << QStringLiteral("Sì") << QStringLiteral("No");

    double firstCentre = 0;
    for (int n = 1; n <= 24; ++n) {
        const auto row = onRow(words, n);
        const QByteArray what = QByteArray("row ") + QByteArray::number(n);
        if (n > 20) {
            QVERIFY2(row.isEmpty(), what.constData());
            continue;
        }
        QVERIFY2(!row.isEmpty(), what.constData());
        QCOMPARE(joined(row, 0, kMargin + 58), QString::fromUtf16(captions[n - 1]));
        QVERIFY2(qAbs(row.first().mm.left() - (kMargin + 3)) <= kTolX, what.constData());
        const double centre = row.first().mm.center().y();
        QVERIFY2(qAbs(centre - rowCentre(n)) <= kTolY, what.constData());
        if (n == 1)
            firstCentre = centre;
        QVERIFY2(qAbs(centre - firstCentre - (n - 1) * 10) <= kPitchTol, what.constData());
        if (n == 18)
            continue; // the long note, below
        QCOMPARE(joined(row, kMargin + 58, 210), expectedValues[n - 1]);
        const auto value =
            std::find_if(row.begin(), row.end(), [](const auto &w) { return w.mm.left() > kMargin + 58; });
        QVERIFY2(qAbs(value->mm.left() - (kMargin + 60)) <= kTolX, what.constData());
    }
    const auto note = onRow(words, 18);
    for (const auto &w : note)
        QVERIFY(qAbs(w.mm.center().y() - note.first().mm.center().y()) < 0.1); // one line
    QVERIFY(joined(note, kMargin + 58, 210).startsWith(QStringLiteral("Nota Nota")));
}

void TestAgendaSheet::newRecordPrintsNeutralValues()
{
    const auto words = PdfText::words(printToPdf());
    const QString expected[] = {QStringLiteral("2014"), QStringLiteral("00:00")};
    QCOMPARE(joined(onRow(words, 1), kMargin + 58, 210), expected[0]);
    QCOMPARE(joined(onRow(words, 2), kMargin + 58, 210), expected[1]);
    QCOMPARE(joined(onRow(words, 16), kMargin + 58, 210), QStringLiteral("0,00"));
    QCOMPARE(joined(onRow(words, 19), kMargin + 58, 210), QStringLiteral("No"));
    QCOMPARE(joined(onRow(words, 20), kMargin + 58, 210), QStringLiteral("No"));
    for (int n = 3; n <= 15; ++n)
        QCOMPARE(joined(onRow(words, n), kMargin + 58, 210), QString());
}

QTEST_MAIN(TestAgendaSheet)
#include "test_agenda_sheet.moc"

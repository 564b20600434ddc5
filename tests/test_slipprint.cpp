// The TD 674 slip printed to PDF and read back glyph by glyph; the margins window and Bollettini.ini.

#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "core/widgets/Forms.h"
#include "slips/StampaBolTer.h"
#include "tests/PdfText.h"
#include "tests/SlipEditorStandIn.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The pre-printed cells of the form: left edges and top in millimetres, as the form expects them.
struct BoxRow {
    QList<double> lefts;
    double top;
    double height;
};
const BoxRow kEuroA{{36.3, 40.7, 45.1, 49.5, 53.9, 58.3, 62.7, 67.1}, 16.2, 3.4};
const BoxRow kCentsA{{72.0, 76.2}, 16.2, 3.4};
const BoxRow kEuroC{{118.6, 122.8, 127.2, 131.6, 136.0, 140.4, 144.8, 149.2}, 16.2, 3.4};
const BoxRow kCentsC{{154.3, 158.5}, 16.2, 3.4};
const BoxRow kEuroB{{280.9, 285.4, 289.7, 294.1, 298.8, 303.0, 307.3, 311.8}, 9.4, 3.4};
const BoxRow kCentsB{{316.9, 321.2}, 9.4, 3.4};
const QList<double> kPayerLefts{226.2, 230.7, 235.1, 239.5, 243.9, 248.3, 252.8, 257.2, 261.6, 265.9, 270.4,
                                274.8, 279.2, 283.5, 288.0, 292.4, 296.7, 301.2, 305.6, 310.0, 314.5, 318.9};
const BoxRow kPayer1B{kPayerLefts, 51.6, 3.6};
const BoxRow kPayer2B{kPayerLefts, 57.0, 3.6};
const BoxRow kStreetB{{226.8, 231.2, 235.7, 240.1, 244.5, 248.9, 253.3, 257.8, 262.2, 265.6, 270.7,
                       275.0, 279.1, 283.6, 287.8, 292.4, 296.6, 300.9, 305.4, 309.6, 314.0, 318.5},
                      65.3,
                      3.6};
const BoxRow kCapB{{226.8, 231.1, 235.5, 239.9, 244.2}, 73.6, 3.6};
const BoxRow kTownB{
    {253.3, 257.8, 262.0, 265.8, 270.4, 274.8, 279.0, 283.5, 287.8, 292.3, 296.6, 300.9, 305.4, 309.6, 314.0, 318.5},
    73.6,
    3.6};
// The text lines of sections A, C and B: left, top, width.
const QRectF kWordsA(13.0, 25.2, 68.0, 3.4), kPayerA(15.2, 37.6, 65.8, 3.4), kAddressA(15.2, 42.4, 65.8, 3.4);
const QRectF kWordsC(94.2, 25.2, 67.0, 3.4), kPayerC(96.7, 37.6, 66.8, 3.4), kAddressC(96.7, 42.4, 66.8, 3.4);
const QRectF kWordsB(214.0, 18.2, 110.0, 3.4);

constexpr double kTolX = 0.3;  // mm, glyph centre against box centre
constexpr double kTolY = 0.71; // mm (2 pt): pdftotext's boxes follow the font's ascent and descent

// Every character of expected (blank = empty box) must sit centred in its box, moved by shift.
void checkRow(const QList<PdfText::Word> &words, const BoxRow &row, const QString &expected, QPointF shift,
              const char *what)
{
    QCOMPARE(expected.size(), row.lefts.size());
    for (int k = 0; k < row.lefts.size(); ++k) {
        const QPointF centre(row.lefts[k] + 1.4 + shift.x(), row.top + row.height / 2 + shift.y());
        QStringList inBox;
        for (const auto &w : words)
            if (qAbs(w.mm.center().x() - centre.x()) < 1.4 && qAbs(w.mm.center().y() - centre.y()) < row.height / 2)
                inBox << w.text;
        const QString where = QStringLiteral("%1 box %2").arg(QLatin1String(what)).arg(k + 1, 2, 10, QLatin1Char('0'));
        if (expected[k] == QLatin1Char(' ')) {
            QVERIFY2(inBox.isEmpty(), qPrintable(where + QStringLiteral(" should be blank: ") + inBox.join(u',')));
            continue;
        }
        bool placed = false;
        for (const auto &w : words)
            if (w.text == expected.mid(k, 1) && qAbs(w.mm.center().x() - centre.x()) <= kTolX &&
                qAbs(w.mm.center().y() - centre.y()) <= kTolY)
                placed = true;
        QVERIFY2(
            placed,
            qPrintable(where +
                       QStringLiteral(": expected \"%1\", found \"%2\"").arg(expected.mid(k, 1), inBox.join(u','))));
    }
}

// The words inside a line box, left to right; the first must start at the box's left edge.
void checkLine(const QList<PdfText::Word> &words, const QRectF &box, const QString &expected, QPointF shift,
               const char *what)
{
    const QRectF r = box.translated(shift);
    QList<PdfText::Word> in;
    for (const auto &w : words)
        if (w.mm.left() > r.left() - kTolX && w.mm.left() < r.right() &&
            qAbs(w.mm.center().y() - r.center().y()) <= kTolY)
            in << w;
    std::sort(in.begin(), in.end(), [](const auto &a, const auto &b) { return a.mm.left() < b.mm.left(); });
    QStringList texts;
    for (const auto &w : in)
        texts << w.text;
    QCOMPARE(texts.join(u' '), expected);
    if (!in.isEmpty())
        QVERIFY2(qAbs(in.first().mm.left() - r.left()) <= kTolX, what);
}

void installEuro16()
{
    SlipEditorStandIn editor;
    editor.importo = QStringLiteral("16");
    editor.install();
}

} // namespace

class TestSlipPrint : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup()
    {
        TestSupport::checkSeams();
        Forms::clear();
    }

    void everyCharacterLandsInItsBox_data();
    void everyCharacterLandsInItsBox();
    void cancelledPrintDialogStillClosesTheWindow();

    void marginsStartAtZeroWithoutTheFile();
    void marginsReadFromTheFile_data();
    void marginsReadFromTheFile();
    void applyWritesOnlyItsOwnKey();
    void applyCreatesTheFile();
    void unsavedMarginsAreForgottenButStillPrinted();
    void unwritableFileWarnsAndPrintsAll();
    void failedSaveKeepsTheFile_data();
    void failedSaveKeepsTheFile();

    void iniFileWrite_data();
    void iniFileWrite();
    void iniFileRead();
    void iniFileRefusesLineBreaks();
};

// Prints the current stand-in slip after the given clicks on - and +; returns the PDF's words.
static QList<PdfText::Word> printSlip(const QString &pdf, int topClicks, int leftClicks)
{
    TfrmStampaBolTer w;
    w.show();
    for (int i = 0; i < qAbs(topClicks); ++i)
        (topClicks < 0 ? w.btnTopMinus : w.btnTopPlus)->click();
    for (int i = 0; i < qAbs(leftClicks); ++i)
        (leftClicks < 0 ? w.btnLeftMinus : w.btnLeftPlus)->click();
    Seams::Printing::setNextPdfFile(pdf);
    w.btnStampa->click();
    if (w.isVisible())
        return {};
    return PdfText::words(pdf);
}

void TestSlipPrint::everyCharacterLandsInItsBox_data()
{
    QTest::addColumn<QStringList>("slip"); // euro, cents, words, cents in words, payer, street, postcode, town
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("euro");        // the eight euro boxes of each section
    QTest::addColumn<QString>("cents");       // the two cent boxes
    QTest::addColumn<QStringList>("rowsB");   // payer row 1, payer row 2, street, postcode, town of section B
    QTest::addColumn<QStringList>("linesAC"); // words, payer, address lines of sections A and C

    const QStringList plain = {QStringLiteral("16"),    QStringLiteral("00"),          QStringLiteral("SEDICI"),
                               QStringLiteral("00"),    QStringLiteral("ROSSI MARIO"), QStringLiteral("VIA ROMA 1"),
                               QStringLiteral("00184"), QStringLiteral("ROMA")};
    const QStringList plainRows = {QStringLiteral("ROSSI MARIO           "), QString(22, QLatin1Char(' ')),
                                   QStringLiteral("VIA ROMA 1            "), QStringLiteral("00184"),
                                   QStringLiteral("ROMA            ")};
    const QStringList plainLines = {QStringLiteral("SEDICI/00"), QStringLiteral("ROSSI MARIO"),
                                    QStringLiteral("VIA ROMA 1 00184 ROMA")};
    QTest::newRow("euro 16, cents 00") << plain << 0 << 0 << QStringLiteral("      16") << QStringLiteral("00")
                                       << plainRows << plainLines;

    QStringList eight = plain;
    eight[0] = QStringLiteral("12345678");
    eight[1] = QStringLiteral("9");
    eight[2] = QStringLiteral("DODICIMILIONI");
    eight[3] = QStringLiteral("9");
    QTest::newRow("8 digits, unpadded cent")
        << eight << 0 << 0 << QStringLiteral("12345678") << QStringLiteral(" 9") << plainRows
        << QStringList{QStringLiteral("DODICIMILIONI/9"), plainLines[1], plainLines[2]};

    QStringList payer = plain;
    payer[4] = QStringLiteral("MOHAMMED ABDELRAHMAN HASSANEIN"); // 30 characters
    QStringList payerRows = plainRows;
    payerRows[0] = QStringLiteral("MOHAMMED ABDELRAHMAN H");
    payerRows[1] = QStringLiteral("ASSANEIN              ");
    QTest::newRow("payer of 30") << payer << 0 << 0 << QStringLiteral("      16") << QStringLiteral("00") << payerRows
                                 << QStringList{plainLines[0], payer[4], plainLines[2]};

    QStringList town = plain;
    town[7] = QStringLiteral("PALAZZOLO SULL'OGLIO"); // 20 characters
    QStringList townRows = plainRows;
    townRows[4] = QStringLiteral("PALAZZOLO SULL'O");
    QTest::newRow("town of 20") << town << 0 << 0 << QStringLiteral("      16") << QStringLiteral("00") << townRows
                                << QStringList{plainLines[0], plainLines[1],
                                               QStringLiteral("VIA ROMA 1 00184 PALAZZOLO SULL'OGLIO")};

    QTest::newRow("top -3") << plain << -3 << 0 << QStringLiteral("      16") << QStringLiteral("00") << plainRows
                            << plainLines;
    QTest::newRow("left +2, top +1") << plain << 1 << 2 << QStringLiteral("      16") << QStringLiteral("00")
                                     << plainRows << plainLines;
}

void TestSlipPrint::everyCharacterLandsInItsBox()
{
    QFETCH(QStringList, slip);
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(QString, euro);
    QFETCH(QString, cents);
    QFETCH(QStringList, rowsB);
    QFETCH(QStringList, linesAC);
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");

    TestProgramFolder folder;
    SlipEditorStandIn editor{slip[0], slip[1], slip[2], slip[3], slip[4], slip[5], slip[6], slip[7]};
    editor.install();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("slip.pdf"));
    const QList<PdfText::Word> words = printSlip(pdf, top, left);
    QVERIFY(!words.isEmpty());
    QCOMPARE(PdfText::pageCount(pdf), 1);
    const QSizeF paper = PdfText::pageSizeMm(pdf);
    QVERIFY(qAbs(paper.width() - 356) < 0.5 && qAbs(paper.height() - 210) < 0.5);
    // Named after its payer and day, as the file a user saves it to is proposed.
    QCOMPARE(PdfText::title(pdf), QStringLiteral("Bollettino_%1_2024-03-15").arg(slip[4]));

    const QPointF shift(left, top);
    checkRow(words, kEuroA, euro, shift, "euro A");
    checkRow(words, kEuroC, euro, shift, "euro C");
    checkRow(words, kEuroB, euro, shift, "euro B");
    checkRow(words, kCentsA, cents, shift, "cents A");
    checkRow(words, kCentsC, cents, shift, "cents C");
    checkRow(words, kCentsB, cents, shift, "cents B");
    checkRow(words, kPayer1B, rowsB[0], shift, "payer B 01-22");
    checkRow(words, kPayer2B, rowsB[1], shift, "payer B 23-44");
    checkRow(words, kStreetB, rowsB[2], shift, "street B");
    checkRow(words, kCapB, rowsB[3], shift, "postcode B");
    checkRow(words, kTownB, rowsB[4], shift, "town B");
    checkLine(words, kWordsA, linesAC[0], shift, "words A");
    checkLine(words, kWordsC, linesAC[0], shift, "words C");
    checkLine(words, kWordsB, linesAC[0], shift, "words B");
    checkLine(words, kPayerA, linesAC[1], shift, "payer A");
    checkLine(words, kPayerC, linesAC[1], shift, "payer C");
    checkLine(words, kAddressA, linesAC[2], shift, "address A");
    checkLine(words, kAddressC, linesAC[2], shift, "address C");
}

void TestSlipPrint::cancelledPrintDialogStillClosesTheWindow()
{
    TestProgramFolder folder;
    installEuro16();
    TfrmStampaBolTer w;
    w.show();
    Seams::Printing::setNextPdfFile(QString()); // the user cancels the print dialog
    w.btnStampa->click();
    QVERIFY(!w.isVisible());
    QVERIFY(Seams::Messages::shown().isEmpty());
}

void TestSlipPrint::marginsStartAtZeroWithoutTheFile()
{
    TestProgramFolder folder;
    TfrmStampaBolTer w;
    w.show();
    QCOMPARE(w.txtTop->text(), QStringLiteral("0"));
    QCOMPARE(w.txtLeft->text(), QStringLiteral("0"));
    QVERIFY(w.txtTop->isReadOnly() && w.txtLeft->isReadOnly());
    w.btnAnnulla->click();
    QVERIFY(!w.isVisible());
    QVERIFY(!QFile::exists(folder.file(QStringLiteral("Bollettini.ini"))));
}

void TestSlipPrint::marginsReadFromTheFile_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("topAfterPlus");
    QTest::addColumn<QString>("hint"); // what the status line says; empty when nothing
    const QString notWhole = QStringLiteral("Il margine %1 memorizzato non è un numero intero: viene mostrato 0.");
    QTest::newRow("both stored") << QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=-2\r\nSinistro=4\r\n")
                                 << QStringLiteral("-2") << QStringLiteral("4") << QStringLiteral("-1") << QString();
    QTest::newRow("blank and missing") << QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=  \r\n")
                                       << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("1")
                                       << QString();
    // A value that is no whole number cannot be used: it shows 0, from where the user corrects it.
    QTest::newRow("not a number") << QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=abc\r\nSinistro=2,5\r\n")
                                  << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("1")
                                  << notWhole.arg(QStringLiteral("superiore")) + QLatin1Char('\n') +
                                         notWhole.arg(QStringLiteral("sinistro"));
    QTest::newRow("other section only") << QByteArray("[Altro]\r\nSuperiore=7\r\n") << QStringLiteral("0")
                                        << QStringLiteral("0") << QStringLiteral("1") << QString();
    // Values beyond the form come back to its edge, and "+" never wraps round to a negative shift.
    QTest::newRow("range ends") << QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=50\r\nSinistro=-50\r\n")
                                << QStringLiteral("50") << QStringLiteral("-50") << QStringLiteral("50") << QString();
    QTest::newRow("largest integer")
        << QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=2147483647\r\nSinistro=-99999999999999999999\r\n")
        << QStringLiteral("50") << QStringLiteral("-50") << QStringLiteral("50")
        << QStringLiteral("Il margine superiore memorizzato supera i 50 mm ammessi: viene mostrato 50.\n"
                          "Il margine sinistro memorizzato supera i 50 mm ammessi: viene mostrato -50.");
}

void TestSlipPrint::marginsReadFromTheFile()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QString, topAfterPlus);
    QFETCH(QString, hint);
    TestProgramFolder folder;
    QFile f(folder.file(QStringLiteral("Bollettini.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ini);
    f.close();
    TfrmStampaBolTer w;
    w.show();
    QCOMPARE(w.txtTop->text(), top);
    QCOMPARE(w.txtLeft->text(), left);
    QCOMPARE(w.panInfo->text(), hint);
    w.btnTopPlus->click();
    QCOMPARE(w.txtTop->text(), topAfterPlus);
    w.btnLeftMinus->click();
    QVERIFY(w.txtLeft->text().toInt() >= -50);
}

void TestSlipPrint::applyWritesOnlyItsOwnKey()
{
    TestProgramFolder folder;
    const QByteArray before = "; margini della stampante dell'ufficio\r\n"
                              "[Margini Stampa Bollettino PSE]\r\n"
                              "Sinistro = 5\r\n"
                              "Superiore=2\r\n"
                              "\r\n"
                              "[Altra Sezione]\r\n"
                              "Superiore=9\r\n";
    const QString path = folder.file(QStringLiteral("Bollettini.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();

    TfrmStampaBolTer w;
    w.show();
    QCOMPARE(w.txtTop->text(), QStringLiteral("2"));
    QCOMPARE(w.txtLeft->text(), QStringLiteral("5"));
    w.btnTopPlus->click();
    w.btnLeftMinus->click(); // changed on screen, not applied
    w.btnApplicaTop->click();
    QVERIFY(w.isVisible());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray(before).replace("Superiore=2\r\n", "Superiore=3\r\n"));
    QVERIFY(Seams::Messages::shown().isEmpty());
}

void TestSlipPrint::applyCreatesTheFile()
{
    TestProgramFolder folder;
    TfrmStampaBolTer w;
    w.show();
    for (int i = 0; i < 3; ++i)
        w.btnTopMinus->click();
    QCOMPARE(w.txtTop->text(), QStringLiteral("-3"));
    w.btnApplicaTop->click();
    w.btnLeftPlus->click();
    w.btnApplicaLeft->click();
    QFile f(folder.file(QStringLiteral("Bollettini.ini")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=-3\r\nSinistro=1\r\n"));
}

void TestSlipPrint::unsavedMarginsAreForgottenButStillPrinted()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    TestProgramFolder folder;
    installEuro16();
    QTemporaryDir dir;
    const QList<PdfText::Word> words = printSlip(dir.filePath(QStringLiteral("slip.pdf")), -3, 0);
    checkRow(words, kEuroB, QStringLiteral("      16"), QPointF(0, -3), "euro B");
    TfrmStampaBolTer again;
    again.show();
    QCOMPARE(again.txtTop->text(), QStringLiteral("0"));
}

void TestSlipPrint::unwritableFileWarnsAndPrintsAll()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    TestProgramFolder folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Bollettini.ini"))); // a folder in the way of the file
    installEuro16();
    TfrmStampaBolTer w;
    w.show();
    w.btnLeftPlus->click();
    w.btnLeftPlus->click();
    w.btnApplicaLeft->click();
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("Attenzione: non è stato possibile salvare il margine nel file Bollettini.ini.\n\r\n\r"
                            "La stampa utilizzerà comunque i valori indicati."));
    QVERIFY(w.isVisible());
    QCOMPARE(w.txtLeft->text(), QStringLiteral("2"));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("slip.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    w.btnStampa->click();
    checkRow(PdfText::words(pdf), kEuroA, QStringLiteral("      16"), QPointF(2, 0), "euro A");
}

void TestSlipPrint::failedSaveKeepsTheFile_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("flush fails (disk full)") << int(SafeFile::Step::Flush);
    QTest::newRow("sync fails") << int(SafeFile::Step::Sync);
    QTest::newRow("close fails") << int(SafeFile::Step::Close);
    QTest::newRow("rename fails") << int(SafeFile::Step::Rename);
}

void TestSlipPrint::failedSaveKeepsTheFile()
{
    QFETCH(int, step);
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Bollettini.ini"));
    const QByteArray before = "[Margini Stampa Bollettino PSE]\r\nSuperiore=2\r\nSinistro=-1\r\n";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();
    TfrmStampaBolTer w;
    w.show();
    w.btnTopPlus->click();
    SafeFile::setFaultHook([step](SafeFile::Step s, const QString &) { return int(s) == step; });
    w.btnApplicaTop->click();
    SafeFile::setFaultHook({});
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    f.close();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Bollettini.ini")});
    // Once the disk is well again the same click stores it.
    w.btnApplicaTop->click();
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(IniFile::read(path, TfrmStampaBolTer::iniSection(), QStringLiteral("Superiore")), QStringLiteral("3"));
}

void TestSlipPrint::iniFileWrite_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("replace, case and blanks ignored")
        << QByteArray("[margini stampa bollettino pse]\r\n  SUPERIORE =1\r\nSinistro=2\r\n")
        << QByteArray("[margini stampa bollettino pse]\r\nSuperiore=7\r\nSinistro=2\r\n");
    QTest::newRow("insert after the section's last line")
        << QByteArray("[Margini Stampa Bollettino PSE]\r\nSinistro=2\r\n\r\n[Altro]\r\nx=1\r\n")
        << QByteArray("[Margini Stampa Bollettino PSE]\r\nSinistro=2\r\nSuperiore=7\r\n\r\n[Altro]\r\nx=1\r\n");
    QTest::newRow("new section, LF file without final break")
        << QByteArray("[Altro]\nx=1") << QByteArray("[Altro]\nx=1\n\n[Margini Stampa Bollettino PSE]\nSuperiore=7\n");
    QTest::newRow("key of another section untouched")
        << QByteArray("[Altro]\r\nSuperiore=1\r\n")
        << QByteArray("[Altro]\r\nSuperiore=1\r\n\r\n[Margini Stampa Bollettino PSE]\r\nSuperiore=7\r\n");
    QTest::newRow("byte order mark before the section")
        << QByteArray("\xEF\xBB\xBF[Margini Stampa Bollettino PSE]\r\nSuperiore=1\r\n")
        << QByteArray("\xEF\xBB\xBF[Margini Stampa Bollettino PSE]\r\nSuperiore=7\r\n");
    QTest::newRow("comment that looks like the key")
        << QByteArray("[Margini Stampa Bollettino PSE]\r\n;Superiore=1\r\n")
        << QByteArray("[Margini Stampa Bollettino PSE]\r\n;Superiore=1\r\nSuperiore=7\r\n");
}

void TestSlipPrint::iniFileWrite()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();
    QVERIFY(IniFile::write(path, QStringLiteral("Margini Stampa Bollettino PSE"), QStringLiteral("Superiore"),
                           QStringLiteral("7")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), after);
    bool ok = false;
    QCOMPARE(IniFile::read(path, QStringLiteral("Margini Stampa Bollettino PSE"), QStringLiteral("superiore"), &ok),
             QStringLiteral("7"));
    QVERIFY(ok);
}

void TestSlipPrint::iniFileRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    bool ok = true;
    QCOMPARE(IniFile::read(path, QStringLiteral("S"), QStringLiteral("k"), &ok), QString());
    QVERIFY(!ok);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[S]\r\nk = \"con spazi \"\r\nvuota=\r\n[T]\r\nz=1\r\n[S]\r\naltra=\xe8\r\n");
    f.close();
    QCOMPARE(IniFile::read(path, QStringLiteral("s"), QStringLiteral("K"), &ok), QStringLiteral("con spazi "));
    QVERIFY(ok);
    QCOMPARE(IniFile::read(path, QStringLiteral("S"), QStringLiteral("vuota"), &ok), QString());
    QVERIFY(ok);
    QCOMPARE(IniFile::read(path, QStringLiteral("S"), QStringLiteral("z"), &ok), QString());
    QVERIFY(!ok);
    QCOMPARE(IniFile::read(path, QStringLiteral("S"), QStringLiteral("altra"), &ok), QStringLiteral("è"));
    QVERIFY(ok);
}

void TestSlipPrint::iniFileRefusesLineBreaks()
{
    // A value with a line break would end its line and add lines of its own: a section, a key nobody wrote.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    const QByteArray before = "[Accesso]\r\nValore=1A2B\r\n";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();
    for (const QString &value :
         {QStringLiteral("x\r\n[Accesso]\r\nValore=00"), QStringLiteral("a\nb"), QStringLiteral("a\rb")}) {
        QVERIFY(!IniFile::write(path, QStringLiteral("Margini"), QStringLiteral("Superiore"), value));
        QVERIFY(!IniFile::write(path, value, QStringLiteral("Superiore"), QStringLiteral("1")));
        QVERIFY(!IniFile::write(path, QStringLiteral("Margini"), value, QStringLiteral("1")));
    }
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

QTEST_MAIN(TestSlipPrint)
#include "test_slipprint.moc"

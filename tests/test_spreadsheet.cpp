// The spreadsheet file (byte for byte, failures, read back by LibreOffice when present), the export procedure
// and the annual payments export window.

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Spreadsheet.h"
#include "core/widgets/ExportGrid.h"
#include "core/widgets/ExportSpreadsheet.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "slips/ExpBollettini.h"
#include "tests/SlipFixture.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using SlipFixture::Slip;

class TestSpreadsheet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fileBytes_data();
    void fileBytes();
    void failingDeviceStopsWriting();
    void exportProcedure_data();
    void exportProcedure();
    void noProgramToOpenTheExportSaysWhereItIs();
    void libreOfficeKeepsTextCells();
    void slipGridAndExport();
    void emptyArchiveExportsHeadingsOnly();
    void unreadableArchiveKeepsTheEarlierExport_data();
    void unreadableArchiveKeepsTheEarlierExport();
    void helpShowsItsTitle();

private:
    TestProgramFolder *m_folder = nullptr;
};

// A device that takes a given number of bytes and then fails, as a full disk or a lost share does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (len > m_room)
            return -1;
        m_room -= len;
        written.append(data, len);
        return len;
    }

private:
    qint64 m_room;
};

static const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Foglio di prova</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>"
    "False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
    "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>"
    "<tr><td sdnum=\"1040;0;@\" style=\"text-align: left; font-weight: bold;\" width=250>Importo versato</td>"
    "<td sdnum=\"1040;0;@\" style=\"text-align: left; font-weight: bold;\" width=120>CAP</td></tr>";
static const QByteArray kCell = "<td sdnum=\"1040;0;@\" style=\"text-align: left;\">";
static const QByteArray kTail = "</table></body></html>";

static SpreadsheetExport sample(const QList<QStringList> &rows)
{
    return {QStringLiteral("Prova.xls"),
            QStringLiteral("Foglio di prova"),
            {{QStringLiteral("Importo versato"), 250}, {QStringLiteral("CAP"), 120}},
            rows};
}

static QByteArray bytesOf(const SpreadsheetExport &d)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteSpreadsheetFile(d, buffer);
    return buffer.data();
}

void TestSpreadsheet::init()
{
    TestSupport::resetSeams(QDate(2024, 3, 15));
    m_folder = new TestProgramFolder;
}

void TestSpreadsheet::cleanup()
{
    TestSupport::checkSeams();
    Forms::clear();
    delete m_folder;
}

void TestSpreadsheet::fileBytes_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("no rows: headings only") << QList<QStringList>{} << QByteArray();
    QTest::newRow("euro, trimming, empty cell")
        << QList<QStringList>{{QStringLiteral("€ 16,00"), QStringLiteral(" 00184 ")},
                              {QStringLiteral("€ 5,00"), QString()}}
        << "<tr>" + kCell + "\x80 16,00</td>" + kCell + "00184</td></tr><tr>" + kCell + "\x80 5,00</td>" + kCell +
               "</td></tr>";
    QTest::newRow("markup characters are shown, not obeyed")
        << QList<QStringList>{{QStringLiteral("<b>x & y</b>"), QStringLiteral("a>b")}}
        << "<tr>" + kCell + "&lt;b&gt;x &amp; y&lt;/b&gt;</td>" + kCell + "a&gt;b</td></tr>";
    QTest::newRow("accents in the code page, others as references")
        << QList<QStringList>{{QStringLiteral("Città"), QStringLiteral("Дом")}}
        << "<tr>" + kCell + "Citt\xe0</td>" + kCell + "&#1044;&#1086;&#1084;</td></tr>";
    // A record written by another program may hold any byte; the file carries none of the control ones.
    QTest::newRow("control characters as blanks")
        << QList<QStringList>{{QStringLiteral("a") + QChar(0x01) + QStringLiteral("b\tc") + QChar(0x1f),
                               QStringLiteral("x") + QChar(0x7f) + u'y' + QChar(0x81) + u'z'}}
        << "<tr>" + kCell + "a b c</td>" + kCell + "x y z</td></tr>";
}

void TestSpreadsheet::fileBytes()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(QByteArray, body);
    const QByteArray expected = kHead + body + kTail;
    QCOMPARE(bytesOf(sample(rows)), expected);
    QVERIFY(WriteSpreadsheetFile(sample(rows)));
    QCOMPARE(TestSupport::fileBytes(m_folder->file(QStringLiteral("Prova.xls"))), expected);
}

void TestSpreadsheet::failingDeviceStopsWriting()
{
    QList<QStringList> rows;
    for (int i = 0; i < 30000; ++i)
        rows.append({QStringLiteral("€ %1,00").arg(i), QStringLiteral("00184")});
    const QByteArray whole = bytesOf(sample(rows));
    QVERIFY(whole.size() > 2 * (1 << 20));
    FailingDevice device(whole.size() - 1);
    QVERIFY(!WriteSpreadsheetFile(sample(rows), device));
    QVERIFY(!device.written.isEmpty());
    QVERIFY(whole.startsWith(device.written));
}

void TestSpreadsheet::exportProcedure_data()
{
    QTest::addColumn<QList<Seams::Answer>>("answers");
    QTest::addColumn<bool>("blocked");
    QTest::addColumn<QList<Seams::MsgKind>>("kinds");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("opened");
    using A = Seams::Answer;
    using K = Seams::MsgKind;
    QTest::newRow("declined") << QList<A>{A::No} << false << QList<K>{K::Question} << false << false;
    QTest::newRow("written and opened") << QList<A>{A::Yes, A::Yes} << false << QList<K>{K::Question, K::Question}
                                        << true << true;
    QTest::newRow("written, not opened") << QList<A>{A::Yes, A::No} << false << QList<K>{K::Question, K::Question}
                                         << true << false;
    QTest::newRow("closed boxes go on") << QList<A>{A::Closed, A::Closed} << false << QList<K>{K::Question, K::Question}
                                        << true << true;
    // As root permissions stop nothing: a folder where the file should be cannot be written either.
    QTest::newRow("file cannot be written")
        << QList<A>{A::Yes} << true << QList<K>{K::Question, K::Plain} << false << false;
}

void TestSpreadsheet::exportProcedure()
{
    QFETCH(QList<Seams::Answer>, answers);
    QFETCH(bool, blocked);
    QFETCH(QList<Seams::MsgKind>, kinds);
    QFETCH(bool, written);
    QFETCH(bool, opened);
    const QString path = m_folder->file(QStringLiteral("Prova.xls"));
    if (blocked) {
        QVERIFY(QDir().mkpath(path));
    } else {
        // An earlier, longer export is overwritten entirely.
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    for (auto a : answers)
        Seams::Messages::setNextAnswer(a);
    const auto d = sample({{QStringLiteral("€ 16,00"), QStringLiteral("00184")}});
    ExportSpreadsheet(nullptr, d);

    QList<Seams::MsgKind> shownKinds;
    for (const auto &m : Seams::Messages::shown())
        shownKinds << m.kind;
    QCOMPARE(shownKinds, kinds);
    QCOMPARE(Seams::Messages::shown().first().text, SpreadsheetTexts::confirmExport());
    if (kinds.size() > 1)
        QCOMPARE(Seams::Messages::shown().at(1).text,
                 blocked ? SpreadsheetTexts::failure() : SpreadsheetTexts::exported());
    if (!blocked)
        QCOMPARE(TestSupport::fileBytes(path) == bytesOf(d), written);
    QCOMPARE(Seams::Shell::opened(), opened ? QStringList{QLatin1Char('"') + path + QLatin1Char('"')} : QStringList{});
}

void TestSpreadsheet::noProgramToOpenTheExportSaysWhereItIs()
{
    // The offscreen platform opens nothing, as a desktop without xdg-open or without a program for ".xls".
    Seams::Shell::setScripted(false);
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    ExportSpreadsheet(nullptr, sample({{QStringLiteral("€ 16,00"), QStringLiteral("00184")}}));
    Seams::Shell::setScripted(true);
    const auto &shown = Seams::Messages::shown();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(2).kind, Seams::MsgKind::Information);
    QVERIFY2(shown.at(2).text.startsWith(QStringLiteral("Nessun programma è associato")), qPrintable(shown.at(2).text));
    QVERIFY(shown.at(2).text.endsWith(QDir::toNativeSeparators(m_folder->file(QStringLiteral("Prova.xls")))));
}

void TestSpreadsheet::libreOfficeKeepsTextCells()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the file cannot be read back by a spreadsheet program");
    const QStringList texts{QStringLiteral("00184"),       QStringLiteral("01234567890"), QStringLiteral("=1+1"),
                            QStringLiteral("Città àèìòù"), QStringLiteral("<b>x & y"),    QStringLiteral("€ 16,00"),
                            QStringLiteral("16/03/2024")};
    SpreadsheetExport d{QStringLiteral("Prova.xls"), QStringLiteral("Prova"), {{QStringLiteral("Testo"), 250}}, {}};
    for (const auto &t : texts)
        d.rows.append({t});
    QVERIFY(WriteSpreadsheetFile(d));
    QTemporaryDir out;
    QTemporaryDir profile;
    QProcess lo;
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                       out.path(), m_folder->file(QStringLiteral("Prova.xls"))});
    QVERIFY(lo.waitForFinished(120000));
    const QString csv =
        QString::fromUtf8(TestSupport::fileBytes(QDir(out.path()).filePath(QStringLiteral("Prova.csv"))));
    QStringList cells;
    for (QString line : csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('"')) && line.endsWith(QLatin1Char('"')))
            line = line.mid(1, line.size() - 2);
        cells << line;
    }
    QCOMPARE(cells, QStringList{QStringLiteral("Testo")} + texts);
}

void TestSpreadsheet::slipGridAndExport()
{
    const QString archive = m_folder->file(QStringLiteral("2024.pse"));
    Slip a{QStringLiteral("ROSSI MARIO")};
    a.paidOn = QStringLiteral("12/03/2024");
    Slip b{QStringLiteral("BIANCHI"), QStringLiteral("01/04/2024"), QStringLiteral("Sì"), QStringLiteral("116,50"),
           QStringLiteral("MILANO")};
    b.note = QStringLiteral("<urgente> & subito");
    Slip c{QStringLiteral("VERDI"), QStringLiteral("20/04/2024"), QStringLiteral("No"), QStringLiteral("16,00")};
    SlipFixture::write(archive, {a, b, c});
    const QByteArray before = TestSupport::fileBytes(archive);
    QWidget *editor = SlipFixture::editor(archive);

    TfrmExpBollettini w(editor);
    w.show();
    auto *grid = w.grdRecords;
    auto *model = grid->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->columnCount(), 11);
    QCOMPARE(model->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Comune di residenza"));
    for (int r = 0; r < 3; ++r)
        QCOMPARE(grid->cell(r, 0), QString::number(r + 1));
    QCOMPARE(grid->cell(0, 1), QStringLiteral("€ 16,00"));
    QCOMPARE(grid->cell(1, 1), QStringLiteral("€ 116,50"));
    QCOMPARE(grid->cell(0, 7), QStringLiteral("12/03/2024"));
    QCOMPARE(grid->cell(1, 10), QStringLiteral("Sì"));
    QList<int> editable;
    for (int col = 0; col < 11; ++col)
        if (model->flags(model->index(0, col)) & Qt::ItemIsEditable)
            editable << col;
    QCOMPARE(editable, (QList<int>{5, 9, 10}));
    QVERIFY(!model->setData(model->index(0, 2), QStringLiteral("ALTRO")));
    QCOMPARE(grid->rowHeight(0), 21);
    QVERIFY(grid->alternatingRowColors());

    // A town corrected in the grid goes into the file, never into the archive.
    QVERIFY(model->setData(model->index(0, 5), QStringLiteral("TORINO")));
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    Seams::Messages::setNextAnswer(Seams::Answer::No);
    QTest::mouseClick(w.cmdEsporta, Qt::LeftButton);
    const QByteArray file = TestSupport::fileBytes(m_folder->file(QStringLiteral("Riepilogo_Annuale_Versamenti.xls")));
    QVERIFY(file.contains("<x:Name>Riepilogo annuale versamenti</x:Name>"));
    QVERIFY(file.contains("width=250>Importo versato</td>"));
    QVERIFY(file.contains("width=100>Saldato</td></tr>"));
    QCOMPARE(file.count("<tr>"), 4);
    QVERIFY(file.contains("<tr>" + kCell + "\x80 16,00</td>" + kCell + "ROSSI MARIO</td>" + kCell + "VIA ROMA 1</td>" +
                          kCell + "00184</td>" + kCell + "TORINO</td>" + kCell + "14/03/2024</td>" + kCell +
                          "12/03/2024</td>" + kCell + "</td>" + kCell + "</td>" + kCell + "No</td></tr>"));
    QVERIFY(file.contains(kCell + "&lt;urgente&gt; &amp; subito</td>" + kCell + "S\xec</td>"));
    QCOMPARE(TestSupport::fileBytes(archive), before);
    QVERIFY(w.isVisible());
}

void TestSpreadsheet::emptyArchiveExportsHeadingsOnly()
{
    const QString archive = m_folder->file(QStringLiteral("2025.pse"));
    TfrmExpBollettini w(SlipFixture::editor(archive));
    w.show();
    QCOMPARE(w.grdRecords->model()->rowCount(), 0);
    QVERIFY(QFileInfo::exists(archive));
    Seams::Messages::setNextAnswer(Seams::Answer::Yes); // export now
    Seams::Messages::setNextAnswer(Seams::Answer::Yes); // and open the file
    w.cmdEsportaClick();
    const QByteArray file = TestSupport::fileBytes(m_folder->file(QStringLiteral("Riepilogo_Annuale_Versamenti.xls")));
    QCOMPARE(file.count("<tr>"), 1);
    QVERIFY(file.endsWith("width=100>Saldato</td></tr></table></body></html>"));
}

void TestSpreadsheet::unreadableArchiveKeepsTheEarlierExport_data()
{
    QTest::addColumn<int>("op");
    QTest::newRow("cannot be opened") << int(ArchiveFile::Op::Open);
    QTest::newRow("cannot be read") << int(ArchiveFile::Op::Read);
}

void TestSpreadsheet::unreadableArchiveKeepsTheEarlierExport()
{
    QFETCH(int, op);
    const QString archive = m_folder->file(QStringLiteral("2024.pse"));
    SlipFixture::write(archive, {{QStringLiteral("ROSSI")}});
    const QString xls = m_folder->file(QStringLiteral("Riepilogo_Annuale_Versamenti.xls"));
    QFile earlier(xls);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("the export of yesterday");
    earlier.close();
    ArchiveFile::setFaultHook([op](ArchiveFile::Op o, const QString &) { return int(o) == op; });
    TfrmExpBollettini w(SlipFixture::editor(archive));
    w.show();
    ArchiveFile::setFaultHook({});
    w.cmdEsportaClick();
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(TestSupport::fileBytes(xls), QByteArray("the export of yesterday"));
    QVERIFY(Seams::Shell::opened().isEmpty());
}

void TestSpreadsheet::helpShowsItsTitle()
{
    TfrmExpBollettini w(SlipFixture::editor(m_folder->file(QStringLiteral("2024.pse"))));
    w.show();
    QTest::mouseClick(w.cmdGuida, Qt::LeftButton);
    QCOMPARE(TestSupport::helpTitle(), QStringLiteral("Esportazione archivio annuale versamenti in Microsoft Excel."));
    QCOMPARE(TestSupport::helpParagraphs().size(), 3);
}

QTEST_MAIN(TestSpreadsheet)
#include "test_spreadsheet.moc"

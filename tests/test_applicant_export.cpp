// The applicant export: the grid, the file byte for byte for a small archive, a failed grid fill, the file
// read back by LibreOffice where installed, and the help.

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Spreadsheet.h"
#include "core/widgets/ExportGrid.h"
#include "core/widgets/ExportSpreadsheet.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "registry/ExpAnagrafica.h"
#include "tests/ApplicantFixture.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using ApplicantFixture::applicant;

class TestApplicantExport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void gridAndFileBytes();
    void emptyArchiveExportsHeadingsOnly();
    void failedGridFillExportsNothing();
    void libreOfficeReadsTheCells();
    void helpShowsItsTexts();

private:
    QString archive() const { return m_folder->file(QStringLiteral("Richiedenti.pro")); }
    QString exported() const { return m_folder->file(QStringLiteral("Anagrafica_Richiedenti.xls")); }
    TestProgramFolder *m_folder = nullptr;
};

// Headings and widths as the file must carry them, in order.
static const QList<QPair<QByteArray, int>> kHeadings{{"Cognome e nome", 250},
                                                     {"Codice fiscale", 200},
                                                     {"Data di nascita", 200},
                                                     {"Cittadinanza", 250},
                                                     {"Partita IVA", 200},
                                                     {"Indirizzo di residenza", 250},
                                                     {"Comune di residenza", 250},
                                                     {"Tel. preferenziale", 250},
                                                     {"Tel. casa", 200},
                                                     {"Tel. cellulare", 200},
                                                     {"E-mail", 250},
                                                     {"Stato civile", 250},
                                                     {"Coniuge", 300},
                                                     {"Figli a carico", 300},
                                                     {"IBAN", 300},
                                                     {"Intestatario C/C", 250},
                                                     {"Datore di lavoro", 300},
                                                     {"Contratto di lavoro", 300},
                                                     {"Tipo documento", 250},
                                                     {"Numero documento", 250},
                                                     {"Ente rilascio", 250},
                                                     {"Data rilascio", 200},
                                                     {"Scad. documento", 200},
                                                     {"Scad. permesso", 200},
                                                     {"Note", 300}};
// The record fields of the exported columns after the name.
static const char *const kFields[] = {"CodFisc",  "DataNasc", "StatoCit",     "Iva",     "Indirizzo", "ComuneRes",
                                      "Recapito", "TelCasa",  "TelCel",       "Email",   "Civile",    "Coniuge",
                                      "Figli",    "Iban",     "Intestatario", "Datore",  "Contratto", "TipoDoc",
                                      "NumDoc",   "EnteRil",  "DataRil",      "DataSca", "ScadePer",  "Note"};

static QByteArray expectedFile(const QList<QList<QByteArray>> &rows)
{
    QByteArray f = "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                   "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"
                   "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                   "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
                   "<x:Name>Anagrafica Richiedenti</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
                   "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False"
                   "</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False"
                   "</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
                   "</x:ExcelWorkbook></xml><![endif]--></head><body><table x:str><tr>";
    for (const auto &[heading, width] : kHeadings)
        f +=
            "<td sdnum=\"1040;0;@\" style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) +
            ">" + heading + "</td>";
    f += "</tr>";
    for (const auto &row : rows) {
        f += "<tr>";
        for (const auto &cell : row)
            f += "<td sdnum=\"1040;0;@\" style=\"text-align: left;\">" + cell + "</td>";
        f += "</tr>";
    }
    return f + "</table></body></html>";
}

void TestApplicantExport::init()
{
    TestSupport::resetSeams(QDate(2024, 3, 15));
    m_folder = new TestProgramFolder;
}

void TestApplicantExport::cleanup()
{
    TestSupport::checkSeams();
    ArchiveFile::setFaultHook({});
    Forms::clear();
    delete m_folder;
}

// Three records: a full one (every field its own text), one without a given name, one with accents.
void TestApplicantExport::gridAndFileBytes()
{
    const Record full = ApplicantFixture::full();
    ApplicantFixture::write(archive(), {full,
                                        applicant({{"Cognome", QStringLiteral("VERDI")},
                                                   {"Cap", QStringLiteral("00184")},
                                                   {"Iva", QStringLiteral("01234567890")}}),
                                        applicant({{"Cognome", QStringLiteral("NICOLÒ")},
                                                   {"Nome", QStringLiteral("Anna")},
                                                   {"Note", QStringLiteral("città €")}})});
    TfrmExpAnagrafica w;
    QCOMPARE(w.windowTitle(), QStringLiteral(" Esporta archivio anagrafico richiedenti in Microsoft Excel"));
    w.show();
    auto *grid = w.grdRecords;
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->model()->columnCount(), 26);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
    for (int r = 0; r < 3; ++r)
        QCOMPARE(grid->cell(r, 0), QString::number(r + 1));
    QCOMPARE(grid->cell(1, 1), QStringLiteral("VERDI ")); // the joining blank stays in the grid
    QCOMPARE(grid->cell(0, 7), full.text("ComuneRes"));   // without the province
    QCOMPARE(grid->rowHeight(0), 21);

    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    Seams::Messages::setNextAnswer(Seams::Answer::No);
    QTest::mouseClick(w.cmdEsporta, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().text, SpreadsheetTexts::exported());

    QList<QByteArray> first{full.text("Cognome").toLatin1() + ' ' + full.text("Nome").toLatin1()};
    for (const char *field : kFields)
        first << full.text(field).toLatin1();
    QList<QByteArray> second(25);
    second[0] = "VERDI"; // trimmed in the file
    second[4] = "01234567890";
    QList<QByteArray> third(25);
    third[0] = "NICOL\xd2 Anna";
    third[24] = "citt\xe0 \x80";
    QCOMPARE(TestSupport::fileBytes(exported()), expectedFile({first, second, third}));
    QVERIFY(w.isVisible());
}

void TestApplicantExport::emptyArchiveExportsHeadingsOnly()
{
    TfrmExpAnagrafica w;
    w.show();
    QCOMPARE(w.grdRecords->model()->rowCount(), 0);
    QVERIFY(QFileInfo::exists(archive()));
    Seams::Messages::setNextAnswer(Seams::Answer::Yes); // export now
    Seams::Messages::setNextAnswer(Seams::Answer::Yes); // and open the file
    w.cmdEsportaClick();
    QCOMPARE(TestSupport::fileBytes(exported()), expectedFile({}));
}

// A grid that could not read the whole archive is not exported: the access failure is shown, no question
// is asked and no file is written.
void TestApplicantExport::failedGridFillExportsNothing()
{
    ApplicantFixture::write(archive(), {applicant({{"Cognome", QStringLiteral("ROSSI")}})});
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Read; });
    TfrmExpAnagrafica w;
    w.show();
    ArchiveFile::setFaultHook({});
    QVERIFY(!w.filled());
    w.cmdEsportaClick();
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QVERIFY(!QFileInfo::exists(exported()));
    QVERIFY(w.isVisible());
}

void TestApplicantExport::libreOfficeReadsTheCells()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the file cannot be read back by a spreadsheet program");
    ApplicantFixture::write(archive(), {applicant({{"Cognome", QStringLiteral("ROSSI")},
                                                   {"Nome", QStringLiteral("MARIO")},
                                                   {"Iva", QStringLiteral("01234567890")},
                                                   {"Note", QStringLiteral("Città & <b>")}})});
    TfrmExpAnagrafica w;
    w.show();
    w.cmdEsportaClick();
    QTemporaryDir out, profile;
    QProcess lo;
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                       out.path(), exported()});
    QVERIFY(lo.waitForFinished(120000));
    const QStringList lines =
        QString::fromUtf8(
            TestSupport::fileBytes(QDir(out.path()).filePath(QStringLiteral("Anagrafica_Richiedenti.csv"))))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[1].startsWith(QStringLiteral("ROSSI MARIO,,,,01234567890,")));
    QVERIFY(lines[1].trimmed().endsWith(QStringLiteral("Città & <b>")));
}

void TestApplicantExport::helpShowsItsTexts()
{
    TfrmExpAnagrafica w;
    w.show();
    QTest::mouseClick(w.cmdGuida, Qt::LeftButton);
    QCOMPARE(TestSupport::helpTitle(),
             QStringLiteral("Esportazione archivio anagrafico richiedenti in Microsoft Excel."));
    const QStringList paragraphs = TestSupport::helpParagraphs();
    QCOMPARE(paragraphs.size(), 3);
    QVERIFY(paragraphs.first().startsWith(
        QStringLiteral("Il pulsante Esporta archivio consente di esportare i dati anagrafici dei richiedenti")));
}

QTEST_MAIN(TestApplicantExport)
#include "test_applicant_export.moc"

// The agenda's lists: imminent deadlines (banner, OK, sound), the daily and monthly lists, the payment and
// appointment lists, the deadline search, the archive export, and the creation order of every window.

#include "TestSupport.h"

#include "agenda/Confermati.h"
#include "agenda/DaConfermare.h"
#include "agenda/DeadlineRecord.h"
#include "agenda/ExpGiornaliere.h"
#include "agenda/ExpImminenti.h"
#include "agenda/ExpMensili.h"
#include "agenda/ExpScadenzario.h"
#include "agenda/NonConfermati.h"
#include "agenda/Scadenzario.h"
#include "agenda/TrovaScadenzario.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Spreadsheet.h"
#include "core/widgets/ExportGrid.h"
#include "core/widgets/ExportSpreadsheet.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

struct Deadline {
    Deadline(QString date_ = {}, QString notice_ = QStringLiteral("0"), QString time_ = QStringLiteral("09:30"),
             QString client_ = QStringLiteral("ROSSI MARIO"))
        : date(std::move(date_)), notice(std::move(notice_)), time(std::move(time_)), client(std::move(client_))
    {
    }
    QString date; // dd/mm/yyyy
    QString notice;
    QString time;
    QString client;
    QString reason = QStringLiteral("Appuntamento in Questura");
    QString paid = QStringLiteral("No");
    QString toConfirm = QStringLiteral("No");
    QString amount = QStringLiteral("16,00");
    QString year; // Anno; the date's year when empty
};
Q_DECLARE_METATYPE(Deadline)

namespace {

const char *const kMonthNames[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                   "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

QByteArray bytes(const Deadline &d)
{
    Record r(kDeadlineLayout);
    r.setText("Giorno", d.date.left(2));
    const int month = d.date.mid(3, 2).toInt();
    r.setText("Mese", month >= 1 && month <= 12 ? QString::fromLatin1(kMonthNames[month - 1]) : QString());
    r.setText("Anno", d.year.isEmpty() ? d.date.mid(6, 4) : d.year);
    r.setText("Data", d.date);
    r.setText("OreApp", d.time.left(2));
    r.setText("MinutiApp", d.time.mid(3, 2));
    r.setText("Ora", d.time);
    r.setText("Avviso", d.notice);
    r.setText("Cliente", d.client);
    r.setText("Oggetto", QStringLiteral("Rinnovo permesso"));
    r.setText("Dettagli", d.reason);
    r.setText("Costo", d.amount);
    r.setText("DaConfermare", d.toConfirm);
    r.setText("Effettuata", d.paid);
    return r.bytes();
}

void write(const QString &path, const QList<Deadline> &deadlines)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const Deadline &d : deadlines)
        f.write(bytes(d));
}

// The file the deadline lists export, with the headings and widths as written.
QByteArray expectedListFile(const QByteArray &sheet, const QList<QList<QByteArray>> &rows)
{
    static const QList<QPair<QByteArray, int>> headings{{"Data scadenza", 150},
                                                        {"Ora appuntamento", 150},
                                                        {"Richiedente", 250},
                                                        {"Codice fiscale", 200},
                                                        {"Telefono preferenziale", 200},
                                                        {"Oggetto pratica", 300},
                                                        {"Tipologia", 250},
                                                        {"Protocollo n.", 250},
                                                        {"Data apertura", 150},
                                                        {"Data chiusura", 150},
                                                        {"Stato avanzamento", 250},
                                                        {"Consulente o curatore", 250},
                                                        {"Causale scadenza", 300},
                                                        {"Modalit\xe0 di pagamento", 300},
                                                        {"Importo in euro", 200},
                                                        {"Estremi ricevuta", 250},
                                                        {"Appuntamento da confermare", 250},
                                                        {"Pagamento effettuato", 250},
                                                        {"Note", 300},
                                                        {"Codice univoco", 150}};
    QByteArray f = "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                   "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"
                   "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                   "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
                   "<x:Name>" +
                   sheet +
                   "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
                   "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False"
                   "</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False"
                   "</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
                   "</x:ExcelWorkbook></xml><![endif]--></head><body><table x:str><tr>";
    for (const auto &[heading, width] : headings)
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

// The exported cells of a deadline written by bytes(), key last.
QList<QByteArray> exportedRow(const Deadline &d, const QByteArray &key)
{
    return {d.date.toLatin1(),
            d.time.toLatin1(),
            d.client.toLatin1(),
            "",
            "",
            "Rinnovo permesso",
            "",
            "",
            "",
            "",
            "",
            "",
            d.reason.toLatin1(),
            "",
            d.amount.toLatin1(),
            "",
            d.toConfirm == QStringLiteral("S\u00ec") ? QByteArray("S\xec") : d.toConfirm.toLatin1(),
            d.paid == QStringLiteral("S\u00ec") ? QByteArray("S\xec") : d.paid.toLatin1(),
            "",
            key};
}

// "N." and one more column of every row, top to bottom.
QStringList column(TExportGrid *grid, int c)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->cell(r, 0) + QLatin1Char(' ') + grid->cell(r, c);
    return out;
}

const QString kYes = QStringLiteral("S\u00ec");

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *n : list)
        out << QString::fromUtf8(n);
    return out;
}
} // namespace

class TestAgendaLists : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void imminenceRule_data();
    void imminenceRule();
    void imminentListSortedWithReadingNumbersAndExported();
    void dailyAndMonthlySelections();
    void statusListsSelectLineAndHandBack();
    void searchMatching_data();
    void searchMatching();
    void searchHandsBackOnlyToItsTag();
    void archiveExportInFileOrder();
    void failedFillExportsNothing();

private:
    void showEditor(const QDate &today);
    QString archive(int year) const { return folder->file(QString::number(year) + QStringLiteral(".sca")); }
    TfrmScadenzario *ed = nullptr;
    std::unique_ptr<TestProgramFolder> folder;
};

void TestAgendaLists::init()
{
    TestSupport::resetSeams(QDate(2014, 3, 15));
    folder = std::make_unique<TestProgramFolder>();
    ed = new TfrmScadenzario;
    Forms::add(ed);
}

void TestAgendaLists::cleanup()
{
    TestSupport::checkSeams();
    ArchiveFile::setFaultHook({});
    Forms::clear();
    ed = nullptr;
    folder.reset();
}

void TestAgendaLists::showEditor(const QDate &today)
{
    Seams::Clock::setFixed(QDateTime(today, QTime(10, 0)));
    ed->show();
    QVERIFY(QTest::qWaitForWindowExposed(ed));
}

void TestAgendaLists::imminenceRule_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QList<Deadline>>("thisYear");
    QTest::addColumn<QList<Deadline>>("nextYear"); // none: no file
    QTest::addColumn<bool>("imminent");
    const auto d = [](const char *date, const char *notice) {
        Deadline x;
        x.date = QString::fromLatin1(date);
        x.notice = QString::fromLatin1(notice);
        return x;
    };
    const QDate march10(2024, 3, 10);
    QTest::newRow("5 days before, notice 5")
        << march10 << QList<Deadline>{d("15/03/2024", "5")} << QList<Deadline>{} << true;
    QTest::newRow("5 days before, notice 4")
        << march10 << QList<Deadline>{d("15/03/2024", "4")} << QList<Deadline>{} << false;
    QTest::newRow("the day itself, notice 0")
        << march10 << QList<Deadline>{d("10/03/2024", "0")} << QList<Deadline>{} << true;
    QTest::newRow("the day after, notice 999")
        << march10 << QList<Deadline>{d("09/03/2024", "999")} << QList<Deadline>{} << false;
    QTest::newRow("999 days reach the year end")
        << march10 << QList<Deadline>{d("31/12/2024", "999")} << QList<Deadline>{} << true;
    QTest::newRow("leap year: 28 Feb, 1 Mar, notice 1")
        << QDate(2024, 2, 28) << QList<Deadline>{d("01/03/2024", "1")} << QList<Deadline>{} << false;
    QTest::newRow("leap year: 28 Feb, 1 Mar, notice 2")
        << QDate(2024, 2, 28) << QList<Deadline>{d("01/03/2024", "2")} << QList<Deadline>{} << true;
    QTest::newRow("leap year: 29 Feb, 1 Mar, notice 1")
        << QDate(2024, 2, 29) << QList<Deadline>{d("01/03/2024", "1")} << QList<Deadline>{} << true;
    QTest::newRow("common year: 28 Feb, 1 Mar, notice 1")
        << QDate(2023, 2, 28) << QList<Deadline>{d("01/03/2023", "1")} << QList<Deadline>{} << true;
    QTest::newRow("29 Feb of a common year is no date")
        << QDate(2023, 2, 28) << QList<Deadline>{d("29/02/2023", "5")} << QList<Deadline>{} << false;
    QTest::newRow("28 Dec, 5 Jan next year, notice 10")
        << QDate(2024, 12, 28) << QList<Deadline>{} << QList<Deadline>{d("05/01/2025", "10")} << true;
    QTest::newRow("31 Dec, 1 Jan next year, notice 1") << QDate(2024, 12, 31) << QList<Deadline>{d("15/06/2024", "0")}
                                                       << QList<Deadline>{d("01/01/2025", "1")} << true;
    QTest::newRow("31 Dec, next year too far")
        << QDate(2024, 12, 31) << QList<Deadline>{} << QList<Deadline>{d("05/01/2025", "2")} << false;
    QTest::newRow("31 Dec, no file for next year")
        << QDate(2024, 12, 31) << QList<Deadline>{d("30/12/2024", "5")} << QList<Deadline>{} << false;
    QTest::newRow("empty notice counts 0: today")
        << march10 << QList<Deadline>{d("10/03/2024", "")} << QList<Deadline>{} << true;
    QTest::newRow("empty notice counts 0: tomorrow")
        << march10 << QList<Deadline>{d("11/03/2024", "")} << QList<Deadline>{} << false;
    QTest::newRow("non-numeric notice counts 0")
        << march10 << QList<Deadline>{d("11/03/2024", "ab"), d("10/03/2024", "x")} << QList<Deadline>{} << true;
    QTest::newRow("negative notice counts 0: tomorrow")
        << march10 << QList<Deadline>{d("11/03/2024", "-5")} << QList<Deadline>{} << false;
    QTest::newRow("negative notice counts 0: yesterday")
        << march10 << QList<Deadline>{d("09/03/2024", "-5")} << QList<Deadline>{} << false;
    QTest::newRow("unreadable record in the middle")
        << march10 << QList<Deadline>{d("01/01/2024", "1"), d("3x/03/2024", "9"), d("", "9"), d("12/03/2024", "5")}
        << QList<Deadline>{} << true;
}

// Banner, OK and sound at each showing, from whatever the previous showing left; the next year's file is
// read when present and never created.
void TestAgendaLists::imminenceRule()
{
    QFETCH(QDate, today);
    QFETCH(QList<Deadline>, thisYear);
    QFETCH(QList<Deadline>, nextYear);
    QFETCH(bool, imminent);
    if (!thisYear.isEmpty())
        write(archive(today.year()), thisYear);
    if (!nextYear.isEmpty())
        write(archive(today.year() + 1), nextYear);
    ed->showImminent(!imminent); // as a previous showing could have left it
    showEditor(today);
    QCOMPARE(ed->imgPresenti->isVisible(), imminent);
    QCOMPARE(ed->imgAssenti->isVisible(), !imminent);
    QCOMPARE(ed->btnOK->isEnabled(), imminent);
    const QStringList once{folder->file(QStringLiteral("Avviso.mp3"))};
    QCOMPARE(Seams::Sound::played(), imminent ? once : QStringList());
    QVERIFY(QFileInfo::exists(archive(today.year())));
    QCOMPARE(QFileInfo::exists(archive(today.year() + 1)), !nextYear.isEmpty());

    // Once per showing; the close stops it.
    const int stops = Seams::Sound::stopCount();
    ed->close();
    QCOMPARE(Seams::Sound::stopCount(), stops + 1);
    ed->show();
    QCOMPARE(Seams::Sound::played().size(), imminent ? 2 : 0);
}

// Reading order A (09:30), B (not imminent), C (08:15), then next year's D: C, A, D with "N." 2, 1, 3; the
// key column as written; an edited cell reaches the file, which holds exactly the rows shown.
void TestAgendaLists::imminentListSortedWithReadingNumbersAndExported()
{
    Deadline a{QStringLiteral("30/12/2024"), QStringLiteral("5"), QStringLiteral("09:30"), QStringLiteral("ROSSI")};
    Deadline b{QStringLiteral("15/06/2024"), QStringLiteral("5"), QStringLiteral("07:00"), QStringLiteral("BIANCHI")};
    Deadline c{QStringLiteral("30/12/2024"), QStringLiteral("5"), QStringLiteral("08:15"), QStringLiteral("VERDI")};
    Deadline d{QStringLiteral("02/01/2025"), QStringLiteral("10"), QStringLiteral("07:00"), QStringLiteral("NERI")};
    c.paid = kYes; // paid deadlines are still imminent
    write(archive(2024), {a, b, c});
    write(archive(2025), {d});
    showEditor(QDate(2024, 12, 28));
    QVERIFY(ed->btnOK->isEnabled());

    bool opened = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *list = qobject_cast<TfrmExpImminenti *>(w);
        QVERIFY(list);
        opened = true;
        QCOMPARE(list->windowTitle(), QStringLiteral(" Scadenze imminenti"));
        TExportGrid *grid = list->grdRecords;
        QCOMPARE(grid->model()->columnCount(), 21);
        QCOMPARE(grid->model()->headerData(20, Qt::Horizontal).toString(), QStringLiteral("Codice univoco"));
        QCOMPARE(grid->columnWidth(4), 180);
        QCOMPARE(column(grid, 3),
                 (QStringList{QStringLiteral("2 VERDI"), QStringLiteral("1 ROSSI"), QStringLiteral("3 NERI")}));
        QCOMPARE(column(grid, 20), (QStringList{QStringLiteral("2 12300815"), QStringLiteral("1 12300930"),
                                                QStringLiteral("3 01020700")}));
        // Editable: 14 to 18 and 20; the others are not.
        for (int col = 1; col <= 20; ++col)
            QCOMPARE(bool(grid->model()->flags(grid->model()->index(0, col)) & Qt::ItemIsEditable),
                     (col >= 14 && col <= 18) || col == 20);
        QVERIFY(grid->model()->setData(grid->model()->index(0, 15), QStringLiteral("20,00")));
        Seams::Messages::setNextAnswer(Seams::Answer::Yes);
        Seams::Messages::setNextAnswer(Seams::Answer::No);
        list->cmdEsportaClick();
        QCOMPARE(Seams::Messages::last().text, SpreadsheetTexts::exported());
        list->close();
    });
    QTest::mouseClick(ed->btnOK, Qt::LeftButton);
    QVERIFY(opened);
    Deadline edited = c;
    edited.amount = QStringLiteral("20,00");
    QCOMPARE(TestSupport::fileBytes(folder->file(QStringLiteral("Scadenze_Imminenti.xls"))),
             expectedListFile("Scadenze imminenti", {exportedRow(edited, "12300815"), exportedRow(a, "12300930"),
                                                     exportedRow(d, "01020700")}));
}

// 15 March 2014 on the calendar: three deadlines of the day in time order with their reading numbers; the
// month by day and time, without the record whose year field belongs to 2013; a year without a file.
void TestAgendaLists::dailyAndMonthlySelections()
{
    const auto at = [](const char *date, const char *time, const char *client) {
        Deadline x;
        x.date = QString::fromLatin1(date);
        x.time = QString::fromLatin1(time);
        x.client = QString::fromLatin1(client);
        return x;
    };
    Deadline copied = at("15/03/2014", "07:00", "COPIED");
    copied.year = QStringLiteral("2013");
    write(archive(2014),
          {at("15/03/2014", "16:00", "C"), at("15/03/2014", "09:00", "A"), at("20/03/2014", "08:00", "D"),
           at("15/04/2014", "09:00", "APRIL"), at("15/03/2014", "12:30", "B"), copied});
    showEditor(QDate(2014, 3, 15));
    ed->calAppuntamenti->setSelectedDate(QDate(2014, 3, 15));

    QStringList daily, monthly;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *list = qobject_cast<TfrmExpGiornaliere *>(w);
        QVERIFY(list);
        daily = column(list->grdRecords, 3);
        list->close();
    });
    QTest::mouseClick(ed->btnGiorno, Qt::LeftButton);
    // The copy's date reads 15/03/2014, so the day lists it: only the month looks at the year field.
    QCOMPARE(daily, (QStringList{QStringLiteral("4 COPIED"), QStringLiteral("2 A"), QStringLiteral("3 B"),
                                 QStringLiteral("1 C")}));
    TestSupport::onNextModal([&](QWidget *w) {
        auto *list = qobject_cast<TfrmExpMensili *>(w);
        QVERIFY(list);
        monthly = column(list->grdRecords, 3);
        list->close();
    });
    QTest::mouseClick(ed->btnMese, Qt::LeftButton);
    QCOMPARE(monthly,
             (QStringList{QStringLiteral("2 A"), QStringLiteral("4 B"), QStringLiteral("1 C"), QStringLiteral("3 D")}));

    // Equal keys keep their reading order, also where a sort would move them (more rows than a few).
    QList<Deadline> same;
    QStringList expected;
    for (int i = 1; i <= 40; ++i)
        same << Deadline(QStringLiteral("01/02/2015"), QStringLiteral("0"),
                         i % 3 ? QStringLiteral("10:00") : QStringLiteral("09:00"), QString::number(i));
    for (int i = 3; i <= 40; i += 3)
        expected << QStringLiteral("%1 %1").arg(i);
    for (int i = 1; i <= 40; ++i)
        if (i % 3)
            expected << QStringLiteral("%1 %1").arg(i);
    write(archive(2015), same);
    ed->calAppuntamenti->setSelectedDate(QDate(2015, 2, 1));
    TfrmExpGiornaliere day(ed);
    day.show();
    QCOMPARE(column(day.grdRecords, 3), expected);

    // A year without an archive: an empty grid, an empty file left behind, a header-only export.
    ed->calAppuntamenti->setSelectedDate(QDate(2016, 3, 15));
    TfrmExpMensili empty;
    empty.show();
    QCOMPARE(empty.grdRecords->model()->rowCount(), 0);
    QCOMPARE(TestSupport::fileBytes(archive(2016)), QByteArray());
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    Seams::Messages::setNextAnswer(Seams::Answer::No);
    empty.cmdEsportaClick();
    QCOMPARE(TestSupport::fileBytes(folder->file(QStringLiteral("Scadenze_Mensili.xls"))),
             expectedListFile("Scadenze del mese", {}));
}

// Payments to make (TfrmConfermati), made (TfrmNonConfermati) and appointments to confirm, opened by the
// editor's commands; a flag other than "Sì"/"No" is in neither payment list; each of two equal lines loads
// its own record into the editor.
void TestAgendaLists::statusListsSelectLineAndHandBack()
{
    Deadline unpaid{QStringLiteral("05/03/2014")};
    unpaid.client = QStringLiteral("ROSSI MARIO ANTONIO DI GIOVANNI BATTISTA");          // cut to 30
    unpaid.reason = QStringLiteral("Pagamento contributo per il rilascio del permesso"); // cut to 32
    Deadline paid{QStringLiteral("06/03/2014")};
    paid.paid = kYes;
    paid.toConfirm = kYes;
    paid.amount.clear();
    Deadline odd{QStringLiteral("07/03/2014")};
    odd.paid = QStringLiteral("si");
    Deadline twin = unpaid;
    twin.year = QStringLiteral(" "); // no year of its own
    write(archive(2014), {unpaid, paid, odd, twin});
    showEditor(QDate(2014, 3, 15));
    ed->txtAnno->setText(QStringLiteral("2014"));
    ed->btnApriClick();

    const QString unpaidLine =
        QStringLiteral("Pagamento contributo per il rila  Data: 05/03/2014  Ora: 09:30  "
                       "ROSSI MARIO ANTONIO DI GIOVANN  Rinnovo permesso                € 16,00");
    const QString paidLine = QStringLiteral("Appuntamento in Questura          Data: 06/03/2014  Ora: 09:30  "
                                            "ROSSI MARIO                     Rinnovo permesso                € ");
    struct Case {
        Picture *command;
        const char *cls;
        QString caption;
        QStringList lines;
    };
    const QList<Case> cases{
        {ed->cmdDaEffettuare,
         "TfrmConfermati",
         QStringLiteral(" Riepilogo pagamenti da effettuare"),
         {unpaidLine, unpaidLine}},
        {ed->cmdEffettuate, "TfrmNonConfermati", QStringLiteral(" Riepilogo pagamenti effettuati"), {paidLine}},
        {ed->cmdDaConfermare, "TfrmDaConfermare", QStringLiteral(" Riepilogo appuntamenti da confermare"), {paidLine}},
    };
    for (const Case &c : cases) {
        QString cls, caption;
        QStringList lines;
        TestSupport::onNextModal([&](QWidget *w) {
            cls = QString::fromLatin1(w->metaObject()->className());
            caption = w->windowTitle();
            lines = static_cast<TSummaryList *>(w)->lstRecords->lines();
            w->close();
        });
        QTest::mouseClick(c.command, Qt::LeftButton);
        QCOMPARE(cls, QString::fromLatin1(c.cls));
        QCOMPARE(caption, c.caption);
        QCOMPARE(lines, c.lines);
    }

    TfrmConfermati list(ed);
    list.show();
    list.lstRecords->selectRow(1);
    list.lstRecordsDblClick();
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("4"));
    QCOMPARE(ed->txtCliente->text(), unpaid.client);
    QCOMPARE(ed->txtDettagli->text(), unpaid.reason); // whole, not cut
    QCOMPARE(ed->txtGiorno->currentText(), QStringLiteral("05"));
    QCOMPARE(ed->lblAnno->text(), QStringLiteral("2014")); // the open year
    QVERIFY(!ed->chkEffettuata->isChecked());
}

void TestAgendaLists::searchMatching_data()
{
    QTest::addColumn<QStringList>("filters"); // "control=text"
    QTest::addColumn<QStringList>("clients");
    QTest::newRow("no filter: everything")
        << QStringList{} << names({"BIANCHI", "ROSSI LUCA", "ROSSINI", "Huamán Concepción", "VERDI"});
    QTest::newRow("any case") << names({"txtCliente=RoSs"}) << names({"ROSSI LUCA", "ROSSINI"});
    QTest::newRow("two filters: AND") << names({"txtCliente=ross", "txtData=03/2014"}) << names({"ROSSI LUCA"});
    QTest::newRow("trailing blank kept") << names({"txtCliente=rossi "}) << names({"ROSSI LUCA"});
    QTest::newRow("time and reason") << names({"txtOra=08:", "txtDettagli=QUESTURA"}) << names({"VERDI"});
    QTest::newRow("blanks only make up for a miss")
        << names({"txtCliente= ", "txtNote=nothing"}) << names({"ROSSI LUCA", "Huamán Concepción"});
    QTest::newRow("nothing found") << names({"txtCodFisc=ZZZ"}) << QStringList{};
    QTest::newRow("accents left out") << names({"txtCliente=huaman"}) << names({"Huamán Concepción"});
    QTest::newRow("accents typed, other case") << names({"txtCliente=CONCEPCIÓN"}) << names({"Huamán Concepción"});
}

// Lines are sorted, so the clients come out in reason-then-date order; all reasons are equal but VERDI's.
void TestAgendaLists::searchMatching()
{
    QFETCH(QStringList, filters);
    QFETCH(QStringList, clients);
    Deadline r1{QStringLiteral("10/03/2014")}, r2{QStringLiteral("20/04/2014")}, r3{QStringLiteral("01/02/2014")},
        r4{QStringLiteral("11/03/2014")};
    r1.client = QStringLiteral("ROSSI LUCA");
    r2.client = QStringLiteral("ROSSINI");
    r3.client = QStringLiteral("BIANCHI");
    r4.client = QStringLiteral("VERDI");
    r4.time = QStringLiteral("08:15");
    r4.reason = QStringLiteral("Ritiro in questura");
    Deadline r5{QStringLiteral("25/04/2014")};
    r5.client = QStringLiteral("Huamán Concepción");
    write(archive(2014), {r1, r2, r3, r4, r5});
    ed->lblFile->setText(archive(2014));

    TfrmTrovaScadenzario w(ed);
    w.show();
    for (const QString &f : filters)
        w.findChild<QLineEdit *>(f.section(QLatin1Char('='), 0, 0))->setText(f.section(QLatin1Char('='), 1));
    w.btnCercaClick();
    QStringList found;
    for (const QString &line : w.lstRecords->lines())
        found << line.mid(64, 30).trimmed();
    QCOMPARE(found, clients);
    QCOMPARE(w.lblTrovate->text(), QStringLiteral("Il presente elenco contiene %1 schede.").arg(clients.size()));
}

// The editor's Trova passes "Scadenzario"; any other word hands nothing back.
void TestAgendaLists::searchHandsBackOnlyToItsTag()
{
    Deadline r{QStringLiteral("10/03/2014")};
    r.client = QStringLiteral("ROSSI LUCA");
    write(archive(2014), {r});
    showEditor(QDate(2014, 3, 15));
    ed->btnApriClick();
    QString tag;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *search = qobject_cast<TfrmTrovaScadenzario *>(w);
        QVERIFY(search);
        tag = search->lblMemory->text();
        search->btnCercaClick();
        search->lstRecords->selectRow(0);
        search->lstRecordsDblClick();
    });
    QTest::mouseClick(ed->cmdTrova, Qt::LeftButton);
    QCOMPARE(tag, QStringLiteral("Scadenzario"));
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(ed->txtCliente->text(), QStringLiteral("ROSSI LUCA"));

    ed->ResetDeadlineForm();
    TfrmTrovaScadenzario other(ed);
    other.lblMemory->setText(QStringLiteral("scadenzario"));
    other.show();
    other.btnCercaClick();
    other.lstRecords->selectRow(0);
    other.lstRecordsDblClick();
    QCOMPARE(ed->lblPosizione->text(), QString());
    QCOMPARE(ed->txtCliente->text(), QString());
}

// Every record in file order, "N." its position, 19 exported columns without the key.
void TestAgendaLists::archiveExportInFileOrder()
{
    QList<Deadline> all;
    for (int day = 20; day >= 14; --day) {
        Deadline d{QStringLiteral("%1/03/2014").arg(day)};
        d.client = QStringLiteral("CLIENT %1").arg(day);
        all << d;
    }
    write(archive(2014), all);
    ed->lblFile->setText(archive(2014));
    TfrmExpScadenzario w(ed);
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral(" Esporta archivio Scadenzario pagamenti"));
    QCOMPARE(w.grdRecords->model()->columnCount(), 20);
    QCOMPARE(w.grdRecords->cell(6, 0), QStringLiteral("7"));
    QCOMPARE(w.grdRecords->cell(6, 1), QStringLiteral("14/03/2014"));
    const SpreadsheetExport file = w.description();
    QCOMPARE(file.fileName, QStringLiteral("Scadenze_e_Appuntamenti.xls"));
    QCOMPARE(file.sheetName, QStringLiteral("Scadenze e appuntamenti"));
    QCOMPARE(file.columns.size(), 19);
    QCOMPARE(file.columns.last().heading, QStringLiteral("Note"));
    QCOMPARE(file.rows.first().size(), 19);
}

// A grid that could not be filled whole is not exported, in each deadline list.
void TestAgendaLists::failedFillExportsNothing()
{
    write(archive(2014), {Deadline{QStringLiteral("15/03/2014")}});
    ed->lblFile->setText(archive(2014));
    ed->calAppuntamenti->setSelectedDate(QDate(2014, 3, 15));
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Read; });
    std::vector<std::unique_ptr<TExportWindow>> windows;
    windows.emplace_back(new TfrmExpImminenti(ed));
    windows.emplace_back(new TfrmExpGiornaliere(ed));
    windows.emplace_back(new TfrmExpMensili(ed));
    windows.emplace_back(new TfrmExpScadenzario(ed));
    for (auto &w : windows) {
        w->show();
        QVERIFY(!w->filled());
    }
    ArchiveFile::setFaultHook({});
    for (auto &w : windows) {
        Seams::Messages::clear();
        w->cmdEsportaClick();
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    }
    const QStringList files = QDir(folder->path()).entryList({QStringLiteral("*.xls")});
    QVERIFY2(files.isEmpty(), qPrintable(files.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestAgendaLists)
#include "test_agenda_lists.moc"

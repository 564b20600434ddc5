// The agenda editor: year opening, the record on disk, navigation, saving checks, duplicate, import.

#include "ApplicantFixture.h"
#include "EditorFixture.h"
#include "TestSupport.h"

#include "agenda/DeadlineRecord.h"
#include "agenda/Scadenzario.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIva.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "registry/TrovaAnagrafica.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace TestSupport;

namespace {
const QString kMissingDay =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il giorno della scadenza.");
const QString kMissingHour =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'ora dell'appuntamento.");
QString noSuchDate(const QString &date)
{
    return QStringLiteral("Attenzione: la data ") + date +
           QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida.");
}
} // namespace

class TestAgenda : public QObject, private EditorFixture<TfrmScadenzario> {
    Q_OBJECT
public:
    TestAgenda() : EditorFixture(QStringLiteral("2014")) {}

private slots:
    void init();
    void cleanup();
    void yearPanel();
    void resetValues();
    void savedRecordBytes();
    void saveChecksInOrder();
    void dateAndTimeTables_data();
    void dateAndTimeTables();
    void appendThenOverwrite();
    void navigation();
    void duplicateKeepsAllButDateAndTime();
    void openYearKeptApartFromLoadedRecord();
    void pickOnlyDropDowns();
    void amountRule_data();
    void amountRule();
    void applicantImportFillsThreeFields();
    void todayIconsAndHelp();
    void identifierCheckByContent_data();
    void identifierCheckByContent();
    void closeStopsSoundAndShowsStartPanel();

private:
    void fillValid();
    void appendRecord(const QString &anno, const QString &cliente);
};

void TestAgenda::init()
{
    TfrmScadenzario::setApplicantSearchFactory({});
    setUpEditor(QDate(2014, 3, 15));
}

void TestAgenda::cleanup()
{
    tearDownEditor();
}

void TestAgenda::fillValid()
{
    ed->txtGiorno->setEditText(QStringLiteral("05"));
    ed->txtMese->setEditText(QStringLiteral("Marzo"));
    ed->txtOreApp->setEditText(QStringLiteral("09"));
    ed->txtMinutiApp->setEditText(QStringLiteral("30"));
    ed->txtAvviso->setText(QStringLiteral("3"));
    ed->txtCliente->setText(QStringLiteral("ROSSI MARIO"));
    ed->txtOggetto->setText(QStringLiteral("Rinnovo permesso"));
    ed->txtDettagli->setText(QStringLiteral("Appuntamento in Questura"));
}

// A record as another copy of the program, or another year's file, could have left it.
void TestAgenda::appendRecord(const QString &anno, const QString &cliente)
{
    Record r(kDeadlineLayout);
    r.setText("Giorno", QStringLiteral("10"));
    r.setText("Mese", QStringLiteral("Aprile"));
    r.setText("Anno", anno);
    r.setText("Data", QStringLiteral("10/04/") + anno);
    r.setText("OreApp", QStringLiteral("11"));
    r.setText("MinutiApp", QStringLiteral("15"));
    r.setText("Ora", QStringLiteral("11:15"));
    r.setText("Avviso", QStringLiteral("2"));
    r.setText("Cliente", cliente);
    r.setText("Oggetto", QStringLiteral("Ricongiungimento"));
    r.setText("Dettagli", QStringLiteral("Consegna documenti"));
    r.setText("Costo", QStringLiteral("16,00"));
    r.setText("DaConfermare", QStringLiteral("No"));
    r.setText("Effettuata", QStringLiteral("No"));
    ArchiveFile f(ed->lblFile->text(), kDeadlineLayout.size());
    QVERIFY(f.open());
    QVERIFY(f.append(r.bytes()));
}

void TestAgenda::yearPanel()
{
    QVERIFY(ed->panAvvio->isVisible());
    QVERIFY(!ed->panContainer->isVisible());
    QCOMPARE(ed->txtAnno->text(), QStringLiteral("2014"));
    QCOMPARE(QApplication::focusWidget(), ed->txtAnno);
    QVERIFY(ed->imgAssenti->isVisible());
    QVERIFY(!ed->imgPresenti->isVisible());
    QVERIFY(!ed->btnOK->isEnabled());
    QTest::keyClick(ed->txtAnno, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), ed->btnApri);

    for (const QString &refused : {QStringLiteral("14"), QString(), QStringLiteral("../x")}) {
        Seams::Messages::clear();
        openYear(refused);
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
        QCOMPARE(Seams::Messages::last().text,
                 QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QVERIFY(ed->panAvvio->isVisible());
        QCOMPARE(QApplication::focusWidget(), ed->txtAnno);
    }

    openYear(QStringLiteral("0000"));
    QVERIFY(ed->panContainer->isVisible());
    QCOMPARE(ed->lblFile->text(), folder->file(QStringLiteral("0000.sca")));
    QCOMPARE(ed->lblAnno->text(), QStringLiteral("0000"));
    QCOMPARE(ed->windowTitle(), QStringLiteral(" Versalia - Scadenze e appuntamenti anno 0000"));
    QVERIFY(!QFileInfo::exists(ed->lblFile->text())); // opening a year touches no file
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::emptyArchive());
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QVERIFY(QFileInfo::exists(ed->lblFile->text()));
}

void TestAgenda::resetValues()
{
    const auto checkReset = [this] {
        QCOMPARE(ed->txtGiorno->currentText(), QString());
        QCOMPARE(ed->txtMese->currentText(), QString());
        QCOMPARE(ed->txtOreApp->currentText(), QStringLiteral("00"));
        QCOMPARE(ed->txtMinutiApp->currentText(), QStringLiteral("00"));
        for (QComboBox *box : ed->dropDowns())
            QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(ed->txtCosto->text(), QStringLiteral("0,00"));
        QVERIFY(!ed->chkDaConfermare->isChecked());
        QVERIFY(!ed->chkEffettuata->isChecked());
        for (auto *e : {ed->txtAvviso, ed->txtCliente, ed->txtCodFisc, ed->txtNote, ed->txtOfficina})
            QCOMPARE(e->text(), QString());
        QCOMPARE(ed->lblPosizione->text(), QString());
        QCOMPARE(ed->lblAnno->text(), QStringLiteral("2014"));
        QCOMPARE(QApplication::focusWidget(), ed->txtGiorno);
    };
    openYear();
    checkReset();

    fillValid();
    ed->txtCosto->setText(QStringLiteral("12,50"));
    ed->txtNote->setText(QStringLiteral("nota"));
    ed->chkDaConfermare->setChecked(true);
    ed->chkEffettuata->setChecked(true);
    ed->cmdSalvaClick();
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    QTest::mouseClick(ed->cmdNuovo, Qt::LeftButton);
    checkReset();
}

void TestAgenda::savedRecordBytes()
{
    openYear();
    fillValid();
    ed->txtCodFisc->setText(QStringLiteral("RSSMRA80A01H501U"));
    ed->txtRecapito->setText(QStringLiteral("06 1234567"));
    ed->txtTipologia->setText(QStringLiteral("Lavoro subordinato"));
    ed->txtProtocollo->setText(QStringLiteral("A/123"));
    ed->txtApertura->setText(QStringLiteral("01/03/2014"));
    ed->txtChiusura->setText(QStringLiteral("  "));
    ed->txtStato->setText(QStringLiteral("In corso"));
    ed->txtConsulente->setText(QStringLiteral("Bianchi"));
    ed->txtOfficina->setText(QStringLiteral("Bollettino postale"));
    ed->txtCosto->setText(QStringLiteral("16,5"));
    ed->txtContatto->setText(QStringLiteral("Ricevuta 77"));
    ed->txtNote->setText(QStringLiteral("  Città  "));
    ed->chkDaConfermare->setChecked(true);
    ed->chkEffettuata->setChecked(true);
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QCOMPARE(Seams::Messages::last().text, QStringLiteral("La scheda corrente è stata salvata in archivio."));

    const QByteArray rec = fileBytes(folder->file(QStringLiteral("2014.sca")));
    QCOMPARE(rec.size(), 1328);
    const struct {
        int offset, capacity;
        const char16_t *text;
    } expected[] = {
        {0, 2, u"05"},
        {3, 10, u"Marzo"},
        {14, 4, u"2014"},
        {19, 10, u"05/03/2014"},
        {30, 2, u"09"},
        {33, 2, u"30"},
        {36, 5, u"09:30"},
        {42, 3, u"3"},
        {46, 50, u"ROSSI MARIO"},
        {97, 16, u"RSSMRA80A01H501U"},
        {114, 50, u"06 1234567"},
        {165, 250, u"Rinnovo permesso"},
        {416, 50, u"Lavoro subordinato"},
        {467, 30, u"A/123"},
        {498, 10, u"01/03/2014"},
        {509, 10, u""},
        {520, 30, u"In corso"},
        {551, 50, u"Bianchi"},
        {602, 250, u"Appuntamento in Questura"},
        {853, 150, u"Bollettino postale"},
        {1004, 15, u"16,50"},
        {1020, 50, u"Ricevuta 77"},
        {1071, 250, u"Città"},
        {1322, 2, u"Sì"},
        {1325, 2, u"Sì"},
    };
    for (const auto &e : expected)
        QCOMPARE(fieldAt(rec, e.offset, e.capacity), QString::fromUtf16(e.text));
    QCOMPARE(rec.right(6), QByteArray("\x02\x53\xEC\x02\x53\xEC", 6));
    QCOMPARE(ed->lblData->text(), QStringLiteral("05/03/2014"));
    QCOMPARE(ed->lblOra->text(), QStringLiteral("09:30"));

    ed->chkDaConfermare->setChecked(false);
    ed->chkEffettuata->setChecked(false);
    ed->cmdSalvaClick();
    QCOMPARE(fileBytes(folder->file(QStringLiteral("2014.sca"))).right(6), QByteArray("\x02\x4E\x6F\x02\x4E\x6F", 6));
}

// Each row makes the previous check pass and the next one fail. The drop-down rule runs first, so a
// value outside a list (one digit, a small initial) is already empty when the checks read it.
void TestAgenda::saveChecksInOrder()
{
    openYear();
    ed->txtOreApp->setEditText(QString());
    ed->txtCosto->clear();
    struct Step {
        std::function<void()> change;
        QString message;
        QWidget *focus;
    };
    const auto need = [](const char *what) {
        return QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ") + QString::fromUtf8(what);
    };
    const QList<Step> steps = {
        {[] {}, kMissingDay, ed->txtGiorno},
        {[this] { ed->txtGiorno->setEditText(QStringLiteral("5")); }, kMissingDay, ed->txtGiorno}, // two digits
        {[this] { ed->txtGiorno->setEditText(QStringLiteral("05")); }, need("il mese della scadenza."), ed->txtMese},
        {[this] { ed->txtMese->setEditText(QStringLiteral("Marzo")); }, kMissingHour, ed->txtOreApp},
        {[this] {
             ed->txtOreApp->setEditText(QStringLiteral("09"));
             ed->txtMinutiApp->setEditText(QString());
         },
         need("i minuti dell'ora dell'appuntamento."), ed->txtMinutiApp},
        {[this] {
             ed->txtMinutiApp->setEditText(QStringLiteral("30"));
             ed->txtOreApp->setEditText(QStringLiteral("9"));
         },
         kMissingHour, ed->txtOreApp}, // two digits
        {[this] {
             ed->txtOreApp->setEditText(QStringLiteral("09"));
             ed->txtMinutiApp->setEditText(QStringLiteral("3"));
         },
         need("i minuti dell'ora dell'appuntamento."), ed->txtMinutiApp}, // two digits
        {[this] { ed->txtMinutiApp->setEditText(QStringLiteral("30")); }, need("i giorni di preavviso."),
         ed->txtAvviso},
        {[this] { ed->txtAvviso->setText(QStringLiteral("0")); }, need("il nome del richiedente."), ed->txtCliente},
        {[this] { ed->txtCliente->setText(QStringLiteral("ROSSI")); },
         need("l'oggetto della pratica a cui la scadenza si riferisce."), ed->txtOggetto},
        {[this] { ed->txtOggetto->setText(QStringLiteral("Rinnovo")); }, need("la causale della scadenza."),
         ed->txtDettagli},
        {[this] {
             ed->txtDettagli->setText(QStringLiteral("Questura"));
             ed->txtMese->setEditText(QStringLiteral("marzo")); // not as listed
         },
         need("il mese della scadenza."), ed->txtMese},
        {[this] {
             ed->txtMese->setEditText(QStringLiteral("Aprile"));
             ed->txtGiorno->setEditText(QStringLiteral("31"));
         },
         noSuchDate(QStringLiteral("31/04/2014")), ed->txtGiorno},
    };
    for (const auto &s : steps) {
        s.change();
        Seams::Messages::clear();
        ed->cmdSalvaClick();
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().text, s.message);
        QCOMPARE(Seams::Messages::last().kind,
                 s.message.contains(QStringLiteral("non esiste")) ? Seams::MsgKind::Plain : Seams::MsgKind::Warning);
        QCOMPARE(QApplication::focusWidget(), s.focus);
        QCOMPARE(ed->txtCosto->text(), QStringLiteral("0,00")); // an empty amount became 0,00 at the first try
    }
    QVERIFY(fileBytes(ed->lblFile->text()).isEmpty());
    ed->txtGiorno->setEditText(QStringLiteral("30"));
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::savedNew());
}

void TestAgenda::dateAndTimeTables_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("ora");
    const auto row = [](const char *name, const char *year, const char *day, const char *month, const char *hour,
                        const char *minutes, const QString &message, const char *data, const char *ora) {
        QTest::newRow(name) << QString::fromLatin1(year) << QString::fromLatin1(day) << QString::fromLatin1(month)
                            << QString::fromLatin1(hour) << QString::fromLatin1(minutes) << message
                            << QString::fromLatin1(data) << QString::fromLatin1(ora);
    };
    row("30/02/2014", "2014", "30", "Febbraio", "10", "00", noSuchDate(QStringLiteral("30/02/2014")), "", "");
    row("29/02/2014", "2014", "29", "Febbraio", "10", "00", noSuchDate(QStringLiteral("29/02/2014")), "", "");
    row("29/02/2016", "2016", "29", "Febbraio", "10", "00", {}, "29/02/2016", "10:00");
    row("31/04/2014", "2014", "31", "Aprile", "10", "00", noSuchDate(QStringLiteral("31/04/2014")), "", "");
    row("00/01/2014", "2014", "00", "Gennaio", "10", "00", kMissingDay, "", "");
    row("24:00", "2014", "05", "Marzo", "24", "00", kMissingHour, "", "");
    row("23:59", "2014", "05", "Marzo", "23", "59", {}, "05/03/2014", "23:59");
    row("hour 9", "2014", "05", "Marzo", "9", "00", kMissingHour, "", "");
    row("pasted 99", "2014", "05", "Marzo", "paste:99", "00", kMissingHour, "", "");
}

void TestAgenda::dateAndTimeTables()
{
    QFETCH(QString, year);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, hour);
    QFETCH(QString, minutes);
    QFETCH(QString, message);
    QFETCH(QString, data);
    QFETCH(QString, ora);
    openYear(year);
    fillValid();
    ed->txtGiorno->setEditText(day);
    ed->txtMese->setEditText(month);
    ed->txtMinutiApp->setEditText(minutes);
    if (hour.startsWith(QStringLiteral("paste:"))) {
        // Pasted into the field's own line, then Salva, which takes no focus: the field is never left.
        ed->txtOreApp->setEditText(QString());
        QApplication::clipboard()->setText(hour.mid(6));
        ed->txtOreApp->lineEdit()->paste();
        QCOMPARE(ed->txtOreApp->currentText(), hour.mid(6));
    } else {
        ed->txtOreApp->setEditText(hour);
    }
    Seams::Messages::clear();
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::shown().size(), 1);
    const QByteArray bytes = fileBytes(folder->file(year + QStringLiteral(".sca")));
    if (message.isEmpty()) {
        QCOMPARE(Seams::Messages::last().text, ArchiveTexts::savedNew());
        QCOMPARE(bytes.size(), 1328);
        QCOMPARE(fieldAt(bytes, 19, 10), data);
        QCOMPARE(fieldAt(bytes, 36, 5), ora);
    } else {
        QCOMPARE(Seams::Messages::last().text, message);
        QVERIFY(bytes.isEmpty());
    }
}

void TestAgenda::appendThenOverwrite()
{
    openYear();
    for (int i = 1; i <= 7; ++i)
        appendRecord(QStringLiteral("2014"), QStringLiteral("CLIENTE %1").arg(i));
    fillValid();
    ed->cmdSalvaClick();
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("8"));
    QCOMPARE(Seams::Messages::last().text, QStringLiteral("La scheda corrente è stata salvata in archivio."));
    ed->txtCliente->setText(QStringLiteral("VERDI ANNA"));
    ed->txtGiorno->setEditText(QStringLiteral("01")); // a new date does not move the record
    ed->txtCliente->setFocus();
    QTest::keyClick(ed->txtCliente, Qt::Key_S, Qt::ControlModifier); // the editor's keys save from any field
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("8"));
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    const QByteArray all = fileBytes(ed->lblFile->text());
    QCOMPARE(all.size(), 8 * 1328);
    QCOMPARE(fieldAt(all, 7 * 1328 + 46, 50), QStringLiteral("VERDI ANNA"));
    QCOMPARE(fieldAt(all, 7 * 1328 + 19, 10), QStringLiteral("01/03/2014"));
    QCOMPARE(fieldAt(all, 6 * 1328 + 46, 50), QStringLiteral("CLIENTE 7"));

    // A failing archive reports and keeps the position.
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Write; });
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("8"));
}

void TestAgenda::navigation()
{
    openYear();
    QTest::mouseClick(ed->cmdAvanti, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::emptyArchive());
    for (int i = 1; i <= 3; ++i)
        appendRecord(QStringLiteral("2014"), QStringLiteral("CLIENTE %1").arg(i));

    // With no record shown, both next and previous show record 1.
    for (Picture *move : {ed->cmdAvanti, ed->cmdIndietro}) {
        QTest::mouseClick(ed->cmdNuovo, Qt::LeftButton);
        QTest::mouseClick(move, Qt::LeftButton);
        QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(ed->txtCliente->text(), QStringLiteral("CLIENTE 1"));
    }
    QCOMPARE(ed->txtMese->currentText(), QStringLiteral("Aprile"));
    QCOMPARE(ed->lblData->text(), QStringLiteral("10/04/2014"));
    QCOMPARE(ed->lblOra->text(), QStringLiteral("11:15"));
    QCOMPARE(ed->txtCosto->text(), QStringLiteral("16,00"));

    // Previous at record 1: nothing, no message, and not even with the file gone.
    Seams::Messages::clear();
    ed->txtCliente->setText(QStringLiteral("edited"));
    QFile::remove(ed->lblFile->text());
    QTest::mouseClick(ed->cmdIndietro, Qt::LeftButton);
    QVERIFY(Seams::Messages::shown().isEmpty());
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(ed->txtCliente->text(), QStringLiteral("edited"));
    QVERIFY(!QFileInfo::exists(ed->lblFile->text()));

    for (int i = 1; i <= 3; ++i)
        appendRecord(QStringLiteral("2014"), QStringLiteral("CLIENTE %1").arg(i));
    Seams::Messages::setNextAnswer(Seams::Answer::No); // the edit is given up
    QTest::mouseClick(ed->cmdUltimo, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::QuestionCancel);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("3"));
    Seams::Messages::clear();
    QTest::mouseClick(ed->cmdAvanti, Qt::LeftButton);
    QVERIFY(Seams::Messages::shown().isEmpty());
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("3"));
    QTest::mouseClick(ed->cmdIndietro, Qt::LeftButton);
    QCOMPARE(ed->txtCliente->text(), QStringLiteral("CLIENTE 2"));
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));

    ArchiveFile::setFaultHook([](ArchiveFile::Op, const QString &) { return true; });
    QTest::mouseClick(ed->cmdAvanti, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
}

void TestAgenda::duplicateKeepsAllButDateAndTime()
{
    openYear();
    fillValid();
    ed->cmdDuplicaClick();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata "
                            "inserita in archivio."));
    QCOMPARE(ed->txtGiorno->currentText(), QStringLiteral("05"));

    ed->txtCosto->setText(QStringLiteral("16,00"));
    ed->chkDaConfermare->setChecked(true);
    ed->chkEffettuata->setChecked(true);
    ed->cmdSalvaClick();
    QTest::mouseClick(ed->cmdDuplica, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QCOMPARE(Seams::Messages::last().text,
             QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                            "premere Salva per inserire la scheda in archivio."));
    QCOMPARE(ed->lblPosizione->text(), QString());
    QCOMPARE(ed->txtGiorno->currentText(), QString());
    QCOMPARE(ed->txtMese->currentText(), QString());
    QCOMPARE(ed->txtOreApp->currentText(), QStringLiteral("00"));
    QCOMPARE(ed->txtMinutiApp->currentText(), QStringLiteral("00"));
    QCOMPARE(QApplication::focusWidget(), ed->txtGiorno);
    QVERIFY(ed->chkDaConfermare->isChecked());
    QVERIFY(ed->chkEffettuata->isChecked());
    QCOMPARE(ed->txtCliente->text(), QStringLiteral("ROSSI MARIO"));
    QCOMPARE(ed->txtCosto->text(), QStringLiteral("16,00"));

    ed->txtGiorno->setEditText(QStringLiteral("12"));
    ed->txtMese->setEditText(QStringLiteral("Maggio"));
    ed->cmdSalvaClick();
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("2"));
    const QByteArray all = fileBytes(ed->lblFile->text());
    QCOMPARE(all.size(), 2 * 1328);
    QCOMPARE(fieldAt(all, 1328 + 19, 10), QStringLiteral("12/05/2014"));
    QCOMPARE(all.right(6), QByteArray("\x02\x53\xEC\x02\x53\xEC", 6));

    // An unreachable archive: the error, and the position is already empty.
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Open; });
    QTest::mouseClick(ed->cmdDuplica, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(ed->lblPosizione->text(), QString());
}

// The year label follows a loaded record, yet new records always belong to the year that was opened.
void TestAgenda::openYearKeptApartFromLoadedRecord()
{
    openYear();
    appendRecord(QStringLiteral("2013"), QStringLiteral("COPIATO"));
    appendRecord(QString(), QStringLiteral("SENZA ANNO"));

    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(ed->lblAnno->text(), QStringLiteral("2013"));
    ed->cmdSalvaClick(); // a stored record keeps its own year
    QCOMPARE(fieldAt(fileBytes(ed->lblFile->text()), 19, 10), QStringLiteral("10/04/2013"));
    QTest::mouseClick(ed->cmdNuovo, Qt::LeftButton);
    QCOMPARE(ed->lblAnno->text(), QStringLiteral("2014"));
    fillValid();
    ed->cmdSalvaClick();
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("3"));
    QCOMPARE(fieldAt(fileBytes(ed->lblFile->text()).mid(2 * 1328), 19, 10), QStringLiteral("05/03/2014"));

    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QTest::mouseClick(ed->cmdDuplica, Qt::LeftButton);
    QCOMPARE(ed->lblAnno->text(), QStringLiteral("2014"));

    Seams::Messages::setNextAnswer(Seams::Answer::No); // the duplicate is not wanted
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QTest::mouseClick(ed->cmdAvanti, Qt::LeftButton);
    QCOMPARE(ed->txtCliente->text(), QStringLiteral("SENZA ANNO"));
    QCOMPARE(ed->lblAnno->text(), QStringLiteral("2014"));
    Seams::Messages::clear();
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::savedChanges());
    const QByteArray second = fileBytes(ed->lblFile->text()).mid(1328, 1328);
    QCOMPARE(fieldAt(second, 14, 4), QStringLiteral("2014"));
    QCOMPARE(fieldAt(second, 19, 10), QStringLiteral("10/04/2014"));
}

void TestAgenda::pickOnlyDropDowns()
{
    openYear();
    // Stored values outside the lists show as stored.
    Record r(kDeadlineLayout);
    r.setText("Giorno", QStringLiteral("5"));
    r.setText("Mese", QStringLiteral("gennaio"));
    r.setText("Anno", QStringLiteral("2014"));
    r.setText("OreApp", QStringLiteral("99"));
    r.setText("MinutiApp", QStringLiteral("07"));
    {
        ArchiveFile f(ed->lblFile->text(), kDeadlineLayout.size());
        QVERIFY(f.open());
        QVERIFY(f.append(r.bytes()));
    }
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(ed->txtGiorno->currentText(), QStringLiteral("5"));
    QCOMPARE(ed->txtMese->currentText(), QStringLiteral("gennaio"));
    QCOMPARE(ed->txtOreApp->currentText(), QStringLiteral("99"));
    QCOMPARE(ed->txtMinutiApp->currentText(), QStringLiteral("07"));

    // Taking the focus clears the list selection but keeps the text; typing does nothing; leaving drops
    // whatever is not in the list.
    ed->txtMinutiApp->setCurrentIndex(7);
    ed->txtMinutiApp->setFocus();
    QCOMPARE(QApplication::focusWidget(), ed->txtMinutiApp);
    QCOMPARE(ed->txtMinutiApp->currentIndex(), -1);
    QCOMPARE(ed->txtMinutiApp->currentText(), QStringLiteral("07"));
    QTest::keyClicks(ed->txtMinutiApp, QStringLiteral("1a"));
    QTest::keyClick(ed->txtMinutiApp, Qt::Key_Up);
    QTest::keyClick(ed->txtMinutiApp, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ed->txtMinutiApp->currentText(), QStringLiteral("07"));
    QVERIFY(ed->findChild<QFrame *>(QStringLiteral("effMinutiApp"))->isVisible());
    for (QComboBox *box : {ed->txtGiorno, ed->txtMese}) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->currentText(), QString());
    }
    QCOMPARE(QApplication::focusWidget(), ed->txtOreApp); // the Enter chain went on
    QTest::keyClick(ed->txtOreApp, Qt::Key_Backspace);
    QCOMPARE(ed->txtOreApp->currentText(), QString()); // emptied at once, not one character
    ed->txtOreApp->setEditText(QStringLiteral("31"));
    QTest::keyClick(ed->txtOreApp, Qt::Key_Tab);
    QCOMPARE(ed->txtOreApp->currentText(), QString());
    QCOMPARE(ed->txtMinutiApp->currentText(), QStringLiteral("07"));
    ed->txtGiorno->setFocus();
    ed->txtGiorno->setEditText(QStringLiteral("31"));
    ed->txtMese->setFocus();
    QCOMPARE(ed->txtGiorno->currentText(), QStringLiteral("31"));
}

void TestAgenda::amountRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("storedWhenPasted"); // a paste the rule refuses leaves the field empty
    QTest::newRow("empty") << QString() << QStringLiteral("0,00") << QStringLiteral("0,00");
    QTest::newRow(",5") << QStringLiteral(",5") << QStringLiteral("0,50") << QStringLiteral("0,50");
    QTest::newRow("7") << QStringLiteral("7") << QStringLiteral("7,00") << QStringLiteral("7,00");
    QTest::newRow("12,34567") << QStringLiteral("12,34567") << QStringLiteral("12,3457") << QStringLiteral("12,3457");
    // A second comma is refused as it is typed, as in every amount field.
    QTest::newRow("1,2,3") << QStringLiteral("1,2,3") << QStringLiteral("1,23") << QStringLiteral("0,00");
    QTest::newRow("letters refused") << QStringLiteral("1x5") << QStringLiteral("15,00") << QStringLiteral("0,00");
}

// On leaving the field, and again at saving, where a pasted amount never left the field.
void TestAgenda::amountRule()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, storedWhenPasted);
    openYear();
    ed->txtCosto->setFocus();
    ed->txtCosto->clear();
    QTest::keyClicks(ed->txtCosto, typed);
    QTest::keyClick(ed->txtCosto, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), ed->txtContatto);
    QCOMPARE(ed->txtCosto->text(), shown);

    fillValid();
    ed->txtCosto->setFocus();
    ed->txtCosto->clear();
    QApplication::clipboard()->setText(typed);
    ed->txtCosto->paste();
    ed->cmdSalvaClick();
    QCOMPARE(fieldAt(fileBytes(ed->lblFile->text()), 1004, 15), storedWhenPasted);
}

// The real applicant search, opened from this editor as at start-up: a double click on an applicant fills the
// client's three fields and nothing else, and saves nothing.
void TestAgenda::applicantImportFillsThreeFields()
{
    openYear();
    QVERIFY(!ed->cmdImporta->isEnabled());
    ApplicantFixture::write(folder->file(QStringLiteral("Richiedenti.pro")),
                            {ApplicantFixture::full({{"Cognome", QStringLiteral("ROSSI")},
                                                     {"Nome", QStringLiteral("MARIO")},
                                                     {"CodFisc", QStringLiteral("RSSMRA80A01H501U")},
                                                     {"Recapito", QStringLiteral("333 1234567")}})});
    QString tag;
    TfrmScadenzario::setApplicantSearchFactory([&tag](QWidget *owner) -> QDialog * {
        auto *search = new TfrmTrovaAnagrafica(owner);
        TestSupport::onNextModal([search, &tag](QWidget *) {
            tag = search->lblMemory->text();
            search->txtCognome->setText(QStringLiteral("ross"));
            search->btnCercaClick();
            QCOMPARE(search->lstRecords->count(), 1);
            search->lstRecords->selectRow(0);
            search->lstRecordsDblClick();
        });
        return search;
    });
    ed->hide();
    ed->show(); // the command follows the registration when the window is shown
    openYear();
    QVERIFY(ed->cmdImporta->isEnabled());
    fillValid();
    ed->cmdSalvaClick();
    ed->txtCliente->setText(QStringLiteral("OLD"));
    const QByteArray before = fileBytes(ed->lblFile->text());

    QList<QPair<QWidget *, QString>> others;
    for (auto *e : ed->panContainer->findChildren<QLineEdit *>())
        if (!e->objectName().isEmpty() && e != ed->txtCliente && e != ed->txtCodFisc && e != ed->txtRecapito)
            others.append({e, e->text()});
    QTest::mouseClick(ed->cmdImporta, Qt::LeftButton);
    QCOMPARE(tag, QStringLiteral("scadenzario"));
    QCOMPARE(ed->txtCliente->text(), QStringLiteral("ROSSI MARIO"));
    QCOMPARE(ed->txtCodFisc->text(), QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(ed->txtRecapito->text(), QStringLiteral("333 1234567"));
    for (const auto &[w, text] : others)
        QCOMPARE(static_cast<QLineEdit *>(w)->text(), text);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(fileBytes(ed->lblFile->text()), before); // nothing saved
    TfrmScadenzario::setApplicantSearchFactory({});
}

void TestAgenda::todayIconsAndHelp()
{
    openYear();
    ed->txtApertura->setText(QStringLiteral("x"));
    QTest::mouseClick(ed->impApertura, Qt::LeftButton);
    QTest::mouseClick(ed->impChiusura, Qt::LeftButton);
    QCOMPARE(ed->txtApertura->text(), QStringLiteral("15/03/2014"));
    QCOMPARE(ed->txtChiusura->text(), QStringLiteral("15/03/2014"));

    for (Picture *command : {ed->cmdGuida, ed->imgGuida}) {
        Seams::Help::shown().clear();
        if (command == ed->imgGuida) {
            Seams::Messages::setNextAnswer(Seams::Answer::No); // the dates just set are not saved
            ed->close();
            ed->show();
        }
        QTest::mouseClick(command, Qt::LeftButton);
        QCOMPARE(Seams::Help::shown().size(), 1);
        QCOMPARE(TestSupport::helpTitle(), QStringLiteral("Applicazione Scadenze e Appuntamenti."));
        const QStringList paragraphs = TestSupport::helpParagraphs();
        QCOMPARE(paragraphs.size(), 9);
        QVERIFY(paragraphs.first().startsWith(QStringLiteral(
            "L'applicazione Scadenze e Appuntamenti consente di tenere sotto controllo le scadenze giornaliere, "
            "mensili o annuali")));
    }
}

void TestAgenda::identifierCheckByContent_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("vat");
    QTest::addColumn<QString>("entry");
    QTest::newRow("empty") << QString() << false << QString();
    QTest::newRow("eleven digits") << QStringLiteral("01234567890") << true << QStringLiteral("01234567890");
    QTest::newRow("fiscal code") << QStringLiteral("RSSMRA80A01H501U") << false << QStringLiteral("RSSMRA80A01H501U");
    QTest::newRow("digits and a hyphen") << QStringLiteral("0123-45") << false << QStringLiteral("0123-45");
}

void TestAgenda::identifierCheckByContent()
{
    QFETCH(QString, field);
    QFETCH(bool, vat);
    QFETCH(QString, entry);
    openYear();
    ed->txtCodFisc->setText(field);
    bool seen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        seen = true;
        if (vat) {
            auto *check = qobject_cast<TfrmPartitaIva *>(w);
            QVERIFY(check);
            QCOMPARE(check->txtPartitaIva->text(), entry);
        } else {
            auto *check = qobject_cast<TfrmCodFisc *>(w);
            QVERIFY(check);
            QCOMPARE(check->txtCodFisc->text(), entry);
        }
        w->close();
    });
    QTest::mouseClick(ed->btnCodFisc, Qt::LeftButton);
    QVERIFY(seen);
    QCOMPARE(ed->txtCodFisc->text(), field); // the check hands nothing back
}

void TestAgenda::closeStopsSoundAndShowsStartPanel()
{
    openYear(QStringLiteral("2013"));
    fillValid();
    ed->calAppuntamenti->setSelectedDate(QDate(2014, 6, 1));
    Seams::Messages::setNextAnswer(Seams::Answer::Yes); // the appointment is saved as the window closes
    QTest::mouseClick(ed->cmdEsci, Qt::LeftButton);
    QVERIFY(!ed->isVisible());
    QCOMPARE(Seams::Sound::stopCount(), 1);
    QCOMPARE(ed->windowTitle(), QStringLiteral(" Versalia - Scadenze e appuntamenti"));
    ed->show();
    QVERIFY(ed->panAvvio->isVisible());
    QCOMPARE(ed->txtAnno->text(), QStringLiteral("2014"));
    QCOMPARE(ed->calAppuntamenti->selectedDate(), QDate(2014, 6, 1)); // the calendar keeps the chosen day
    QCOMPARE(ed->txtCliente->text(), QStringLiteral("ROSSI MARIO"));  // until the next Apri
}

QTEST_MAIN(TestAgenda)
#include "test_agenda.moc"

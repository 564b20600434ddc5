// The three editors built on the shared editor window: every field of each record bound to a control of the
// editor's own, and a missing control caught when the editor is made rather than when a record is saved.

#include "SlipFixture.h"
#include "TestSupport.h"

#include "ApplicantFixture.h"
#include "agenda/DeadlineRecord.h"
#include "agenda/Scadenzario.h"
#include "core/ArchiveTexts.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/EditorFrame.h"
#include "core/widgets/Forms.h"
#include "registry/Anagrafica.h"
#include "registry/ApplicantRecord.h"
#include "registry/TrovaAnagrafica.h"
#include "slips/Bollettino.h"
#include "slips/SlipRecord.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {
// A text of its own for every field, as long as the field can hold and in the form its control can show.
Record distinctRecord(const RecordLayout &layout)
{
    Record r(layout);
    for (int i = 0; i < layout.count(); ++i) {
        const FieldDef &f = layout.field(i);
        QString text;
        if (f.control.starts_with("chk"))
            text = i % 2 ? QStringLiteral("Sì") : QStringLiteral("No");
        else if (f.capacity == 1)
            text = QChar(u'A' + i % 26);
        else
            text = QStringLiteral("%1%2").arg(QChar(u'A' + i % 26)).arg(i).left(f.capacity);
        r.setText(i, text);
    }
    return r;
}

struct EditorCase {
    std::function<TEditorWindow *()> make;
    const RecordLayout *layout;
};
} // namespace

class TestEditors : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup() { TestSupport::checkSeams(); }
    void everyFieldBoundToItsOwnControl_data();
    void everyFieldBoundToItsOwnControl();
    void missingControlStopsTheProgram();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void nothingAskedWithoutChanges();
    void storedDatesAreRealDays_data();
    void storedDatesAreRealDays();
    void handedOverTextsKeptWhole();
    void statusLineFollowsTheScreen();
    void typedDatesInTheCalendar_data();
    void typedDatesInTheCalendar();
    void placeholderReplacedWhenClickedInto_data();
    void placeholderReplacedWhenClickedInto();
    void unreadableAmountRefused();
    void fieldAfterCalendarImportSelected();
    void dateFieldOpensOnAClick();
    void longTextsShowTheirStart();
    void statusLinesReadable();
};

void TestEditors::everyFieldBoundToItsOwnControl_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("slips") << 0;
    QTest::newRow("applicants") << 1;
    QTest::newRow("deadlines") << 2;
}

void TestEditors::everyFieldBoundToItsOwnControl()
{
    QFETCH(int, which);
    TestProgramFolder folder;
    const EditorCase cases[] = {
        {[] { return new TfrmBollettino; }, &kSlipLayout},
        {[] { return new TfrmAnagrafica; }, &kApplicantLayout},
        {[] { return new TfrmScadenzario; }, &kDeadlineLayout},
    };
    const EditorCase &c = cases[which];
    std::unique_ptr<TEditorWindow> ed(c.make());

    QSet<QWidget *> seen;
    for (int i = 0; i < c.layout->count(); ++i) {
        const FieldDef &f = c.layout->field(i);
        const QString name = QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
        QWidget *w = EditorFrame::ownControl(ed.get(), name);
        QVERIFY2(w, qPrintable(name));
        QVERIFY2(EditorFrame::readable(w), qPrintable(name));
        QVERIFY2(!seen.contains(w), qPrintable(name));
        seen.insert(w);
    }

    const Record stored = distinctRecord(*c.layout);
    ed->frame()->load(stored, 7);
    Record back(*c.layout);
    ed->frame()->fillRecord(back);
    for (int i = 0; i < c.layout->count(); ++i)
        QCOMPARE(back.text(i), stored.text(i));
    QCOMPARE(back.bytes(), stored.bytes());
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("7"));
}

// In a process of its own: the frame stops the program when the window lacks a control of the record.
void TestEditors::missingControlStopsTheProgram()
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VERSALIA_FRAME_WITHOUT_CONTROL"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(p.waitForFinished(30000));
    QVERIFY(p.exitStatus() == QProcess::CrashExit || p.exitCode() != 0);
    QVERIFY2(p.readAllStandardError().contains("has no control txtEsecutore"), "the message names the control");
}

namespace {
const QString kUnsaved = QStringLiteral("Le modifiche alla scheda corrente non sono state salvate.\n\r\n\rSi vogliono "
                                        "salvare adesso?");

int questionsAsked()
{
    int n = 0;
    for (const auto &m : Seams::Messages::shown())
        n += m.kind == Seams::MsgKind::QuestionCancel && m.text == kUnsaved;
    return n;
}

// Record 2 of the archive as the lists hand it to the editor.
Record slipAt(const QString &path, int position)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    f.seek(qint64(position - 1) * kSlipLayout.size());
    return Record(kSlipLayout, f.read(kSlipLayout.size()));
}

enum class Way { Nuovo, Avanti, Indietro, Primo, Ultimo, Esci, FromList };
enum class Reply { Save, SaveFails, Discard, Stay };
} // namespace

void TestEditors::unsavedChangesAreAskedAbout_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<Reply>("reply");
    const std::pair<const char *, Way> ways[] = {
        {"Nuovo", Way::Nuovo},   {"Avanti", Way::Avanti}, {"Indietro", Way::Indietro},    {"Primo", Way::Primo},
        {"Ultimo", Way::Ultimo}, {"Esci", Way::Esci},     {"da un elenco", Way::FromList}};
    const std::pair<const char *, Reply> replies[] = {{"Sì", Reply::Save},
                                                      {"Sì, salvataggio rifiutato", Reply::SaveFails},
                                                      {"No", Reply::Discard},
                                                      {"Annulla", Reply::Stay}};
    for (const auto &[wayName, way] : ways)
        for (const auto &[replyName, reply] : replies)
            QTest::addRow("%s, %s", wayName, replyName) << way << reply;
}

// A changed slip at position 2 of 3, left in every way, with every answer: the change is saved, given up, or
// kept on the screen, and the screen moves on only when it may.
void TestEditors::unsavedChangesAreAskedAbout()
{
    QFETCH(Way, way);
    QFETCH(Reply, reply);
    TestProgramFolder folder;
    const QString archive = folder.file(QStringLiteral("2024.pse"));
    SlipFixture::write(archive, {SlipFixture::Slip(QStringLiteral("UNO")), SlipFixture::Slip(QStringLiteral("DUE")),
                                 SlipFixture::Slip(QStringLiteral("TRE"))});
    TfrmBollettino ed;
    ed.show();
    ed.txtAnno->setText(QStringLiteral("2024"));
    ed.btnApriClick();
    ed.cmdPrimoClick();
    ed.cmdAvantiClick();
    QCOMPARE(ed.lblPosizione->text(), QStringLiteral("2"));
    const QByteArray before = TestSupport::fileBytes(archive);

    ed.txtNote->setText(QStringLiteral("CAMBIATA"));
    if (reply == Reply::SaveFails)
        ed.txtEsecutore->clear(); // the save refuses a slip without its payer
    Seams::Messages::setNextAnswer(reply == Reply::Discard ? Seams::Answer::No
                                   : reply == Reply::Stay  ? Seams::Answer::Cancel
                                                           : Seams::Answer::Yes);
    switch (way) {
    case Way::Nuovo:
        QTest::mouseClick(ed.cmdNuovo, Qt::LeftButton);
        break;
    case Way::Avanti:
        QTest::mouseClick(ed.cmdAvanti, Qt::LeftButton);
        break;
    case Way::Indietro:
        QTest::mouseClick(ed.cmdIndietro, Qt::LeftButton);
        break;
    case Way::Primo:
        QTest::mouseClick(ed.cmdPrimo, Qt::LeftButton);
        break;
    case Way::Ultimo:
        QTest::mouseClick(ed.cmdUltimo, Qt::LeftButton);
        break;
    case Way::Esci:
        QTest::mouseClick(ed.cmdEsci, Qt::LeftButton);
        break;
    case Way::FromList:
        ed.showRecord(slipAt(archive, 3), 3);
        break;
    }
    QCOMPARE(questionsAsked(), 1);

    const bool goesOn = reply == Reply::Save || reply == Reply::Discard;
    const QByteArray after = TestSupport::fileBytes(archive);
    if (reply == Reply::Save) {
        QCOMPARE(slipAt(archive, 2).text("Note"), QStringLiteral("CAMBIATA"));
        QCOMPARE(after.size(), before.size());
    } else {
        QCOMPARE(after, before);
    }
    if (!goesOn) {
        QCOMPARE(ed.lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(ed.txtNote->text(), QStringLiteral("CAMBIATA"));
        QVERIFY(ed.isVisible());
        return;
    }
    const QString expected[] = {QString(),           QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("1"),
                                QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("3")};
    QCOMPARE(ed.lblPosizione->text(), expected[int(way)]);
    if (way == Way::Esci)
        QVERIFY(!ed.isVisible());
    else
        QVERIFY(ed.txtNote->text() != QStringLiteral("CAMBIATA"));
}

// Browsing, starting anew and leaving ask nothing while the screen holds what was loaded or started; a record
// loaded with a check box the archive left neither Sì nor No counts as unchanged too.
void TestEditors::nothingAskedWithoutChanges()
{
    TestProgramFolder folder;
    Record odd(kDeadlineLayout);
    odd.setText("Giorno", QStringLiteral("05"));
    odd.setText("DaConfermare", QStringLiteral("?"));
    QFile f(folder.file(QStringLiteral("2014.sca")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(odd.bytes());
    f.write(odd.bytes());
    f.close();
    TfrmScadenzario ed;
    ed.show();
    ed.txtAnno->setText(QStringLiteral("2014"));
    ed.btnApriClick();
    ed.cmdPrimoClick();
    ed.cmdAvantiClick();
    ed.cmdNuovoClick();
    ed.txtCliente->setText(QStringLiteral("ROSSI"));
    ed.txtCliente->clear(); // typed and taken back: nothing changed
    ed.cmdUltimoClick();
    ed.close();
    QCOMPARE(questionsAsked(), 0);
    QVERIFY(!ed.isVisible());
}

void TestEditors::storedDatesAreRealDays_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("saved");
    QTest::newRow("empty payment date") << "txtDataPaga"
                                        << "" << true;
    QTest::newRow("payment date") << "txtDataPaga"
                                  << "01/03/2024" << true;
    QTest::newRow("negative year") << "txtDataPaga"
                                   << "25/11/-471" << false;
    QTest::newRow("no such day") << "txtDataPaga"
                                 << "31/02/2024" << false;
    QTest::newRow("year 1") << "txtDataPaga"
                            << "01/01/0001" << false;
    QTest::newRow("short form") << "txtDataPaga"
                                << "1/3/2024" << false;
    QTest::newRow("due date, year 1") << "txtDataScade"
                                      << "01/01/0001" << false;
}

// However a date reached the field, a save stores only an empty field or a real day as dd/mm/yyyy, and
// otherwise says which field and leaves the focus there.
void TestEditors::storedDatesAreRealDays()
{
    QFETCH(QString, field);
    QFETCH(QString, date);
    QFETCH(bool, saved);
    TestProgramFolder folder;
    const QString archive = folder.file(QStringLiteral("2024.pse"));
    SlipFixture::write(archive, {SlipFixture::Slip(QStringLiteral("UNO"))});
    TfrmBollettino ed;
    ed.show();
    QVERIFY(QTest::qWaitForWindowActive(&ed));
    ed.txtAnno->setText(QStringLiteral("2024"));
    ed.btnApriClick();
    ed.cmdPrimoClick();
    const QByteArray before = TestSupport::fileBytes(archive);
    auto *edit = ed.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setText(date);
    ed.txtNote->setText(QStringLiteral("CAMBIATA"));
    QTest::mouseClick(ed.cmdSalva, Qt::LeftButton);
    if (saved) {
        QCOMPARE(slipAt(archive, 1).text("Note"), QStringLiteral("CAMBIATA"));
        return;
    }
    QCOMPARE(TestSupport::fileBytes(archive), before);
    const auto shown = Seams::Messages::shown();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last().kind, Seams::MsgKind::Warning);
    const QString caption =
        field == QLatin1String("txtDataPaga") ? QStringLiteral("«Data versamento»") : QStringLiteral("«Data scadenza»");
    QVERIFY2(shown.last().text.startsWith(QStringLiteral("Attenzione: la data indicata ")) &&
                 shown.last().text.contains(caption),
             qPrintable(shown.last().text));
    QCOMPARE(QApplication::focusWidget(), edit);
}

// A payer picked in the applicant search (found without its accents) reaches the slip whole, however short its
// boxes: the status line names what is too long, a save asks first and only then stores it cut.
void TestEditors::handedOverTextsKeptWhole()
{
    TestProgramFolder folder;
    ApplicantFixture::write(
        folder.file(QStringLiteral("Richiedenti.pro")),
        {ApplicantFixture::applicant({{"Cognome", QStringLiteral("HUAMÁN QUISPE DE LA CRUZ Y VALDIVIA")},
                                      {"Nome", QStringLiteral("MARÍA CONCEPCIÓN")},
                                      {"Indirizzo", QStringLiteral("VIA DEI GLICINI 7/B, SCALA C")},
                                      {"Cap", QStringLiteral("42121")},
                                      {"ComuneRes", QStringLiteral("REGGIO NELL EMILIA")},
                                      {"ProvRes", QStringLiteral("RE")}})});
    const QString archive = folder.file(QStringLiteral("2024.pse"));
    SlipFixture::write(archive, {});
    auto *ed = new TfrmBollettino;
    Forms::add(ed);
    ed->show();
    QVERIFY(QTest::qWaitForWindowActive(ed));
    ed->txtAnno->setText(QStringLiteral("2024"));
    ed->btnApriClick();
    const QString payer = QStringLiteral("HUAMÁN QUISPE DE LA CRUZ Y VALDIVIA MARÍA CONCEPCIÓN");
    bool searched = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *search = qobject_cast<TfrmTrovaAnagrafica *>(w);
        QVERIFY(search);
        searched = true;
        search->txtCognome->setText(QStringLiteral("huaman"));
        search->btnCercaClick();
        QCOMPARE(search->lstRecords->count(), 1);
        search->lstRecords->selectRow(0);
        search->lstRecordsDblClick();
    });
    QTest::mouseClick(ed->impEsecutore, Qt::LeftButton);
    QVERIFY(searched);
    QCOMPARE(ed->txtEsecutore->text(), payer);
    QCOMPARE(ed->txtIndirizzoRes->text(), QStringLiteral("VIA DEI GLICINI 7/B, SCALA C"));
    QCOMPARE(ed->txtCapRes->text(), QStringLiteral("42121"));
    QCOMPARE(ed->txtComuneRes->text(), QStringLiteral("REGGIO NELL EMILIA RE"));
    QCOMPARE(ed->panInfo->text(), QStringLiteral("Testo troppo lungo per: ESEGUITO DA, VIA - PIAZZA, LOCALITA'"));

    ed->txtImporto->setText(QStringLiteral("16"));
    ed->txtCents->setText(QStringLiteral("50"));
    ed->txtDataScade->setText(QStringLiteral("15/03/2024"));
    Seams::Messages::setNextAnswer(Seams::Answer::No);
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::QuestionNo);
    QVERIFY(Seams::Messages::last().text.contains(QStringLiteral("ESEGUITO DA, VIA - PIAZZA, LOCALITA'")));
    QCOMPARE(TestSupport::fileBytes(archive), QByteArray());
    QCOMPARE(ed->focusWidget(), ed->txtEsecutore);

    // Shortened by hand, a box takes no more typing than it can store.
    ed->txtComuneRes->setFocus();
    QTest::keyClick(ed->txtComuneRes, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ed->txtComuneRes, QStringLiteral("reggio emilia re xyz"));
    QCOMPARE(ed->txtComuneRes->text(), QStringLiteral("REGGIO EMILIA RE"));
    QCOMPARE(ed->panInfo->text(), QStringLiteral("Testo troppo lungo per: ESEGUITO DA, VIA - PIAZZA"));

    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    ed->cmdSalvaClick();
    const Record saved = slipAt(archive, 1);
    QCOMPARE(saved.text("Esecutore"), payer.left(44));
    QCOMPARE(saved.text("IndirizzoRes"), QStringLiteral("VIA DEI GLICINI 7/B, S"));
    QCOMPARE(saved.text("ComuneRes"), QStringLiteral("REGGIO EMILIA RE"));
    Forms::clear();
}

// A refused character's note, or the idle text of a new record, does not outlive the screen it was about; a
// record picked from a list leaves the focus in the first field.
void TestEditors::statusLineFollowsTheScreen()
{
    TestProgramFolder folder;
    const QString archive = folder.file(QStringLiteral("2024.pse"));
    SlipFixture::write(archive, {SlipFixture::Slip(QStringLiteral("UNO")), SlipFixture::Slip(QStringLiteral("DUE"))});
    TfrmBollettino ed;
    ed.show();
    QVERIFY(QTest::qWaitForWindowActive(&ed));
    ed.txtAnno->setText(QStringLiteral("2024"));
    ed.btnApriClick();
    const QString ready = QStringLiteral("Pronto per archiviare una nuova scheda...");
    QCOMPARE(ed.panInfo->text(), ready);
    const auto refuse = [&] {
        ed.txtNote->setFocus();
        QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("о"));
        QApplication::sendEvent(ed.txtNote, &cyrillic);
        QVERIFY(ed.panInfo->text().startsWith(QStringLiteral("Carattere non ammesso: «о»")));
    };
    refuse();
    ed.cmdUltimoClick();
    QCOMPARE(ed.panInfo->text(), QString());
    refuse();
    ed.cmdNuovoClick();
    QCOMPARE(ed.panInfo->text(), ready);

    // Saved, the screen holds a record of the archive: the idle text of a new one goes.
    ed.txtImporto->setText(QStringLiteral("16"));
    ed.txtCents->setText(QStringLiteral("50"));
    ed.txtEsecutore->setText(QStringLiteral("TRE"));
    ed.txtDataScade->setText(QStringLiteral("15/03/2024"));
    ed.cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inserted());
    QCOMPARE(ed.panInfo->text(), QString());

    ed.btnFocus->setFocus();
    QVERIFY(ed.showRecord(slipAt(archive, 1), 1));
    QCOMPARE(ed.focusWidget(), ed.txtImporto);
}

void TestEditors::typedDatesInTheCalendar_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("asYear");
    QTest::addColumn<QString>("stored"); // empty: refused, the field keeps what it had
    QTest::newRow("digits only") << "01032024" << false << "01/03/2024";
    QTest::newRow("short form") << "1/3/24" << false << "01/03/2024";
    QTest::newRow("two-digit year") << "150626" << false << "15/06/2026";
    QTest::newRow("no such day") << "31/02/2024" << false << "";
    QTest::newRow("nonsense") << "01/-2147483648/00" << false << "";
    QTest::newRow("before 1900") << "31/12/1899" << false << "";
    QTest::newRow("after 2099") << "01/01/2100" << false << "";
    QTest::newRow("year typed in the heading") << "2025" << true << "15/03/2025";
}

// Typed into the calendar opened from the slip's payment date, then Enter: exactly the typed day reaches the
// field, or the calendar stays open with its hint and the field keeps its date.
void TestEditors::typedDatesInTheCalendar()
{
    QFETCH(QString, typed);
    QFETCH(bool, asYear);
    QFETCH(QString, stored);
    TestProgramFolder folder;
    auto &ed = *new TfrmBollettino;
    Forms::add(&ed); // the calendar writes into the editor the program knows by name
    const auto forget = qScopeGuard([] { Forms::clear(); });
    ed.show();
    QVERIFY(QTest::qWaitForWindowActive(&ed));
    ed.txtAnno->setText(QStringLiteral("2024"));
    ed.btnApriClick();
    ed.txtDataPaga->setText(QStringLiteral("02/01/2024"));
    bool refused = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *cal = qobject_cast<TfrmCalendario *>(w);
        QVERIFY(cal);
        // A failed check leaves the calendar, so the editor's wait for it ends.
        const auto closeCalendar = qScopeGuard([cal] {
            if (cal->isVisible())
                cal->reject();
        });
        QWidget *grid = cal->calAppuntamenti->findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(grid);
        if (asYear) {
            QTest::mouseClick(cal->calAppuntamenti->findChild<QWidget *>(QStringLiteral("qt_calendar_yearbutton")),
                              Qt::LeftButton);
            auto *year = cal->calAppuntamenti->findChild<QSpinBox *>(QStringLiteral("qt_calendar_yearedit"));
            QVERIFY(year && year->isVisible());
            QTest::keyClick(year, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(year, typed);
            QTest::keyClick(year, Qt::Key_Return);
        } else {
            QTest::keyClicks(grid, typed.left(1));
            QCOMPARE(cal->focusWidget(), cal->txtData);
            QTest::keyClicks(cal->txtData, typed.mid(1));
            QTest::keyClick(cal->txtData, Qt::Key_Return);
        }
        refused = cal->isVisible();
        if (refused) {
            QVERIFY(cal->lblSuggerimento->isVisible());
            QVERIFY(cal->calAppuntamenti->selectedDate() >= QDate(1900, 1, 1));
            QVERIFY(cal->calAppuntamenti->selectedDate() <= QDate(2099, 12, 31));
            QTest::mouseClick(cal->btnAnnulla, Qt::LeftButton);
        }
    });
    ed.txtDataPaga->setFocus();
    QTest::keyClick(ed.txtDataPaga, Qt::Key_Return);
    QCOMPARE(refused, stored.isEmpty());
    QCOMPARE(ed.txtDataPaga->text(), stored.isEmpty() ? QStringLiteral("02/01/2024") : stored);
}

namespace {
// An editor of the program, shown and active, its year open where it has one.
TEditorWindow *openEditor(const QString &which)
{
    TEditorWindow *ed = which == QLatin1String("slips")        ? static_cast<TEditorWindow *>(new TfrmBollettino)
                        : which == QLatin1String("applicants") ? static_cast<TEditorWindow *>(new TfrmAnagrafica)
                                                               : static_cast<TEditorWindow *>(new TfrmScadenzario);
    Forms::add(ed);
    ed->show();
    if (!QTest::qWaitForWindowActive(ed))
        qWarning("the editor did not become active");
    if (ed->txtAnno) {
        ed->txtAnno->setText(QStringLiteral("2024"));
        ed->btnApriClick();
    }
    return ed;
}

// A click at the right end of the box, where the cursor would land after the placeholder.
void clickAtEnd(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 4, w->height() / 2));
}
} // namespace

void TestEditors::placeholderReplacedWhenClickedInto_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left"); // the field's text once left
    QTest::newRow("agenda amount") << "deadlines"
                                   << "txtCosto"
                                   << "45"
                                   << "45,00";
    QTest::newRow("applicant income") << "applicants"
                                      << "txtTotale"
                                      << "18500"
                                      << "18500,00";
    QTest::newRow("applicant notice days") << "applicants"
                                           << "txtPreavviso"
                                           << "120"
                                           << "120";
    QTest::newRow("slip cents") << "slips"
                                << "txtCents"
                                << "50"
                                << "50";
}

// Entered with the mouse, a field holding only its placeholder is typed over, as when entered by Tab or Enter.
void TestEditors::placeholderReplacedWhenClickedInto()
{
    QFETCH(QString, editor);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    TestProgramFolder folder;
    TEditorWindow *ed = openEditor(editor);
    const auto forget = qScopeGuard([] { Forms::clear(); });
    auto *box = ed->findChild<QLineEdit *>(field);
    QVERIFY(box);
    QVERIFY(box->text() == QLatin1String("0,00") || box->text() == QLatin1String("00") ||
            box->text() == QLatin1String("0"));
    clickAtEnd(box);
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(box->text(), left);
    // Clicked into again, a value of its own is not a placeholder: the click places the cursor.
    clickAtEnd(box);
    QVERIFY(!box->hasSelectedText());
}

// "30,50,00" (pasted before the field refused it, or from an older archive) is neither stored nor turned into
// 0,00: leaving keeps it, the save says so and leaves the focus there.
void TestEditors::unreadableAmountRefused()
{
    TestProgramFolder folder;
    auto *ed = static_cast<TfrmScadenzario *>(openEditor(QStringLiteral("deadlines")));
    const auto forget = qScopeGuard([] { Forms::clear(); });
    ed->txtCosto->setText(QStringLiteral("30,50,00"));
    ed->txtCosto->setFocus();
    QTest::keyClick(ed->txtCosto, Qt::Key_Tab);
    QCOMPARE(ed->txtCosto->text(), QStringLiteral("30,50,00"));
    ed->txtCliente->setText(QStringLiteral("ROSSI"));
    const QByteArray before = TestSupport::fileBytes(ed->lblFile->text());
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QVERIFY2(Seams::Messages::last().text.contains(QStringLiteral("«Importo in euro»")),
             qPrintable(Seams::Messages::last().text));
    QCOMPARE(ed->focusWidget(), ed->txtCosto);
    QCOMPARE(ed->txtCosto->text(), QStringLiteral("30,50,00"));
    QCOMPARE(TestSupport::fileBytes(ed->lblFile->text()), before);

    // Home, End and Ctrl+A work there; what is typed over a selection replaces it.
    QTest::keyClick(ed->txtCosto, Qt::Key_Home);
    QCOMPARE(ed->txtCosto->cursorPosition(), 0);
    QTest::keyClick(ed->txtCosto, Qt::Key_End);
    QCOMPARE(ed->txtCosto->cursorPosition(), 8);
    QTest::keyClick(ed->txtCosto, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ed->txtCosto, QStringLiteral("30,5"));
    QTest::keyClick(ed->txtCosto, Qt::Key_Tab);
    QCOMPARE(ed->txtCosto->text(), QStringLiteral("30,50"));
}

// The calendar of "Prossima scadenza" hands over its day; the next field, "Giorni di preavviso", is entered as
// by Enter, so 120 typed there is 120, not 0120.
void TestEditors::fieldAfterCalendarImportSelected()
{
    TestProgramFolder folder;
    auto *ed = static_cast<TfrmAnagrafica *>(openEditor(QStringLiteral("applicants")));
    const auto forget = qScopeGuard([] { Forms::clear(); });
    TestSupport::onNextModal([](QWidget *w) {
        auto *cal = qobject_cast<TfrmCalendario *>(w);
        QVERIFY(cal);
        QTest::mouseClick(cal->btnImportaData, Qt::LeftButton);
    });
    ed->txtScadenza->setFocus();
    QTest::keyClick(ed->txtScadenza, Qt::Key_Return);
    QCOMPARE(ed->txtScadenza->text(), QStringLiteral("15/03/2024"));
    QCOMPARE(ed->focusWidget(), ed->txtPreavviso);
    QTest::keyClicks(ed->txtPreavviso, QStringLiteral("120"));
    QCOMPARE(ed->txtPreavviso->text(), QStringLiteral("120"));
}

// A click on a date field, or on its calendar picture, opens the calendar; the hint says so.
void TestEditors::dateFieldOpensOnAClick()
{
    TestProgramFolder folder;
    auto *ed = static_cast<TfrmBollettino *>(openEditor(QStringLiteral("slips")));
    const auto forget = qScopeGuard([] { Forms::clear(); });
    int opened = 0;
    const auto importOn = [&](int day) {
        TestSupport::onNextModal([&opened, day](QWidget *w) {
            auto *cal = qobject_cast<TfrmCalendario *>(w);
            QVERIFY(cal);
            ++opened;
            cal->calAppuntamenti->setSelectedDate(QDate(2024, 3, day));
            QTest::mouseClick(cal->btnImportaData, Qt::LeftButton);
        });
    };
    importOn(20);
    QTest::mouseClick(ed->txtDataPaga, Qt::LeftButton);
    QCOMPARE(opened, 1);
    QCOMPARE(ed->txtDataPaga->text(), QStringLiteral("20/03/2024"));
    QVERIFY(ed->txtDataPaga->toolTip().contains(QStringLiteral("calendario")));

    auto *picture = ed->txtDataPaga->findChild<QAction *>(QStringLiteral("txtDataPagaCalendario"));
    QVERIFY(picture);
    QVERIFY(!picture->icon().isNull());
    importOn(21);
    picture->trigger();
    QCOMPARE(opened, 2);
    QCOMPARE(ed->txtDataPaga->text(), QStringLiteral("21/03/2024"));
}

// Loaded, or left after typing at its end, a text longer than its box shows its beginning.
void TestEditors::longTextsShowTheirStart()
{
    TestProgramFolder folder;
    auto *ed = static_cast<TfrmAnagrafica *>(openEditor(QStringLiteral("applicants")));
    const auto forget = qScopeGuard([] { Forms::clear(); });
    const QString surname = QStringLiteral("CARAGEA-POPESCU-IONESCU-VASILESCU-DUMITRESCU");
    QVERIFY(ed->txtCognome->fontMetrics().horizontalAdvance(surname) > ed->txtCognome->width());
    Record r = ApplicantFixture::applicant({{"Cognome", surname}, {"Nome", QStringLiteral("ANA")}});
    QVERIFY(ed->showRecord(r, 1));
    QCOMPARE(ed->txtCognome->cursorPosition(), 0);
    ed->txtNome->setFocus();
    QTest::keyClick(ed->txtNome, Qt::Key_End);
    QTest::keyClicks(ed->txtNome, QStringLiteral(" MARIA ELENA GEORGIANA ALEXANDRA"));
    QTest::keyClick(ed->txtNome, Qt::Key_Tab);
    QCOMPARE(ed->txtNome->cursorPosition(), 0);
}

namespace {
double luminance(QColor c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The contrast of a status line as drawn: its most frequent colour is the bar, the one farthest from it the text.
double drawnContrast(QWidget *line)
{
    const QImage image = line->grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb bar = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(bar))
            bar = it.key();
    const double barLight = luminance(QColor(bar));
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double l = luminance(QColor(it.key()));
        best = qMax(best, (qMax(l, barLight) + 0.05) / (qMin(l, barLight) + 0.05));
    }
    return best;
}
} // namespace

// Every editor's status line, as drawn with its window's style, reads at 4.5:1 at least.
void TestEditors::statusLinesReadable()
{
    TestProgramFolder folder;
    const auto forget = qScopeGuard([] { Forms::clear(); });
    for (const char *which : {"slips", "applicants", "deadlines"}) {
        TEditorWindow *ed = openEditor(QString::fromLatin1(which));
        ed->panInfo->setText(QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QVERIFY2(ed->panInfo->isVisible(), which);
        const double contrast = drawnContrast(ed->panInfo);
        QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(which)).arg(contrast)));
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("VERSALIA_FRAME_WITHOUT_CONTROL")) {
        // A slip window that lost its payer field: the frame must refuse it.
        QWidget window;
        window.setObjectName(QStringLiteral("frmBollettino"));
        auto *position = new QLabel(&window);
        for (const FieldDef &f : kSlipFields) {
            if (f.control == "txtEsecutore")
                continue;
            auto *w = f.control.starts_with("chk") ? static_cast<QWidget *>(new QCheckBox(&window))
                                                   : static_cast<QWidget *>(new QLineEdit(&window));
            w->setObjectName(QString::fromLatin1(f.control.data(), qsizetype(f.control.size())));
        }
        EditorFrame::Config config;
        config.layout = &kSlipLayout;
        config.archivePath = [] { return QString(); };
        EditorFrame frame(&window, position, config);
        return 0; // reached only when the frame accepted the window
    }
    TestEditors test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_editors.moc"

// The three editors built on the shared editor window: every field of each record bound to a control of the
// editor's own, and a missing control caught when the editor is made rather than when a record is saved.

#include "SlipFixture.h"
#include "TestSupport.h"

#include "agenda/DeadlineRecord.h"
#include "agenda/Scadenzario.h"
#include "core/widgets/EditorFrame.h"
#include "registry/Anagrafica.h"
#include "registry/ApplicantRecord.h"
#include "slips/Bollettino.h"
#include "slips/SlipRecord.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QtTest>
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
    const std::pair<const char *, Way> ways[] = {{"Nuovo", Way::Nuovo},     {"Avanti", Way::Avanti},
                                                 {"Indietro", Way::Indietro}, {"Primo", Way::Primo},
                                                 {"Ultimo", Way::Ultimo},   {"Esci", Way::Esci},
                                                 {"da un elenco", Way::FromList}};
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
    const QString expected[] = {QString(), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("1"),
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

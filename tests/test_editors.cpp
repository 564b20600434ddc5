// The three editors built on the shared editor window: every field of each record bound to a control of the
// editor's own, and a missing control caught when the editor is made rather than when a record is saved.

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
    void everyFieldBoundToItsOwnControl_data();
    void everyFieldBoundToItsOwnControl();
    void missingControlStopsTheProgram();
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

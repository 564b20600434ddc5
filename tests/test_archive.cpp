#include "TestSupport.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Record.h"
#include "core/widgets/EditorFrame.h"
#include "slips/SlipRecord.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QtTest>
#include <array>

namespace {
// A small layout of its own keeps the frame tests independent of any editor.
constexpr std::array<FieldDef, 3> kTestFields{
    {{"Nome", 20, "txtNome"}, {"Citta", 16, "txtCitta"}, {"Pagato", 2, "chkPagato"}}};
constexpr RecordLayout kTestLayout{kTestFields};
static_assert(kTestLayout.size() == 41);

QByteArray record(const QString &nome, const QString &citta = {}, bool paid = false)
{
    Record r(kTestLayout);
    r.setText(0, nome);
    r.setText(1, citta);
    r.setText(2, paid ? FieldCodec::yes() : FieldCodec::no());
    return r.bytes();
}

void writeArchive(const QString &path, const QList<QByteArray> &records, const QByteArray &tail = {})
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const auto &r : records)
        f.write(r);
    f.write(tail);
}

struct Editor {
    QWidget window;
    QLineEdit *nome = new QLineEdit(&window);
    QLineEdit *citta = new QLineEdit(&window);
    QCheckBox *pagato = new QCheckBox(&window);
    QLabel *posizione = new QLabel(&window);
    EditorFrame *frame;
    explicit Editor(const QString &path)
    {
        nome->setObjectName(QStringLiteral("txtNome"));
        citta->setObjectName(QStringLiteral("txtCitta"));
        pagato->setObjectName(QStringLiteral("chkPagato"));
        EditorFrame::Config c;
        c.layout = &kTestLayout;
        c.archivePath = [path] { return path; };
        c.insertedMessage = ArchiveTexts::inserted();
        frame = new EditorFrame(&window, posizione, c);
    }
};

qint64 fileSize(const QString &path)
{
    return QFileInfo(path).size();
}
} // namespace

class TestArchive : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup() { TestSupport::checkSeams(); }
    void navigation();
    void navigationOnEmptyArchive();
    void ownedWindowsKeepTheirControls();
    void saveAppendsThenOverwrites();
    void checkBoxLeftAloneByForeignContent();
    void tornTailNeverShiftsRecords();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void scanReadsEveryRecordInOrder();
    void twoProcessesAppending();
};

void TestArchive::navigation()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("t.dat"));
    writeArchive(path, {record(QStringLiteral("UNO")), record(QStringLiteral("DUE")), record(QStringLiteral("TRE"))});
    Editor e(path);
    using Step = bool (EditorFrame::*)();
    struct Case {
        const char *label;
        QString start;
        Step step;
        QString position;
        QString nome;
    };
    const Case cases[] = {
        {"next without position shows record 1", QString(), &EditorFrame::next, QStringLiteral("1"),
         QStringLiteral("UNO")},
        {"previous without position shows record 1", QString(), &EditorFrame::previous, QStringLiteral("1"),
         QStringLiteral("UNO")},
        {"first", QStringLiteral("3"), &EditorFrame::first, QStringLiteral("1"), QStringLiteral("UNO")},
        {"last", QStringLiteral("1"), &EditorFrame::last, QStringLiteral("3"), QStringLiteral("TRE")},
        {"next", QStringLiteral("1"), &EditorFrame::next, QStringLiteral("2"), QStringLiteral("DUE")},
        {"previous", QStringLiteral("3"), &EditorFrame::previous, QStringLiteral("2"), QStringLiteral("DUE")},
        {"next at the end does nothing", QStringLiteral("3"), &EditorFrame::next, QStringLiteral("3"),
         QStringLiteral("unchanged")},
        {"previous at 1 does nothing", QStringLiteral("1"), &EditorFrame::previous, QStringLiteral("1"),
         QStringLiteral("unchanged")},
    };
    for (const auto &c : cases) {
        e.nome->setText(QStringLiteral("unchanged"));
        e.posizione->setText(c.start);
        Seams::Messages::clear();
        (e.frame->*c.step)();
        QVERIFY2(e.posizione->text() == c.position, c.label);
        QVERIFY2(e.nome->text() == c.nome, c.label);
        QVERIFY2(Seams::Messages::shown().isEmpty(), c.label);
    }
}

void TestArchive::ownedWindowsKeepTheirControls()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("t.dat"));
    writeArchive(path, {record(QStringLiteral("UNO"), QStringLiteral("ROMA"))});
    QWidget window;
    // A search the editor owns, created before the editor's own panel, with controls of the same names.
    auto *search = new QDialog(&window);
    auto *searchNome = new QLineEdit(search);
    searchNome->setObjectName(QStringLiteral("txtNome"));
    auto *panel = new QWidget(&window);
    auto *nome = new QLineEdit(panel);
    nome->setObjectName(QStringLiteral("txtNome"));
    auto *citta = new QLineEdit(panel);
    citta->setObjectName(QStringLiteral("txtCitta"));
    auto *pagato = new QCheckBox(panel);
    pagato->setObjectName(QStringLiteral("chkPagato"));
    auto *posizione = new QLabel(panel);
    EditorFrame::Config c;
    c.layout = &kTestLayout;
    c.archivePath = [path] { return path; };
    c.insertedMessage = ArchiveTexts::inserted();
    auto *frame = new EditorFrame(&window, posizione, c);

    frame->first();
    QCOMPARE(nome->text(), QStringLiteral("UNO"));
    QCOMPARE(searchNome->text(), QString());
    searchNome->setText(QStringLiteral("FILTRO"));
    nome->setText(QStringLiteral("DUE"));
    QVERIFY(frame->save());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(Record(kTestLayout, f.readAll()).text("Nome"), QStringLiteral("DUE"));
    EditorFrame::loadInto(&window, Record(kTestLayout, record(QStringLiteral("TRE"))));
    QCOMPARE(nome->text(), QStringLiteral("TRE"));
    QCOMPARE(searchNome->text(), QStringLiteral("FILTRO"));
}

void TestArchive::navigationOnEmptyArchive()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("nuovo.dat"));
    Editor e(path);
    for (auto step : {&EditorFrame::first, &EditorFrame::last, &EditorFrame::previous, &EditorFrame::next}) {
        Seams::Messages::clear();
        e.posizione->setText(QStringLiteral("4"));
        (e.frame->*step)();
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
        QCOMPARE(Seams::Messages::last().text, ArchiveTexts::emptyArchive());
    }
    // Only "next" empties the position; the missing file was created empty.
    QCOMPARE(e.posizione->text(), QString());
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(fileSize(path), 0);
}

void TestArchive::saveAppendsThenOverwrites()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("t.dat"));
    writeArchive(path, {record(QStringLiteral("UNO"))});
    Editor e(path);
    e.nome->setText(QStringLiteral("  Rossi  "));
    e.citta->setText(QStringLiteral("Città"));
    QVERIFY(e.frame->save());
    QCOMPARE(e.posizione->text(), QStringLiteral("2"));
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inserted());
    QCOMPARE(fileSize(path), 2 * kTestLayout.size());

    e.pagato->setChecked(true);
    QVERIFY(e.frame->save());
    QCOMPARE(e.posizione->text(), QStringLiteral("2"));
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::savedChanges());
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QCOMPARE(fileSize(path), 2 * kTestLayout.size());

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    QCOMPARE(all.left(kTestLayout.size()), record(QStringLiteral("UNO")));
    const Record second(kTestLayout, all.mid(kTestLayout.size()));
    QCOMPARE(second.text(0), QStringLiteral("Rossi"));
    QCOMPARE(second.text(1), QStringLiteral("Città"));
    QCOMPARE(all.mid(kTestLayout.size() + kTestLayout.offset(2), 3), QByteArray("\x02\x53\xEC", 3));
}

void TestArchive::checkBoxLeftAloneByForeignContent()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("t.dat"));
    QByteArray odd = record(QStringLiteral("DUE"));
    odd.replace(kTestLayout.offset(2), 3, QByteArray("\x01X\0", 3));
    writeArchive(path, {record(QStringLiteral("UNO"), {}, true), odd});
    Editor e(path);
    e.frame->first();
    QVERIFY(e.pagato->isChecked());
    e.frame->next();
    QCOMPARE(e.nome->text(), QStringLiteral("DUE"));
    QVERIFY(e.pagato->isChecked());
}

void TestArchive::tornTailNeverShiftsRecords()
{
    // An interrupted copy left half a record at the end: nothing stored is lost and the next append lands on
    // the record boundary.
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("t.dat"));
    writeArchive(path, {record(QStringLiteral("UNO")), record(QStringLiteral("DUE"))}, QByteArray(17, 'x'));
    Editor e(path);
    e.frame->last();
    QCOMPARE(e.posizione->text(), QStringLiteral("2"));
    e.frame->setPosition(0);
    e.nome->setText(QStringLiteral("TRE"));
    QVERIFY(e.frame->save());
    QCOMPARE(e.posizione->text(), QStringLiteral("3"));
    QCOMPARE(fileSize(path), 3 * kTestLayout.size());
    e.frame->first();
    QCOMPARE(e.nome->text(), QStringLiteral("UNO"));
    e.frame->last();
    QCOMPARE(e.nome->text(), QStringLiteral("TRE"));
}

void TestArchive::failuresWriteNothing_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<bool>("stored");
    QTest::newRow("cannot open, new record") << int(ArchiveFile::Op::Open) << false;
    QTest::newRow("cannot open, shown record") << int(ArchiveFile::Op::Open) << true;
    QTest::newRow("append fails") << int(ArchiveFile::Op::Append) << false;
    QTest::newRow("overwrite fails") << int(ArchiveFile::Op::Write) << true;
}

void TestArchive::failuresWriteNothing()
{
    QFETCH(int, op);
    QFETCH(bool, stored);
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("t.dat"));
    writeArchive(path, {record(QStringLiteral("UNO")), record(QStringLiteral("DUE"))});
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    before.close();

    Editor e(path);
    e.posizione->setText(stored ? QStringLiteral("2") : QString());
    e.nome->setText(QStringLiteral("NUOVO"));
    ArchiveFile::setFaultHook([op](ArchiveFile::Op o, const QString &) { return int(o) == op; });
    QVERIFY(!e.frame->save());
    ArchiveFile::setFaultHook({});

    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(e.posizione->text(), stored ? QStringLiteral("2") : QString());
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), original);
}

void TestArchive::scanReadsEveryRecordInOrder()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("big.pse"));
    // More than one read block of slip records.
    const int n = 1200;
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        Record r(kSlipLayout);
        for (int i = 1; i <= n; ++i) {
            r.setText("Esecutore", QStringLiteral("PAGATORE %1").arg(i));
            f.write(r.bytes());
        }
        f.write("torn");
    }
    ArchiveFile file(path, kSlipLayout.size());
    QVERIFY(file.open(ArchiveFile::Mode::ReadOrCreate));
    QCOMPARE(file.count(), n);
    qint64 seen = 0;
    const int payer = kSlipLayout.indexOf("Esecutore");
    QVERIFY(file.scan([&](const char *rec, qint64 pos) {
        ++seen;
        return pos == seen &&
               FieldCodec::read(rec + kSlipLayout.offset(payer), 44) == QStringLiteral("PAGATORE %1").arg(pos);
    }));
    QCOMPARE(seen, n);
}

void TestArchive::twoProcessesAppending()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("condiviso.pse"));
    QProcess a, b;
    for (auto [p, tag] : {std::pair{&a, "A"}, std::pair{&b, "B"}})
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--append-worker"), path, QStringLiteral("500"), QString::fromLatin1(tag)});
    QVERIFY(a.waitForFinished(120000));
    QVERIFY(b.waitForFinished(120000));
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);

    QCOMPARE(fileSize(path), 1000LL * kSlipLayout.size());
    ArchiveFile file(path, kSlipLayout.size());
    QVERIFY(file.open());
    QSet<QString> keys;
    const int payer = kSlipLayout.indexOf("Esecutore");
    const int note = kSlipLayout.indexOf("Note");
    QVERIFY(file.scan([&](const char *rec, qint64 pos) {
        const Record r(kSlipLayout, QByteArray(rec, kSlipLayout.size()));
        // Each worker wrote the position it was told into the notes: every record is intact and where reported.
        if (r.text(note) != QString::number(pos))
            return false;
        keys.insert(r.text(payer));
        return true;
    }));
    QCOMPARE(keys.size(), 1000);
}

// The worker half of the two-process test: appends n slips and writes the reported position into each.
static int appendWorker(const QString &path, int n, const QString &tag)
{
    // Where the records land is checked here, not how long a save waits: a slow machine must not fail it.
    ArchiveFile::setLockTimeoutMs(20000);
    Record r(kSlipLayout);
    const int payer = kSlipLayout.indexOf("Esecutore");
    const int note = kSlipLayout.indexOf("Note");
    for (int i = 0; i < n; ++i) {
        r.setText(payer, tag + QString::number(i));
        ArchiveFile file(path, kSlipLayout.size());
        if (!file.open())
            return 2;
        r.setText(note, QString());
        const auto pos = file.append(r.bytes());
        if (!pos)
            return 3;
        r.setText(note, QString::number(*pos));
        if (!file.write(*pos, r.bytes()))
            return 4;
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--append-worker") == 0)
        return appendWorker(QString::fromLocal8Bit(argv[2]), atoi(argv[3]), QString::fromLocal8Bit(argv[4]));
    QApplication app(argc, argv);
    TestArchive t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_archive.moc"

// The archive shared by several workstations: other processes append, overwrite, read, hold a lock, die in
// the middle of a write or tidy the folder, and no record is ever lost, mixed or misplaced.
#include "ProcessControl.h"
#include "TestSupport.h"
#include "WorkerProcess.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/NativeFile.h"
#include "core/Record.h"
#include "core/widgets/EditorFrame.h"
#include "core/widgets/SummaryList.h"
#include "slips/SlipRecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QtTest>
#include <array>
#include <memory>

namespace {
constexpr int kSize = 4100; // a record that straddles a page boundary from position 1 on

constexpr std::array<FieldDef, 1> kNameField{{{"Nome", 40, "txtNome"}}};
constexpr RecordLayout kNameLayout{kNameField};

void writeRecords(const QString &path, const QList<char> &fills, int size)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (char c : fills)
        f.write(QByteArray(size, c));
}

bool uniform(const QByteArray &rec)
{
    return !rec.isEmpty() && rec.count(rec.at(0)) == rec.size();
}

struct Worker : WorkerProcess {
    explicit Worker(const QStringList &args) : WorkerProcess(QStringLiteral(ARCHIVE_WORKER), args) {}
};

struct Editor {
    QWidget window;
    QLineEdit *nome = new QLineEdit(&window);
    QLabel *posizione = new QLabel(&window);
    EditorFrame *frame;
    explicit Editor(const QString &path)
    {
        nome->setObjectName(QStringLiteral("txtNome"));
        EditorFrame::Config c;
        c.layout = &kNameLayout;
        c.archivePath = [path] { return path; };
        c.saveFailureKind = Seams::MsgKind::Warning;
        c.insertedMessage = ArchiveTexts::inserted();
        frame = new EditorFrame(&window, posizione, c);
    }
};
} // namespace

class TestArchiveSafety : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup() { TestSupport::checkSeams(); }
    void appendsLandWhereReportedWhileTheFolderIsTidied();
    void readerNeverSeesAMixedRecord();
    void killedOverwritesLeaveOldOrNew();
    void journalReplayedOnlyWhenComplete();
    void readerThatMayNotWriteReadsThroughTheJournal();
    void stoppedWorkstationGivesInUse();
    void stoppedOverwriteHoldsReadersOnlyBriefly();
    void writePastTheEndRefused();
    void failedSyncOrCloseKeepsOldBytes_data();
    void failedSyncOrCloseKeepsOldBytes();
    void noSideFilesButTheJournal();
    void journalOfAReplacedArchiveIsDropped();
    void writerWaitingOnAReplacedArchiveMovesToTheNewOne();
    void overwriteInPlaceWhereNoJournalCanBeMade();
};

void TestArchiveSafety::appendsLandWhereReportedWhileTheFolderIsTidied()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    const int each = 150;
    Worker churn({QStringLiteral("churn"), folder.path(), QStringLiteral("2024.pse")});
    Worker a({QStringLiteral("append"), path, QString::number(each), QStringLiteral("A")});
    Worker b({QStringLiteral("append"), path, QString::number(each), QStringLiteral("B")});
    QVERIFY(a.finishedOk());
    QVERIFY(b.finishedOk());

    const QByteArray all = TestSupport::fileBytes(path);
    QCOMPARE(all.size(), 2 * each * kSlipLayout.size());
    QSet<QString> payers;
    for (qint64 pos = 1; pos <= 2 * each; ++pos) {
        const Record r(kSlipLayout, all.mid((pos - 1) * kSlipLayout.size(), kSlipLayout.size()));
        // Each worker wrote the position it was told into the notes: the record is intact and where reported.
        QCOMPARE(r.text("Note"), QString::number(pos));
        payers.insert(r.text("Esecutore"));
    }
    QCOMPARE(payers.size(), 2 * each);
}

void TestArchiveSafety::readerNeverSeesAMixedRecord()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    const QString stop = folder.file(QStringLiteral("stop"));
    // A large record keeps each write long enough for an unlocked reader to catch it half done.
    const int size = 1 << 20;
    writeRecords(path, {'A', 'A', 'A'}, size);
    Worker reader({QStringLiteral("read"), path, QStringLiteral("2"), QString::number(size), stop});
    Worker writer(
        {QStringLiteral("overwrite"), path, QStringLiteral("2"), QStringLiteral("100"), QString::number(size)});
    QVERIFY(writer.finishedOk());
    QFile(stop).open(QIODevice::WriteOnly);
    const bool clean = reader.finishedOk();
    const QByteArray said = reader.readAllStandardOutput();
    QVERIFY2(clean && said.startsWith("reads "), said.constData());
}

void TestArchiveSafety::killedOverwritesLeaveOldOrNew()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, QList<char>(60, 'O'), kSize);

    // Killed at some point of a series of overwrites.
    {
        Worker series({QStringLiteral("series"), path, QString::number(kSize)});
        qsizetype done = 0;
        while (done < 5 && series.waitForReadyRead(10000))
            done += series.readAllStandardOutput().count('\n');
        QVERIFY(done >= 5);
        series.killNow();
    }
    // Killed with half of the new record in place, as the kernel may leave it between two pages.
    {
        Worker tear({QStringLiteral("tear"), path, QStringLiteral("60"), QString::number(kSize)});
        QVERIFY(tear.waitForFinished(10000));
        QCOMPARE(tear.exitStatus(), QProcess::CrashExit);
        const QByteArray torn = TestSupport::fileBytes(path).mid(59 * kSize, kSize);
        QVERIFY(torn.contains('N') && torn.contains('O'));
    }

    // The snapshot of the daily copies sees it whole, as does every reader.
    QByteArray snap;
    QVERIFY(ArchiveFile::snapshot(path, snap));
    QCOMPARE(snap.size(), 60 * kSize);
    QCOMPARE(snap.mid(59 * kSize), QByteArray(kSize, 'N'));
    ArchiveFile file(path, kSize);
    QVERIFY(file.open(ArchiveFile::Mode::ReadOrCreate));
    int fresh = 0;
    QVERIFY(file.scan([&](const char *rec, qint64) {
        const QByteArray r(rec, kSize);
        fresh += r.at(0) == 'N';
        return uniform(r);
    }));
    QVERIFY(fresh >= 6);
    QCOMPARE(QFileInfo(ArchiveFile::journalPath(path)).size(), 0);
}

void TestArchiveSafety::journalReplayedOnlyWhenComplete()
{
    // A journal entry cut short means the overwrite never started: the record stays as it is.
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'O', 'O'}, kSize);
    {
        Worker tear({QStringLiteral("tear"), path, QStringLiteral("2"), QString::number(kSize)});
        QVERIFY(tear.waitForFinished(10000));
    }
    const QString journal = ArchiveFile::journalPath(path);
    const QByteArray entry = TestSupport::fileBytes(journal);
    QVERIFY(entry.size() > kSize);
    writeRecords(path, {'O', 'O'}, kSize);
    for (const QByteArray &cut : {entry.left(entry.size() - 1), entry.left(entry.size() / 2)}) {
        QFile j(journal);
        QVERIFY(j.open(QIODevice::WriteOnly | QIODevice::Truncate));
        j.write(cut);
        j.close();
        ArchiveFile file(path, kSize);
        QByteArray rec;
        QVERIFY(file.open());
        QVERIFY(file.read(2, rec));
        QCOMPARE(rec, QByteArray(kSize, 'O'));
        QCOMPARE(QFileInfo(journal).size(), 0);
    }
    // A whole entry whose bytes were damaged is no entry either.
    QByteArray damaged = entry;
    damaged[40] = damaged[40] ^ 1;
    QFile j(journal);
    QVERIFY(j.open(QIODevice::WriteOnly | QIODevice::Truncate));
    j.write(damaged);
    j.close();
    QByteArray snap;
    QVERIFY(ArchiveFile::snapshot(path, snap));
    QCOMPARE(snap, QByteArray(2 * kSize, 'O'));
}

void TestArchiveSafety::readerThatMayNotWriteReadsThroughTheJournal()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'O', 'O', 'O'}, kSize);
    {
        Worker tear({QStringLiteral("tear"), path, QStringLiteral("2"), QString::number(kSize)});
        QVERIFY(tear.waitForFinished(10000));
    }
    // Root may write any file; an immutable one it may not.
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0)
        QSKIP("chattr +i is not available here");
    struct Mutable {
        QString path;
        ~Mutable() { QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path}); }
    } restore{path};

    ArchiveFile file(path, kSize);
    QVERIFY(file.open(ArchiveFile::Mode::ReadOrCreate));
    QByteArray rec;
    QVERIFY(file.read(2, rec));
    QCOMPARE(rec, QByteArray(kSize, 'N'));
    QByteArray seen;
    QVERIFY(file.scan([&](const char *r, qint64) {
        seen += QByteArray(r, kSize);
        return true;
    }));
    QCOMPARE(seen, QByteArray(kSize, 'O') + QByteArray(kSize, 'N') + QByteArray(kSize, 'O'));
    QByteArray snap;
    QVERIFY(ArchiveFile::snapshot(path, snap));
    QCOMPARE(snap, seen);
    QVERIFY(QFileInfo(ArchiveFile::journalPath(path)).size() > 0); // left for a copy that may write
}

void TestArchiveSafety::stoppedWorkstationGivesInUse()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    Record r(kNameLayout);
    r.setText(0, QStringLiteral("PRIMO"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(r.bytes());
    }
    Worker holder({QStringLiteral("hold"), path, QString::number(kNameLayout.size())});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readAllStandardOutput(), QByteArray("held\n"));

    Editor e(path);
    for (const QString &position : {QString(), QStringLiteral("1")}) {
        Seams::Messages::clear();
        e.posizione->setText(position);
        e.nome->setText(QStringLiteral("SECONDO"));
        QElapsedTimer t;
        t.start();
        QVERIFY(!e.frame->save());
        QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
        QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inUse());
        QCOMPARE(e.posizione->text(), position);
    }
    // Reading what is already stored is not held up.
    Seams::Messages::clear();
    e.frame->first();
    QCOMPARE(e.nome->text(), QStringLiteral("PRIMO"));
    QVERIFY(Seams::Messages::shown().isEmpty());

    // Once that workstation is gone, its lock is gone with it.
    holder.killNow();
    QCOMPARE(holder.state(), QProcess::NotRunning);
    e.posizione->clear();
    e.nome->setText(QStringLiteral("SECONDO"));
    QVERIFY(e.frame->save());
    const qint64 landed = e.posizione->text().toLongLong();
    QCOMPARE(landed, QFileInfo(path).size() / kNameLayout.size());
    e.nome->clear();
    e.frame->last();
    QCOMPARE(e.nome->text(), QStringLiteral("SECONDO"));
}

void TestArchiveSafety::stoppedOverwriteHoldsReadersOnlyBriefly()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'A', 'B'}, kNameLayout.size());
    Worker holder({QStringLiteral("hold"), path, QString::number(kNameLayout.size()), QStringLiteral("overwrite")});
    QVERIFY(holder.waitForReadyRead(10000));

    Editor e(path);
    QElapsedTimer t;
    t.start();
    e.frame->first();
    QVERIFY(t.elapsed() < 3000);
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inUse());
    QCOMPARE(e.posizione->text(), QString());

    // Lists and searches say the same.
    QStringList lines;
    QString failure;
    QVERIFY(!ResultLines::collect(
        path, kNameLayout, {}, [](const RecordView &r) { return r.text(0); }, lines, nullptr, {}, &failure));
    QCOMPARE(failure, ArchiveTexts::inUse());

    // The stopped overwrite dies: the next reader finds record 1 whole, new (its journal replayed) or old.
    holder.killNow();
    QByteArray snap;
    QVERIFY(ArchiveFile::snapshot(path, snap));
    QVERIFY(uniform(snap.left(kNameLayout.size())));
    QCOMPARE(snap.mid(kNameLayout.size()), QByteArray(kNameLayout.size(), 'B'));
}

void TestArchiveSafety::writePastTheEndRefused()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'A', 'B'}, kNameLayout.size());
    {
        ArchiveFile file(path, kNameLayout.size());
        QVERIFY(file.open());
        QVERIFY(!file.write(3, QByteArray(kNameLayout.size(), 'C')));
        QVERIFY(!file.write(9, QByteArray(kNameLayout.size(), 'C')));
        QVERIFY(!file.inUse());
    }
    QCOMPARE(QFileInfo(path).size(), 2 * kNameLayout.size());

    // The archive deleted while record 2 is shown, then saved: no blank records appear before it.
    QFile::remove(path);
    Editor e(path);
    e.posizione->setText(QStringLiteral("2"));
    e.nome->setText(QStringLiteral("FANTASMA"));
    QVERIFY(!e.frame->save());
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestArchiveSafety::failedSyncOrCloseKeepsOldBytes_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<bool>("stored");
    QTest::newRow("sync fails, append") << int(ArchiveFile::Op::Sync) << false;
    QTest::newRow("sync fails, overwrite") << int(ArchiveFile::Op::Sync) << true;
    QTest::newRow("close fails, append") << int(ArchiveFile::Op::Close) << false;
    QTest::newRow("close fails, overwrite") << int(ArchiveFile::Op::Close) << true;
}

void TestArchiveSafety::failedSyncOrCloseKeepsOldBytes()
{
    QFETCH(int, op);
    QFETCH(bool, stored);
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'A', 'B'}, kNameLayout.size());
    const QByteArray original = TestSupport::fileBytes(path);
    Editor e(path);
    e.posizione->setText(stored ? QStringLiteral("2") : QString());
    e.nome->setText(QStringLiteral("NUOVO"));
    ArchiveFile::setFaultHook([op](ArchiveFile::Op o, const QString &) { return int(o) == op; });
    QVERIFY(!e.frame->save());
    ArchiveFile::setFaultHook({});
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(e.posizione->text(), stored ? QStringLiteral("2") : QString());
    QCOMPARE(TestSupport::fileBytes(path), original);
}

void TestArchiveSafety::noSideFilesButTheJournal()
{
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    QFile(path + QStringLiteral(".lock")).open(QIODevice::WriteOnly); // left by the previous version
    Editor e(path);
    e.nome->setText(QStringLiteral("UNO"));
    QVERIFY(e.frame->save());
    // Shared with every user of the folder: whoever may write the archive may write its journal.
    const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                          QFile::ReadOther | QFile::WriteOther;
    QVERIFY(QFile::setPermissions(path, everyone));
    QVERIFY(e.frame->save());
    QCOMPARE(QFile::permissions(ArchiveFile::journalPath(path)) & everyone, everyone);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("2024.pse"), QStringLiteral("2024.pse.jnl")}));
    QCOMPARE(QFileInfo(ArchiveFile::journalPath(path)).size(), 0);
}

void TestArchiveSafety::journalOfAReplacedArchiveIsDropped()
{
    // A writer killed in the middle of an overwrite leaves a complete entry; then another file takes the
    // archive's name (a restore by hand, another program). The entry is not the new file's: never replayed.
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'O', 'O'}, kSize);
    {
        Worker tear({QStringLiteral("tear"), path, QStringLiteral("2"), QString::number(kSize)});
        QVERIFY(tear.waitForFinished(10000));
    }
    QVERIFY(QFileInfo(ArchiveFile::journalPath(path)).size() > kSize);
    const QString other = folder.file(QStringLiteral("altro.pse"));
    writeRecords(other, {'R', 'R'}, kSize);
    QVERIFY(NativeFs::replace(other, path));

    ArchiveFile file(path, kSize);
    QVERIFY(file.open());
    QByteArray rec;
    QVERIFY(file.read(2, rec));
    QCOMPARE(rec, QByteArray(kSize, 'R'));
    QVERIFY(file.close());
    QCOMPARE(TestSupport::fileBytes(path), QByteArray(2 * kSize, 'R'));
    QCOMPARE(QFileInfo(ArchiveFile::journalPath(path)).size(), 0); // removed, not left to meet a later file
}

void TestArchiveSafety::writerWaitingOnAReplacedArchiveMovesToTheNewOne()
{
    if (TestSupport::underWine())
        QSKIP("Wine cannot rename over a file another process holds open; Windows 10 on NTFS can (POSIX rename "
              "semantics), and only a real Windows machine confirms it");
    // This process holds the archive as a restore does; another workstation's append waits for it. The
    // archive is replaced and released: the append must land in the new file, where it is reported.
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'O', 'O', 'O'}, kSlipLayout.size());
    const QString staged = folder.file(QStringLiteral(".2024.pse.nuovo"));
    writeRecords(staged, {'R'}, kSlipLayout.size());

    auto held = std::make_unique<ArchiveFile>(path, kSlipLayout.size());
    QVERIFY(held->open());
    QVERIFY(held->holdWhole());
    Worker writer({QStringLiteral("append"), path, QStringLiteral("2"), QStringLiteral("W")});
    QTest::qWait(300); // the writer is waiting for the lock on the old file
    QCOMPARE(TestSupport::fileBytes(path).size(), 3 * kSlipLayout.size());
    QVERIFY(held->replaceHeld(staged));
    held.reset();
    QVERIFY(writer.finishedOk());

    const QByteArray all = TestSupport::fileBytes(path);
    QCOMPARE(all.size(), 3 * kSlipLayout.size());
    QCOMPARE(all.left(kSlipLayout.size()), QByteArray(kSlipLayout.size(), 'R'));
    for (qint64 pos = 2; pos <= 3; ++pos) {
        const Record r(kSlipLayout, all.mid((pos - 1) * kSlipLayout.size(), kSlipLayout.size()));
        QCOMPARE(r.text("Note"), QString::number(pos));
        QCOMPARE(r.text("Esecutore"), QStringLiteral("W%1").arg(pos - 2));
    }
}

void TestArchiveSafety::overwriteInPlaceWhereNoJournalCanBeMade()
{
    // A folder shared read-only with writable archives: no journal can be made beside them, yet a correction
    // must save (as before the journal existed) and so must a new record.
    TestProgramFolder folder;
    const QString path = folder.file(QStringLiteral("2024.pse"));
    writeRecords(path, {'A', 'B'}, kNameLayout.size());
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder.path()}) != 0)
        QSKIP("chattr +i is not available here");
    struct Mutable {
        QString path;
        ~Mutable() { QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path}); }
    } restore{folder.path()};
    QVERIFY(!QFile(folder.file(QStringLiteral("prova"))).open(QIODevice::WriteOnly));

    Editor e(path);
    e.posizione->setText(QStringLiteral("2"));
    e.nome->setText(QStringLiteral("CORRETTO"));
    QVERIFY(e.frame->save());
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::savedChanges());
    e.posizione->clear();
    e.nome->setText(QStringLiteral("NUOVO"));
    QVERIFY(e.frame->save());
    QCOMPARE(e.posizione->text(), QStringLiteral("3"));
    const QByteArray all = TestSupport::fileBytes(path);
    QCOMPARE(all.size(), 3 * kNameLayout.size());
    QCOMPARE(all.left(kNameLayout.size()), QByteArray(kNameLayout.size(), 'A'));
    QCOMPARE(Record(kNameLayout, all.mid(kNameLayout.size(), kNameLayout.size())).text(0), QStringLiteral("CORRETTO"));
    QCOMPARE(Record(kNameLayout, all.mid(2 * kNameLayout.size())).text(0), QStringLiteral("NUOVO"));
    QVERIFY(!QFileInfo::exists(ArchiveFile::journalPath(path)));
}

QTEST_MAIN(TestArchiveSafety)
#include "test_archive_safety.moc"

// Restoring a safety copy while other workstations work on the same folder: writers that save throughout, a
// search holding a read lock, a writer killed mid-overwrite, damaged copies, and a restore killed half way.

#include "app/CopieSicurezza.h"
#include "app/PasswordStore.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Backup.h"
#include "core/BackupManifest.h"
#include "core/Record.h"
#include "slips/SlipRecord.h"
#include "tests/TestSupport.h"
#include "tests/WorkerProcess.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kSlip = kSlipLayout.size();

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray slips(int count, const QString &payerPrefix)
{
    QByteArray out;
    Record r(kSlipLayout);
    for (int i = 0; i < count; ++i) {
        r.setText("Esecutore", payerPrefix + QString::number(i));
        out += r.bytes();
    }
    return out;
}

QString payerAt(const QByteArray &archive, qint64 position)
{
    if (position * kSlip > archive.size())
        return {};
    return Record(kSlipLayout, archive.mid((position - 1) * kSlip, kSlip)).text("Esecutore");
}

QString copies(const TestProgramFolder &folder)
{
    return folder.file(Backup::rootName());
}

// Every file under the program folder but the copies: what a refused or failed restore must leave as it was.
QMap<QString, QByteArray> liveFiles(const TestProgramFolder &folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(folder.path()).relativeFilePath(path);
        if (!name.startsWith(Backup::rootName()))
            out.insert(name, QFileInfo(path).isDir() ? QByteArray("<folder>") : TestSupport::fileBytes(path));
    }
    return out;
}

QStringList copyNames(const TestProgramFolder &folder)
{
    QStringList names;
    for (const auto &c : Backup::list(copies(folder)))
        names << c.name;
    return names;
}

Backup::Copy copyNamed(const TestProgramFolder &folder, const QString &name)
{
    for (const auto &c : Backup::list(copies(folder)))
        if (c.name == name)
            return c;
    return {};
}

QByteArray password(const QString &plain)
{
    return "[Accesso]\r\nValore=" + ScramblePassword(plain).toLatin1() + "\r\n";
}

// A program folder of two slip years, the registry, the settings, two attachments, and its copy of the 14th.
void fill(const TestProgramFolder &folder, int slipsOf2024 = 40)
{
    put(folder.file(u"2024.pse"_s), slips(slipsOf2024, u"COPIA "_s));
    put(folder.file(u"2023.pse"_s), slips(3, u"VECCHIO "_s));
    put(folder.file(u"Richiedenti.pro"_s), QByteArray(2 * 5090, 'r'));
    put(folder.file(u"Bollettini.ini"_s), "[Margini Stampa Bollettino PSE]\r\nSuperiore=2\r\n");
    put(folder.file(u"unins000.dll"_s), password(u"VECCHIA"_s));
    QDir(folder.path()).mkdir(Backup::attachmentsName());
    put(folder.file(u"Documenti_Allegati/passaporto.pdf"_s), "%PDF passaporto");
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 14)).outcome, Backup::DailyResult::Taken);
}

// The day's work after the copy: what a restore replaces.
void work(const TestProgramFolder &folder)
{
    put(folder.file(u"2024.pse"_s), slips(45, u"OGGI "_s));
    put(folder.file(u"Richiedenti.pro"_s), QByteArray(3 * 5090, 'n'));
    put(folder.file(u"unins000.dll"_s), password(u"NUOVA"_s));
    put(folder.file(u"Documenti_Allegati/passaporto.pdf"_s), "%PDF passaporto rinnovato");
}

bool noWorkLeft(const TestProgramFolder &folder)
{
    return QDir(folder.path()).entryList({u".*"_s}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty() &&
           QDir(folder.file(Backup::attachmentsName()))
               .entryList({u".*"_s}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
               .isEmpty() &&
           QDir(copies(folder)).entryList({u".*"_s}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty();
}

struct Worker : WorkerProcess {
    explicit Worker(const QStringList &args) : WorkerProcess(QStringLiteral(ARCHIVE_WORKER), args) {}
};

// Restores from the window as the user does, the password box as given; the message shown.
Seams::ShownMessage restoreFromTheWindow(const QString &copyName, bool withPassword = false)
{
    TfrmCopieSicurezza w;
    w.show();
    for (int row = 0; row < w.grdCopie->rowCount(); ++row)
        if (w.grdCopie->item(row, 0)->text().startsWith(
                QDate::fromString(copyName.left(10), u"yyyy-MM-dd"_s).toString(u"dd/MM/yyyy"_s)))
            w.grdCopie->selectRow(row);
    w.chkPassword->setChecked(withPassword);
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    w.btnRipristina->click();
    return Seams::Messages::last();
}
} // namespace

class TestRestore : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup()
    {
        TestSupport::checkSeams();
        Backup::setFaultHook({});
        ArchiveFile::setLockTimeoutMs(1000);
    }

    void restoreUnderAWriterLosesNoSave();
    void killedWritersJournalNeverReachesTheRestoredArchive();
    void searchHeldByAStoppedWorkstationGivesInUse();
    void damagedCopyIsRefused_data();
    void damagedCopyIsRefused();
    void killedRestoreIsFinishedAtTheNextStart_data();
    void killedRestoreIsFinishedAtTheNextStart();
};

void TestRestore::restoreUnderAWriterLosesNoSave()
{
    TestProgramFolder folder;
    fill(folder, 8000); // large enough that each restore takes a while
    const QString archive = folder.file(u"2024.pse"_s);
    const QByteArray copy = TestSupport::fileBytes(copies(folder) + u"/2024-03-14/2024.pse"_s);
    // A restore holds every archive for a while: here the other workstation waits for it rather than give up.
    Worker writer({u"saves"_s, archive, u"300"_s});
    QVERIFY(writer.waitForReadyRead(10000));

    QStringList before;
    for (int i = 0; i < 8 && writer.state() == QProcess::Running; ++i) {
        QTest::qWait(60);
        const Backup::RestoreResult r = Backup::restore(folder.path(), copyNamed(folder, u"2024-03-14"_s),
                                                        QDateTime(QDate(2024, 3, 15), QTime(9, 0, i)));
        QVERIFY2(r.ok, qPrintable(r.error));
        before << r.beforeRestore;
    }
    QVERIFY(writer.state() == QProcess::NotRunning || writer.waitForFinished(60000));
    QCOMPARE(writer.exitCode(), 0);
    QVERIFY2(before.size() >= 2, "the writer finished before the restores ran");

    // The last save reported at each position is in the final archive or in a copy taken before a restore.
    QMap<qint64, QString> told;
    for (const QByteArray &line : writer.readAllStandardOutput().split('\n'))
        if (const QList<QByteArray> parts = line.split(' '); parts.size() == 2)
            told[parts[0].toLongLong()] = QString::fromLatin1(parts[1]);
    QVERIFY(told.size() > 40);
    const QByteArray final = TestSupport::fileBytes(archive);
    QCOMPARE(final.size() % kSlip, 0);
    QList<QByteArray> preRestore;
    for (const QString &name : before)
        preRestore << TestSupport::fileBytes(copies(folder) + u'/' + name + u"/2024.pse"_s);
    int lost = 0;
    for (auto it = told.begin(); it != told.end(); ++it) {
        bool found = payerAt(final, it.key()) == it.value();
        for (const QByteArray &b : preRestore)
            found = found || payerAt(b, it.key()) == it.value();
        lost += !found;
    }
    QCOMPARE(lost, 0);
    // And nothing that nobody saved: every record is the copy's or one the writer was told it saved there.
    for (qint64 pos = 1; pos <= final.size() / kSlip; ++pos) {
        const QString payer = payerAt(final, pos);
        QVERIFY2(payer == payerAt(copy, pos) || payer.startsWith(u'A') || payer.startsWith(u'W'), qPrintable(payer));
    }
    QVERIFY(noWorkLeft(folder));
}

void TestRestore::killedWritersJournalNeverReachesTheRestoredArchive()
{
    TestProgramFolder folder;
    fill(folder);
    const QString archive = folder.file(u"2024.pse"_s);
    const QByteArray copy = TestSupport::fileBytes(copies(folder) + u"/2024-03-14/2024.pse"_s);
    // A correction of record 2 dies half written: its journal entry is whole.
    {
        Worker tear({u"tear"_s, archive, u"2"_s, QString::number(kSlip)});
        QVERIFY(tear.waitForFinished(10000));
        QCOMPARE(tear.exitStatus(), QProcess::CrashExit);
    }
    QVERIFY(QFileInfo(ArchiveFile::journalPath(archive)).size() > kSlip);

    const Backup::RestoreResult r =
        Backup::restore(folder.path(), copyNamed(folder, u"2024-03-14"_s), QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
    QVERIFY2(r.ok, qPrintable(r.error));
    // The correction belongs to the state before the restore, whole; the restored archive never sees it.
    const QByteArray before = TestSupport::fileBytes(copies(folder) + u'/' + r.beforeRestore + u"/2024.pse"_s);
    QCOMPARE(before.mid(kSlip, kSlip), QByteArray(kSlip, 'N'));
    ArchiveFile file(archive, kSlip);
    QVERIFY(file.open());
    QByteArray rec;
    QVERIFY(file.read(2, rec));
    QVERIFY(file.close());
    QCOMPARE(TestSupport::fileBytes(archive), copy);
    QCOMPARE(QFileInfo(ArchiveFile::journalPath(archive)).size(), 0);
}

void TestRestore::searchHeldByAStoppedWorkstationGivesInUse()
{
    TestProgramFolder folder;
    fill(folder);
    work(folder);
    const auto live = liveFiles(folder);
    Worker search({u"holdread"_s, folder.file(u"Richiedenti.pro"_s)});
    QVERIFY(search.waitForReadyRead(10000));
    QCOMPARE(search.readAllStandardOutput(), QByteArray("held\n"));

    QElapsedTimer t;
    t.start();
    const auto shown = restoreFromTheWindow(u"2024-03-14"_s);
    QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(shown.kind, Seams::MsgKind::Warning);
    QCOMPARE(shown.text, ArchiveTexts::inUse());
    QCOMPARE(liveFiles(folder), live);
    QVERIFY(noWorkLeft(folder));
    QCOMPARE(copyNames(folder), QStringList{u"2024-03-14"_s});

    // Once the search is gone, the same restore goes through.
    search.killNow();
    QCOMPARE(restoreFromTheWindow(u"2024-03-14"_s).kind, Seams::MsgKind::Information);
    QCOMPARE(TestSupport::fileBytes(folder.file(u"Richiedenti.pro"_s)), QByteArray(2 * 5090, 'r'));
}

void TestRestore::damagedCopyIsRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("withPassword");
    QTest::addColumn<QString>("reason");
    QTest::newRow("archive cut short") << u"truncate Richiedenti.pro"_s << false
                                       << u"Il file Richiedenti.pro della copia è danneggiato: non corrisponde al file "
                                          "copiato quel giorno."_s;
    QTest::newRow("one byte changed") << u"flip 2024.pse"_s << false
                                      << u"Il file 2024.pse della copia è danneggiato: non corrisponde al file copiato "
                                         "quel giorno."_s;
    QTest::newRow("attachment changed")
        << u"flip Documenti_Allegati/passaporto.pdf"_s << false
        << u"Il file Documenti_Allegati/passaporto.pdf della copia è danneggiato: non corrisponde al file copiato "
           "quel giorno."_s;
    QTest::newRow("file missing") << u"remove 2023.pse"_s << false
                                  << u"Il file 2023.pse della copia non può essere letto."_s;
    QTest::newRow("file not listed") << u"add 2022.pse"_s << false
                                     << u"Il file 2022.pse della copia non compare nell'elenco dei file copiati."_s;
    QTest::newRow("link in the copy") << u"link 2025.pse"_s << false
                                      << u"Il file 2025.pse della copia non compare nell'elenco dei file copiati."_s;
    QTest::newRow("no list") << u"remove Elenco.sha256"_s << false
                             << u"La copia non contiene l'elenco dei file copiati (Elenco.sha256), che permette di "
                                "verificarla: è stata fatta da una versione precedente del programma oppure è "
                                "danneggiata."_s;
    QTest::newRow("list cut short") << u"truncate Elenco.sha256"_s << false
                                    << u"La copia non contiene l'elenco dei file copiati (Elenco.sha256), che "
                                       "permette di verificarla: è stata fatta da una versione precedente del "
                                       "programma oppure è danneggiata."_s;
    QTest::newRow("password store not an INI file")
        << u"garble unins000.dll"_s << true
        << u"Il file della password unins000.dll della copia non è leggibile: la password non può essere "
           "ripristinata."_s;
    QTest::newRow("torn archive listed as copied")
        << u"tail 2023.pse"_s << false << u"Il file 2023.pse della copia non contiene un numero intero di schede."_s;
    QTest::newRow("empty copy") << u"empty"_s << false << u"La copia non contiene nessun file da ripristinare."_s;
}

void TestRestore::damagedCopyIsRefused()
{
    QFETCH(QString, damage);
    QFETCH(bool, withPassword);
    QFETCH(QString, reason);
    TestProgramFolder folder;
    fill(folder);
    work(folder);
    const auto live = liveFiles(folder);
    const QString day = copies(folder) + u"/2024-03-14/"_s;
    const QString verb = damage.section(u' ', 0, 0), name = damage.section(u' ', 1);
    const QString target = day + name;
    // The list rewritten as the copy writes it, naming the file as it now is.
    const auto relist = [&] {
        auto m = BackupManifest::load(day);
        QVERIFY(m);
        for (auto &e : m->entries)
            if (e.name == name) {
                const QByteArray bytes = TestSupport::fileBytes(target);
                e.size = bytes.size();
                e.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
            }
        put(day + BackupManifest::fileName(), m->encode());
    };
    if (verb == u"truncate"_s) {
        const QByteArray bytes = TestSupport::fileBytes(target);
        put(target, bytes.left(bytes.size() - 100));
    } else if (verb == u"flip"_s) {
        QByteArray bytes = TestSupport::fileBytes(target);
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
        put(target, bytes);
    } else if (verb == u"remove"_s) {
        QVERIFY(QFile::remove(target));
    } else if (verb == u"add"_s) {
        put(target, slips(1, u"INTRUSO"_s));
    } else if (verb == u"link"_s) {
        QVERIFY(QFile::link(folder.file(u"2024.pse"_s), target));
    } else if (verb == u"garble"_s) {
        put(target, "MZ\x90 not an INI file");
        relist();
    } else if (verb == u"tail"_s) {
        put(target, TestSupport::fileBytes(target) + "torn");
        relist();
    } else if (verb == u"empty"_s) {
        QDir(day).removeRecursively();
        QVERIFY(QDir().mkpath(day));
        put(day + BackupManifest::fileName(), BackupManifest().encode());
    }

    const auto shown = restoreFromTheWindow(u"2024-03-14"_s, withPassword);
    QCOMPARE(shown.kind, Seams::MsgKind::Warning);
    QCOMPARE(shown.text, u"Attenzione: la copia del 14/03/2024 non può essere ripristinata.\n\r\n\r%1\n\r\n\rNessun "
                         "file è stato modificato."_s.arg(reason));
    QCOMPARE(liveFiles(folder), live);
    QVERIFY(noWorkLeft(folder));
    QCOMPARE(copyNames(folder), QStringList{u"2024-03-14"_s}); // no copy of the present state either
}

void TestRestore::killedRestoreIsFinishedAtTheNextStart_data()
{
    QTest::addColumn<int>("killAt");        // the staged file whose replacement the restore dies before
    QTest::addColumn<bool>("damageStaged"); // a staged file damaged meanwhile
    QTest::addColumn<QString>("outcome");   // "completed", "rolled back", "untouched"
    QTest::newRow("before the first replacement") << 1 << false << u"completed"_s;
    QTest::newRow("after one replacement") << 2 << false << u"completed"_s;
    QTest::newRow("before the last replacement") << 3 << false << u"completed"_s;
    QTest::newRow("staged file damaged") << 3 << true << u"rolled back"_s;
    QTest::newRow("while staging") << 0 << false << u"untouched"_s;
}

void TestRestore::killedRestoreIsFinishedAtTheNextStart()
{
    QFETCH(int, killAt);
    QFETCH(bool, damageStaged);
    QFETCH(QString, outcome);
    TestProgramFolder folder;
    fill(folder);
    const auto copied = liveFiles(folder);
    work(folder);
    const auto present = liveFiles(folder);

    {
        Worker restore({u"restore"_s, folder.path(), u"2024-03-14"_s, QString::number(killAt)});
        QVERIFY(restore.waitForFinished(30000));
        QCOMPARE(restore.exitStatus(), QProcess::CrashExit);
    }
    const QStringList staging = QDir(folder.path()).entryList({u".ripristino.in_corso-*"_s}, QDir::Dirs | QDir::Hidden);
    QCOMPARE(staging.size(), 1);
    if (damageStaged) {
        const QString staged = folder.file(staging.first() + u"/Richiedenti.pro"_s);
        QVERIFY(QFileInfo::exists(staged));
        QFile f(staged);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.write("X");
    }

    // The next start: the restore finished or undone, the user told, and only then the day's copy.
    Seams::Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(11, 0)));
    DailyCopy::start();
    DailyCopy::wait();
    QTest::qWait(20);
    QVERIFY(noWorkLeft(folder));
    auto now = liveFiles(folder);
    if (outcome == u"completed"_s) {
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
        QCOMPARE(Seams::Messages::last().text,
                 u"Il ripristino dalla copia del 14/03/2024 si era interrotto prima della fine: è stato completato "
                 "ora.\n\r\n\rFile ripristinati: 2024.pse, Richiedenti.pro, 1 documento allegato.\n\r\n\rLo stato "
                 "precedente al ripristino è conservato nella copia "
                 "2024-03-15_090000_prima_del_ripristino."_s);
        // Everything as copied, but the password, which was not asked for.
        auto expected = copied;
        expected[u"unins000.dll"_s] = present.value(u"unins000.dll"_s);
        QCOMPARE(now, expected);
    } else if (outcome == u"rolled back"_s) {
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
        QVERIFY2(Seams::Messages::last().text.startsWith(
                     u"Attenzione: il ripristino dalla copia del 14/03/2024 si era interrotto e non è stato possibile "
                     "completarlo"_s),
                 qPrintable(Seams::Messages::last().text));
        QCOMPARE(now, present);
    } else {
        QVERIFY(Seams::Messages::shown().isEmpty());
        QCOMPARE(now, present);
    }
    // The day's copy is of the folder as the start left it.
    const QString today = copies(folder) + u"/2024-03-15/"_s;
    QCOMPARE(TestSupport::fileBytes(today + u"2024.pse"_s), now.value(u"2024.pse"_s));
    QCOMPARE(TestSupport::fileBytes(today + u"Richiedenti.pro"_s), now.value(u"Richiedenti.pro"_s));
}

QTEST_MAIN(TestRestore)
#include "test_restore.moc"

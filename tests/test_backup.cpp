// Daily safety copies: once a day, what they hold (attachments included), retention under a clock that jumps,
// links in the copies folder, copies under a concurrent writer or holder, failures, the window.

#include "app/Avvio.h"
#include "app/CopieSicurezza.h"
#include "app/Info.h"
#include "app/PasswordStore.h"
#include "core/Backup.h"
#include "core/BackupManifest.h"
#include "core/IniFile.h"
#include "core/widgets/BackgroundWork.h"
#include "core/widgets/Picture.h"
#include "tests/TestSupport.h"
#include "tests/WorkerProcess.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kSlip = 2402;

QByteArray records(int count, char fill)
{
    return QByteArray(qsizetype(count) * kSlip, fill);
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// What a copy must take, by name relative to the program folder, and what it must leave.
QMap<QString, QByteArray> fillProgramFolder(const TestProgramFolder &folder)
{
    const QMap<QString, QByteArray> sources = {
        {u"2024.pse"_s, records(2, 'a')},
        {u"2023.pse"_s, records(1, 'b')},
        {u"2024.sca"_s, QByteArray(1328, 'c')},
        {u"Richiedenti.pro"_s, QByteArray(5090, 'd')},
        {u"Bollettini.ini"_s, QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=2\r\n")},
        {u"unins000.dll"_s, "[Accesso]\r\nValore=" + ScramblePassword(u"VECCHIA"_s).toLatin1() + "\r\n"},
        {u"Documenti_Allegati/passaporto.pdf"_s, QByteArray("%PDF passaporto")},
    };
    QDir(folder.path()).mkdir(u"Documenti_Allegati"_s);
    for (auto it = sources.begin(); it != sources.end(); ++it)
        put(folder.file(it.key()), it.value());
    put(folder.file(u"Guida.pdf"_s), "%PDF");
    put(folder.file(u"2024.pse.lock"_s), {});
    return sources;
}

QString root(const TestProgramFolder &folder)
{
    return folder.file(Backup::rootName());
}

QStringList copyNames(const QString &root)
{
    QStringList names;
    for (const Backup::Copy &c : Backup::list(root))
        names << c.name;
    std::sort(names.begin(), names.end());
    return names;
}

// Every entry under root, hidden staging included.
QStringList everything(const QString &root)
{
    return QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Every file of a copy folder by its name in the copy, its list apart.
QMap<QString, QByteArray> filesOf(const QString &dayFolder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dayFolder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(dayFolder).relativeFilePath(path);
        if (name != BackupManifest::fileName())
            out.insert(name, TestSupport::fileBytes(path));
    }
    return out;
}

// The copy holds exactly these files, and its list names each with its own size and SHA-256.
void checkCopyHolds(const QString &dayFolder, const QMap<QString, QByteArray> &expected)
{
    QCOMPARE(filesOf(dayFolder).keys(), expected.keys());
    const QByteArray list = TestSupport::fileBytes(dayFolder + u'/' + BackupManifest::fileName());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        QVERIFY2(TestSupport::fileBytes(dayFolder + u'/' + it.key()) == it.value(), qPrintable(it.key()));
        const QByteArray line = QCryptographicHash::hash(it.value(), QCryptographicHash::Sha256).toHex() + ' ' +
                                QByteArray::number(it.value().size()) + ' ';
        QVERIFY2(list.contains('\n' + line), qPrintable(it.key()));
    }
    QVERIFY(list.endsWith("fine " + QByteArray::number(expected.size()) + '\n'));
}

void runDailyCopy()
{
    DailyCopy::start();
    DailyCopy::wait();
    QTest::qWait(10); // the messages the worker sent
}

struct Holder : WorkerProcess {
    explicit Holder(const QStringList &args) : WorkerProcess(QStringLiteral(ARCHIVE_WORKER), args) {}
};
} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        TestSupport::resetSeams();
        BackgroundWork::setDelayMs(500);
    }
    void cleanup()
    {
        TestSupport::checkSeams();
        Backup::setFaultHook({});
    }

    void oddAndHugeArchivesAreLeftOutWithAWarning();
    void copyOnFirstStartOfTheDayOnly();
    void startUpDoesNotWaitForTheCopy();
    void attachmentsAreCopiedNeverLinkedAndComeBack();
    void retentionOverAYearWithTheClockJumping();
    void linksInTheCopiesFolderAreNeverFollowed();
    void copyDuringAnAppendIsAStateTheArchiveHad();
    void copyWhileAnArchiveIsHeldSaysInUse();
    void failingCopyLeavesNoDayFolderAndWarnsOnce_data();
    void failingCopyLeavesNoDayFolderAndWarnsOnce();
    void restoreRoundTripFromTheWindow();
    void restoreThatCannotStageChangesNothing();
    void copyNowFromTheMainMenu();
    void secondFolderReceivesTheCopies();
};

void TestBackup::oddAndHugeArchivesAreLeftOutWithAWarning()
{
    TestProgramFolder folder;
    // A huge sparse archive (2 GiB apparent, nothing on the disk), one with a torn tail, and a large sound one.
    put(folder.file(u"2024.pse"_s), {});
    QVERIFY(QFile::resize(folder.file(u"2024.pse"_s), qint64(2) << 30));
    put(folder.file(u"2023.pse"_s), records(3, 'x') + "tail");
    const qint64 large = qint64(kSlip) * 30000; // 72 MB of blanks
    put(folder.file(u"2022.pse"_s), {});
    QVERIFY(QFile::resize(folder.file(u"2022.pse"_s), large));
    put(folder.file(u"Bollettini.ini"_s), "[Margini Stampa Bollettino PSE]\r\nSuperiore=1\r\n");

#ifndef Q_OS_WIN // the peak memory of the process is read where getrusage has it
    struct rusage before {
    }, after{};
    getrusage(RUSAGE_SELF, &before);
#endif
    QElapsedTimer t;
    t.start();
    runDailyCopy();
    QVERIFY2(t.elapsed() < 20000, qPrintable(QString::number(t.elapsed())));
#ifndef Q_OS_WIN
    getrusage(RUSAGE_SELF, &after);
    // One block of memory at a time, never the whole archive.
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 32 * 1024,
             qPrintable(QString::number(after.ru_maxrss - before.ru_maxrss)));
#endif

    const QString day = root(folder) + u"/2024-03-15"_s;
    QCOMPARE(filesOf(day).keys(), (QStringList{u"2022.pse"_s, u"Bollettini.ini"_s}));
    QCOMPARE(QFileInfo(day + u"/2022.pse"_s).size(), large);
    QCOMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QCOMPARE(Seams::Messages::last().text,
             u"Attenzione: la copia di sicurezza di oggi non comprende 2023.pse, 2024.pse, perché la dimensione non è "
             "quella di un archivio integro (non è un numero intero di schede, oppure supera 1 GB). Gli altri file "
             "sono stati copiati."_s);
}

void TestBackup::copyOnFirstStartOfTheDayOnly()
{
    TestProgramFolder folder;
    const auto sources = fillProgramFolder(folder);
    const QDate day(2024, 3, 15);
    QCOMPARE(Backup::takeDaily(folder.path(), day).outcome, Backup::DailyResult::Taken);
    const QString dayFolder = root(folder) + u"/2024-03-15"_s;
    checkCopyHolds(dayFolder, sources);

    put(folder.file(u"2024.pse"_s), records(3, 'z'));
    QCOMPARE(Backup::takeDaily(folder.path(), day).outcome, Backup::DailyResult::AlreadyTaken);
    QCOMPARE(TestSupport::fileBytes(dayFolder + u"/2024.pse"_s), records(2, 'a'));

    QCOMPARE(Backup::takeDaily(folder.path(), day.addDays(1)).outcome, Backup::DailyResult::Taken);
    QCOMPARE(TestSupport::fileBytes(root(folder) + u"/2024-03-16/2024.pse"_s), records(3, 'z'));
    QCOMPARE(everything(root(folder)), (QStringList{u"2024-03-15"_s, u"2024-03-16"_s}));

    TestProgramFolder empty(u"Nuova"_s);
    QCOMPARE(Backup::takeDaily(empty.path(), day).outcome, Backup::DailyResult::NothingToCopy);
    QVERIFY(!QFileInfo::exists(root(empty) + u"/2024-03-15"_s));
}

void TestBackup::startUpDoesNotWaitForTheCopy()
{
    TestProgramFolder folder;
    const auto sources = fillProgramFolder(folder);
    Backup::setFaultHook([](Backup::Step, const QString &) {
        QThread::msleep(100); // a slow disk: most of a second for the files and the list
        return false;
    });
    QElapsedTimer t;
    t.start();
    DailyCopy::start();
    QVERIFY2(t.elapsed() < 300, qPrintable(u"%1 ms"_s.arg(t.elapsed())));
    DailyCopy::wait();
    checkCopyHolds(root(folder) + u"/2024-03-15"_s, sources);
    QTest::qWait(20);
    QVERIFY(Seams::Messages::shown().isEmpty());

    // The window that lists the copies opens from the information window too.
    TfrmInfo info;
    bool opened = false;
    TestSupport::onNextModal([&opened](QWidget *w) {
        auto *copies = qobject_cast<TfrmCopieSicurezza *>(w);
        QVERIFY(copies);
        opened = copies->grdCopie->rowCount() == 1 && copies->grdCopie->item(0, 0)->text() == u"15/03/2024"_s;
        copies->btnChiudi->click();
    });
    info.btnCopieSicurezza->click();
    QVERIFY(opened);
}

void TestBackup::attachmentsAreCopiedNeverLinkedAndComeBack()
{
    TestProgramFolder folder;
    QTemporaryDir elsewhere;
    put(folder.file(u"2024.pse"_s), records(1, 'a'));
    const QString attachments = folder.file(u"Documenti_Allegati/"_s);
    QVERIFY(QDir().mkpath(attachments + u"sotto"_s));
    put(attachments + u"contratto.pdf"_s, "contratto firmato");
    put(attachments + u"foto.jpg"_s, "JPG foto");
    put(attachments + u"sotto/annidato.pdf"_s, "not ours");
    put(attachments + u".foto.jpg.parziale-12-0000abcd"_s, "half a copy");
    put(elsewhere.filePath(u"fuori.txt"_s), "outside");
#ifndef Q_OS_WIN // there QFile::link makes a shell shortcut, a plain file
    QVERIFY(QFile::link(elsewhere.filePath(u"fuori.txt"_s), attachments + u"collegamento.pdf"_s));
#endif

    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 14)).outcome, Backup::DailyResult::Taken);
    const QString first = root(folder) + u"/2024-03-14/"_s;
    checkCopyHolds(first, {{u"2024.pse"_s, records(1, 'a')},
                           {u"Documenti_Allegati/contratto.pdf"_s, "contratto firmato"},
                           {u"Documenti_Allegati/foto.jpg"_s, "JPG foto"}});
    // Copies of their own, never a second name of the same file.
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(first + u"Documenti_Allegati/foto.jpg"_s).constData(), &st), 0);
    QCOMPARE(int(st.st_nlink), 1);

    // Another program edits the contract in place, size unchanged; the day's copy keeps what it took.
    {
        QFile f(attachments + u"contratto.pdf"_s);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.write("CONTRATTO FIRMATO");
    }
    QCOMPARE(TestSupport::fileBytes(first + u"Documenti_Allegati/contratto.pdf"_s), QByteArray("contratto firmato"));
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 15)).outcome, Backup::DailyResult::Taken);
    const QString second = root(folder) + u"/2024-03-15/"_s;
    QCOMPARE(TestSupport::fileBytes(second + u"Documenti_Allegati/contratto.pdf"_s), QByteArray("CONTRATTO FIRMATO"));
    QCOMPARE(TestSupport::fileBytes(second + u"Documenti_Allegati/foto.jpg"_s), QByteArray("JPG foto"));
    QCOMPARE(::stat(QFile::encodeName(second + u"Documenti_Allegati/foto.jpg"_s).constData(), &st), 0);
    QCOMPARE(int(st.st_nlink), 1);

    // The restore brings them back: the edited one as it was, a removed one again; a document attached
    // since stays, and the link and what it leads to are left alone.
    QFile::remove(attachments + u"foto.jpg"_s);
    put(attachments + u"nuovo.pdf"_s, "attached later");
    TfrmCopieSicurezza w;
    w.show();
    w.grdCopie->selectRow(1); // 14/03/2024
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    w.btnRipristina->click();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QVERIFY2(
        Seams::Messages::last().text.startsWith(
            u"Ripristino completato dalla copia del 14/03/2024.\n\r\n\rFile ripristinati: 2 documenti allegati."_s),
        qPrintable(Seams::Messages::last().text));
    QCOMPARE(TestSupport::fileBytes(attachments + u"contratto.pdf"_s), QByteArray("contratto firmato"));
    QCOMPARE(TestSupport::fileBytes(attachments + u"foto.jpg"_s), QByteArray("JPG foto"));
    QCOMPARE(TestSupport::fileBytes(attachments + u"nuovo.pdf"_s), QByteArray("attached later"));
#ifndef Q_OS_WIN
    QVERIFY(QFileInfo(attachments + u"collegamento.pdf"_s).isSymLink());
#endif
    QCOMPARE(TestSupport::fileBytes(elsewhere.filePath(u"fuori.txt"_s)), QByteArray("outside"));
    const QString before = root(folder) + u"/2024-03-15_103000_prima_del_ripristino/"_s;
    QCOMPARE(TestSupport::fileBytes(before + u"Documenti_Allegati/contratto.pdf"_s), QByteArray("CONTRATTO FIRMATO"));
    QCOMPARE(TestSupport::fileBytes(before + u"Documenti_Allegati/nuovo.pdf"_s), QByteArray("attached later"));
}

void TestBackup::retentionOverAYearWithTheClockJumping()
{
    TestProgramFolder folder;
    put(folder.file(u"2024.pse"_s), records(1, 'a'));
    QDir(folder.path()).mkpath(Backup::rootName() + u"/Vecchie foto"_s); // not ours: never removed
    const QDate ahead(2025, 6, 3);                                       // one start with the clock a year ahead
    const QDate back(2024, 9, 2);                                        // and a week starting with it 30 days behind
    QStringList monthlyBeforeTheJump;
    // An office open Monday to Friday through 2024, then the first working day of 2025.
    QList<QDate> days;
    for (QDate d(2024, 1, 1); d <= QDate(2024, 12, 31); d = d.addDays(1))
        if (d.dayOfWeek() <= 5)
            days << d;
    days << QDate(2025, 1, 2);
    for (const QDate &real : days) {
        QDate clock = real;
        if (real == ahead.addDays(-365))
            clock = ahead;
        else if (real >= back && real < back.addDays(5))
            clock = real.addDays(-30);
        Seams::Clock::setFixed(QDateTime(clock, QTime(8, 30)));
        const QStringList before = copyNames(root(folder));
        runDailyCopy();
        const QStringList after = copyNames(root(folder));
        QVERIFY2(Seams::Messages::shown().isEmpty(), qPrintable(Seams::Messages::last().text));
        int removed = 0;
        for (const QString &name : before)
            removed += !after.contains(name);
        QVERIFY2(removed <= 2, qPrintable(clock.toString()));
        for (const QString &name : before)
            if (QDate::fromString(name.left(10), u"yyyy-MM-dd"_s) > clock)
                QVERIFY2(after.contains(name), qPrintable(name + u" removed on "_s + clock.toString()));
        // The ten most recent copies up to today are always there.
        QStringList upToToday;
        for (const QString &name : before + QStringList{clock.toString(u"yyyy-MM-dd"_s)})
            if (QDate::fromString(name.left(10), u"yyyy-MM-dd"_s) <= clock && !upToToday.contains(name))
                upToToday << name;
        std::sort(upToToday.begin(), upToToday.end(), std::greater<>());
        for (const QString &name : upToToday.mid(0, 10))
            QVERIFY2(after.contains(name), qPrintable(name + u" removed on "_s + clock.toString()));
        if (clock == ahead) {
            monthlyBeforeTheJump = {u"2024-01-01"_s, u"2024-02-01"_s, u"2024-03-01"_s, u"2024-04-01"_s,
                                    u"2024-05-01"_s};
            for (const QString &name : monthlyBeforeTheJump)
                QVERIFY2(after.contains(name), qPrintable(name + u" lost to the jump"_s));
            QVERIFY(after.contains(u"2025-06-03"_s));
        }
    }

    // The future copy is kept and counts for nothing; everything else follows the rule as if the clock had
    // never jumped: the first copy of each of the 12 most recent months, the 10 most recent copies. (No copy
    // bears the real dates of the days the clock was wrong: June starts on the 4th, September on the 9th.)
    const QStringList firstOfMonths = {u"2024-02-01"_s, u"2024-03-01"_s, u"2024-04-01"_s, u"2024-05-01"_s,
                                       u"2024-06-04"_s, u"2024-07-01"_s, u"2024-08-01"_s, u"2024-09-09"_s,
                                       u"2024-10-01"_s, u"2024-11-01"_s, u"2024-12-02"_s};
    const QStringList lastTen = {u"2024-12-19"_s, u"2024-12-20"_s, u"2024-12-23"_s, u"2024-12-24"_s, u"2024-12-25"_s,
                                 u"2024-12-26"_s, u"2024-12-27"_s, u"2024-12-30"_s, u"2024-12-31"_s, u"2025-01-02"_s};
    QCOMPARE(copyNames(root(folder)), firstOfMonths + lastTen + QStringList{u"2025-06-03"_s});
    QVERIFY(QFileInfo::exists(root(folder) + u"/Vecchie foto"_s));

    // Shown as such, and never the one the restore window offers first.
    TfrmCopieSicurezza w;
    w.show();
    QCOMPARE(w.grdCopie->item(0, 0)->text(), u"03/06/2025 (data futura)"_s);
    QCOMPARE(w.grdCopie->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(w.grdCopie->selectionModel()->selectedRows().first().row(), 1);
    QCOMPARE(w.grdCopie->item(1, 0)->text(), u"02/01/2025"_s);
}

void TestBackup::linksInTheCopiesFolderAreNeverFollowed()
{
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes shell shortcuts here, and symbolic links need a privilege: the reparse-point checks "
          "are confirmed on a real Windows machine");
#endif
    TestProgramFolder folder;
    QTemporaryDir elsewhere;
    put(folder.file(u"2024.pse"_s), records(1, 'a'));
    put(elsewhere.filePath(u"prezioso.txt"_s), "precious");
    const QString copies = root(folder);
    QVERIFY(QDir().mkpath(copies));
    // Day-named links to another folder and to the program folder, a staging-named one, and two real old
    // copies of one month, the second holding a link to the other folder.
    QVERIFY(QFile::link(elsewhere.path(), copies + u"/2023-01-01"_s));
    QVERIFY(QFile::link(u".."_s, copies + u"/2023-01-02"_s));
    QVERIFY(QFile::link(elsewhere.path(), copies + u"/.2023-01-03.parziale-1-00000000"_s));
    for (const QString &old : {u"2023-01-04"_s, u"2023-01-05"_s}) {
        QVERIFY(QDir().mkpath(copies + u'/' + old));
        put(copies + u'/' + old + u"/2024.pse"_s, records(1, 'o'));
    }
    QVERIFY(QFile::link(elsewhere.path(), copies + u"/2023-01-05/dentro"_s));
    const QString archive = folder.file(u"2024.pse"_s);
    const auto outsideUnchanged = [&] {
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{u"prezioso.txt"_s});
        QCOMPARE(TestSupport::fileBytes(elsewhere.filePath(u"prezioso.txt"_s)), QByteArray("precious"));
        QCOMPARE(TestSupport::fileBytes(archive), records(1, 'a'));
    };

    for (int day = 1; day <= 14; ++day)
        QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, day)).outcome, Backup::DailyResult::Taken);
    outsideUnchanged();
    const QStringList listed = copyNames(copies);
    QVERIFY(!listed.contains(u"2023-01-01"_s) && !listed.contains(u"2023-01-02"_s));
    QVERIFY(listed.contains(u"2023-01-04"_s));  // the first copy of its month
    QVERIFY(!listed.contains(u"2023-01-05"_s)); // removed, without going into its link
    for (const QString &link : {u"2023-01-01"_s, u"2023-01-02"_s, u".2023-01-03.parziale-1-00000000"_s})
        QVERIFY2(QFileInfo(copies + u'/' + link).isSymLink(), qPrintable(link));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{u"2024.pse"_s});

    // A copies folder that is itself a link is never written into.
    TestProgramFolder linked(u"Collegata"_s);
    put(linked.file(u"2024.pse"_s), records(1, 'l'));
    QVERIFY(QFile::link(elsewhere.path(), root(linked)));
    QCOMPARE(Backup::takeDaily(linked.path(), QDate(2024, 3, 15)).outcome, Backup::DailyResult::Failed);
    outsideUnchanged();
    QCOMPARE(everything(elsewhere.path()), QStringList{u"prezioso.txt"_s});
}

void TestBackup::copyDuringAnAppendIsAStateTheArchiveHad()
{
    TestProgramFolder folder;
    const QString archive = folder.file(u"2024.pse"_s);
    put(archive, records(5, 'a'));
    QProcess appender;
    appender.start(QStringLiteral(BACKUP_APPENDER), {archive, QString::number(kSlip), u"6"_s, u"300"_s, u"2000"_s});
    QVERIFY(appender.waitForReadyRead(10000));

    QStringList taken;
    QDeadlineTimer deadline(20000);
    for (int i = 0; appender.state() != QProcess::NotRunning && !deadline.hasExpired(); ++i) {
        const QString name = u"2024-03-%1"_s.arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        const QString sub = root(folder) + u"/r%1"_s.arg(i);
        QVERIFY(Backup::take(folder.path(), sub, name).ok);
        taken << sub + u'/' + name + u"/2024.pse"_s;
        QTest::qWait(20);
    }
    QVERIFY(appender.state() == QProcess::NotRunning || appender.waitForFinished(10000));
    QCOMPARE(appender.exitStatus(), QProcess::NormalExit);
    QCOMPARE(appender.exitCode(), 0);
    const QByteArray final = TestSupport::fileBytes(archive);
    QCOMPARE(final.size(), 305 * kSlip);

    QVERIFY2(taken.size() >= 3, "the appender finished before enough copies ran");
    int midway = 0;
    for (const QString &path : taken) {
        const QByteArray copy = TestSupport::fileBytes(path);
        QVERIFY2(copy.size() % kSlip == 0, qPrintable(u"%1 bytes"_s.arg(copy.size())));
        QVERIFY(copy == final.left(copy.size()));
        midway += copy.size() > 5 * kSlip && copy.size() < final.size();
    }
    QVERIFY2(midway > 0, "no copy ran while the appender was writing");
}

void TestBackup::copyWhileAnArchiveIsHeldSaysInUse()
{
    TestProgramFolder folder;
    const auto sources = fillProgramFolder(folder);
    Holder holder({u"hold"_s, folder.file(u"Richiedenti.pro"_s), u"5090"_s});
    QVERIFY(holder.waitForReadyRead(10000));
    QElapsedTimer t;
    t.start();
    runDailyCopy();
    QVERIFY(t.elapsed() < 5000);
    QTRY_COMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QCOMPARE(Seams::Messages::last().text,
             u"Attenzione: la copia di sicurezza giornaliera degli archivi non è stata eseguita perché l'archivio "
             "Richiedenti.pro è in uso da un'altra postazione di lavoro.\n\r\n\rLa copia verrà eseguita al prossimo "
             "avvio del programma."_s);
    QVERIFY(everything(root(folder)).isEmpty());
}

void TestBackup::failingCopyLeavesNoDayFolderAndWarnsOnce_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("dayFolderKept");
    QTest::newRow("disk full") << true
                               << u"Attenzione: non è stato possibile eseguire la copia di sicurezza giornaliera degli "
                                  "archivi.\n\r\n\rImpossibile scrivere la copia del file Richiedenti.pro.\n\r\n\rGli "
                                  "archivi non sono stati modificati. Accertarsi che ci sia spazio sul disco e di "
                                  "possedere i privilegi di scrittura nella cartella di installazione del programma."_s
                               << false;
    QTest::newRow("second folder missing")
        << false
        << u"Attenzione: la copia di sicurezza di oggi non è stata salvata nella seconda cartella "
           "/chiavetta/assente.\n\r\n\rLa cartella /chiavetta/assente non è disponibile.\n\r\n\rLa copia nella "
           "cartella del programma è stata eseguita."_s
        << true;
}

void TestBackup::failingCopyLeavesNoDayFolderAndWarnsOnce()
{
    QFETCH(bool, diskFull);
    QFETCH(QString, message);
    QFETCH(bool, dayFolderKept);
    TestProgramFolder folder;
    const auto sources = fillProgramFolder(folder);
    if (diskFull) // the last archive: the attachments, the settings and three archives already in the staging
        Backup::setFaultHook(
            [](Backup::Step, const QString &to) { return to.endsWith(QStringLiteral("/Richiedenti.pro")); });
    else
        QVERIFY(Backup::setSecondFolder(folder.path(), u"/chiavetta/assente"_s));

    runDailyCopy(); // as at start-up: a worker thread, the warning back on this thread
    QTRY_COMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QCOMPARE(Seams::Messages::last().text, QDir::toNativeSeparators(message));
    QCOMPARE(everything(root(folder)), dayFolderKept ? QStringList{u"2024-03-15"_s} : QStringList());
    for (auto it = sources.begin(); it != sources.end(); ++it)
        QCOMPARE(TestSupport::fileBytes(folder.file(it.key())), it.value());

    // The next start of the day tries again, and says nothing when it succeeds.
    Backup::setFaultHook({});
    QVERIFY(Backup::setSecondFolder(folder.path(), QString()));
    runDailyCopy();
    QTest::qWait(50);
    QCOMPARE(Seams::Messages::shown().size(), 1);
    checkCopyHolds(root(folder) + u"/2024-03-15"_s, sources);
}

void TestBackup::restoreRoundTripFromTheWindow()
{
    TestProgramFolder folder;
    const auto before = fillProgramFolder(folder);
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 14)).outcome, Backup::DailyResult::Taken);
    // A day's work, then damage: an archive overwritten, a new year begun, the margins and the password changed.
    put(folder.file(u"2024.pse"_s), records(1, 'x'));
    put(folder.file(u"2025.pse"_s), records(1, 'n'));
    put(folder.file(u"Bollettini.ini"_s), "[Margini Stampa Bollettino PSE]\r\nSuperiore=9\r\n");
    put(folder.file(u"unins000.dll"_s), "[Accesso]\r\nValore=3C4D\r\n");
    QMap<QString, QByteArray> present;
    for (const QString &path : Backup::sourceFiles(folder.path()))
        present.insert(QFileInfo(path).fileName(), TestSupport::fileBytes(path));
    present.insert(u"Documenti_Allegati/passaporto.pdf"_s, before.value(u"Documenti_Allegati/passaporto.pdf"_s));

    TfrmCopieSicurezza w;
    w.show();
    QCOMPARE(w.grdCopie->rowCount(), 1);
    QCOMPARE(w.grdCopie->item(0, 0)->text(), u"14/03/2024"_s);
    QCOMPARE(w.grdCopie->item(0, 1)->text(), u"7"_s);
    QVERIFY(!w.chkPassword->isChecked());

    Seams::Messages::setNextAnswer(Seams::Answer::No);
    w.btnRipristina->click();
    QCOMPARE(TestSupport::fileBytes(folder.file(u"2024.pse"_s)), records(1, 'x'));
    QCOMPARE(Backup::list(root(folder)).size(), 1);

    Seams::Messages::clear();
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    w.btnRipristina->click();
    QCOMPARE(Seams::Messages::shown().size(), 2);
    QCOMPARE(Seams::Messages::shown()[0].kind, Seams::MsgKind::Question);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QCOMPARE(Seams::Messages::last().text,
             u"Ripristino completato dalla copia del 14/03/2024.\n\r\n\rFile ripristinati: 2024.pse, "
             "Bollettini.ini.\n\r\n\rLo stato precedente è conservato nella copia "
             "2024-03-15_103000_prima_del_ripristino; gli archivi che la copia ripristinata non contiene non sono "
             "stati modificati."_s);

    for (auto it = before.begin(); it != before.end(); ++it)
        if (it.key() != u"unins000.dll"_s)
            QVERIFY2(TestSupport::fileBytes(folder.file(it.key())) == it.value(), qPrintable(it.key()));
    // The password stays the one in use unless asked for.
    QCOMPARE(TestSupport::fileBytes(folder.file(u"unins000.dll"_s)), QByteArray("[Accesso]\r\nValore=3C4D\r\n"));
    QCOMPARE(TestSupport::fileBytes(folder.file(u"2025.pse"_s)), records(1, 'n')); // not in the copy: left alone
    checkCopyHolds(root(folder) + u"/2024-03-15_103000_prima_del_ripristino"_s, present);
    QVERIFY(QDir(folder.path()).entryList({u".*"_s}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());

    QCOMPARE(w.grdCopie->rowCount(), 2);
    QCOMPARE(w.grdCopie->item(0, 0)->text(), u"15/03/2024 10:30 (prima del ripristino)"_s);
    QCOMPARE(w.grdCopie->item(0, 1)->text(), u"8"_s);

    // Asked for, the password comes back with the rest.
    w.grdCopie->selectRow(1);
    w.chkPassword->setChecked(true);
    Seams::Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 31)));
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    w.btnRipristina->click();
    QVERIFY2(Seams::Messages::last().text.endsWith(
                 u"\n\r\n\rLa password di accesso è tornata quella in uso il giorno della copia."_s),
             qPrintable(Seams::Messages::last().text));
    QCOMPARE(TestSupport::fileBytes(folder.file(u"unins000.dll"_s)), before.value(u"unins000.dll"_s));
}

void TestBackup::restoreThatCannotStageChangesNothing()
{
    TestProgramFolder folder;
    fillProgramFolder(folder);
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 14)).outcome, Backup::DailyResult::Taken);
    put(folder.file(u"2024.pse"_s), records(4, 'x'));
    Backup::setFaultHook([](Backup::Step step, const QString &to) {
        return step == Backup::Step::Write && to.contains(u".ripristino.in_corso-"_s) && to.endsWith(u"/2024.pse"_s);
    });

    const Backup::RestoreResult r =
        Backup::restore(folder.path(), Backup::list(root(folder)).first(), QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
    QVERIFY(!r.ok);
    QCOMPARE(r.failure, Backup::RestoreResult::Failed);
    QVERIFY(r.restored.isEmpty());
    QVERIFY(r.beforeRestore.isEmpty());
    QCOMPARE(r.error, u"Impossibile preparare il file 2024.pse."_s);
    QCOMPARE(TestSupport::fileBytes(folder.file(u"2024.pse"_s)), records(4, 'x'));
    QVERIFY(QDir(folder.path()).entryList({u".*"_s}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    QCOMPARE(copyNames(root(folder)), QStringList{u"2024-03-14"_s});
}

void TestBackup::copyNowFromTheMainMenu()
{
    TestProgramFolder folder;
    put(folder.file(u"2024.pse"_s), records(1, 'a'));
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 15)).outcome, Backup::DailyResult::Taken);
    put(folder.file(u"2024.pse"_s), records(2, 'b')); // the morning's work

    // Reached from the main menu's information corner by a label the user can read.
    TfrmAvvio menu;
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QVERIFY(menu.lnkCopie->isVisible());
    QCOMPARE(menu.lnkCopie->text(), u"Copie di sicurezza"_s);
    bool seen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *copies = qobject_cast<TfrmCopieSicurezza *>(w);
        QVERIFY(copies);
        seen = true;
        copies->btnCopiaAdesso->click();
        QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
        QCOMPARE(Seams::Messages::last().text, u"La copia di sicurezza di oggi è stata eseguita."_s);
        QCOMPARE(copies->grdCopie->rowCount(), 1);
        copies->btnChiudi->click();
    });
    QTest::mouseClick(menu.lnkCopie, Qt::LeftButton);
    QVERIFY(seen);
    QCOMPARE(TestSupport::fileBytes(root(folder) + u"/2024-03-15/2024.pse"_s), records(2, 'b'));
    QCOMPARE(everything(root(folder)), QStringList{u"2024-03-15"_s});
}

void TestBackup::secondFolderReceivesTheCopies()
{
    TestProgramFolder folder;
    fillProgramFolder(folder);
    QTemporaryDir usb;
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 15)).outcome, Backup::DailyResult::Taken);

    TfrmCopieSicurezza w;
    w.show();
    Seams::FileDialog::setNextFileName(usb.path());
    w.btnScegli->click();
    QCOMPARE(IniFile::read(folder.file(Backup::settingsName()), u"Copie di sicurezza"_s, u"Seconda cartella"_s),
             usb.path());
    QCOMPARE(w.txtSecondaCartella->text(), QDir::toNativeSeparators(usb.path()));
    const QString usbRoot = usb.filePath(Backup::rootName());
    QCOMPARE(copyNames(usbRoot), QStringList{u"2024-03-15"_s}); // the newest copy, at once
    QCOMPARE(filesOf(usbRoot + u"/2024-03-15"_s), filesOf(root(folder) + u"/2024-03-15"_s));

    const Backup::DailyResult next = Backup::takeDaily(folder.path(), QDate(2024, 3, 16));
    QCOMPARE(next.outcome, Backup::DailyResult::Taken);
    QVERIFY(next.secondError.isEmpty());
    QCOMPARE(copyNames(usbRoot), (QStringList{u"2024-03-15"_s, u"2024-03-16"_s}));
    QCOMPARE(TestSupport::fileBytes(usbRoot + u"/2024-03-16/Richiedenti.pro"_s), QByteArray(5090, 'd'));
    QCOMPARE(TestSupport::fileBytes(usbRoot + u"/2024-03-16/Documenti_Allegati/passaporto.pdf"_s),
             QByteArray("%PDF passaporto"));

    // The stick is out at the first start of a day, and in at a later one.
    QTemporaryDir later;
    const QString stick = later.filePath(u"CHIAVETTA"_s);
    QVERIFY(Backup::setSecondFolder(folder.path(), stick));
    const Backup::DailyResult out = Backup::takeDaily(folder.path(), QDate(2024, 3, 17));
    QCOMPARE(out.outcome, Backup::DailyResult::Taken);
    QCOMPARE(out.secondError, u"La cartella %1 non è disponibile."_s.arg(QDir::toNativeSeparators(stick)));
    QVERIFY(QDir().mkpath(stick));
    const Backup::DailyResult in = Backup::takeDaily(folder.path(), QDate(2024, 3, 17));
    QCOMPARE(in.outcome, Backup::DailyResult::AlreadyTaken);
    QVERIFY(in.secondError.isEmpty());
    QCOMPARE(copyNames(stick + u'/' + Backup::rootName()), QStringList{u"2024-03-17"_s});

    // A folder name with a line break would add lines to the settings file: refused, the file unchanged.
    const QByteArray settings = TestSupport::fileBytes(folder.file(Backup::settingsName()));
    QVERIFY(!Backup::setSecondFolder(folder.path(), u"/media/x\n[Accesso]\nValore=00"_s));
    QCOMPARE(TestSupport::fileBytes(folder.file(Backup::settingsName())), settings);

    w.btnNessuna->click();
    QVERIFY(Backup::secondFolder(folder.path()).isEmpty());
    QVERIFY(w.txtSecondaCartella->text().isEmpty());
    QVERIFY(Seams::Messages::shown().isEmpty());
}

QTEST_MAIN(TestBackup)
#include "test_backup.moc"

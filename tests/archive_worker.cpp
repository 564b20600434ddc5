// The other workstation of the archive tests: a separate process that appends, overwrites, reads, holds a
// lock or dies in the middle of a write, as the test asks.
//
//   archive_worker append <archive> <n> <tag>   append n slips; each records its reported position in its notes
//   archive_worker churn <folder> <archive>     delete and recreate files beside the archive until killed
//   archive_worker overwrite <archive> <pos> <n> <size>
//                                               overwrite pos n times, alternately all 'A' and all 'B'
//   archive_worker read <archive> <pos> <size> <stopfile>
//                                               read pos until stopfile exists; exit 1 on a mixed record
//   archive_worker series <archive> <size>      overwrite every record with all 'N', one line per record
//   archive_worker tear <archive> <pos> <size>  overwrite pos with all 'N', dying with half of it in place
//   archive_worker hold <archive> <size> [overwrite]
//                                               append (or overwrite record 1), and freeze while holding
//                                               the lock
//   archive_worker holdread <archive>           read the whole archive and freeze half way,
//                                               holding its read lock
//   archive_worker saves <archive> <n>          n times: append a slip, then overwrite it; after each save
//                                               that succeeded, print "<position> <payer>"
//   archive_worker restore <program> <copy> <k> restore the copy and die as the k-th staged file is
//                                               about to be put in place; with k = 0, as the first file is staged
#include "ProcessControl.h"
#include "core/ArchiveFile.h"
#include "core/Backup.h"
#include "core/NativeFile.h"
#include "core/Record.h"
#include "slips/SlipRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {
int appendSlips(const QString &path, int n, const QString &tag)
{
    Record r(kSlipLayout);
    constexpr int payer = kSlipLayout.at("Esecutore");
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
        if (!file.write(*pos, r.bytes()) || !file.close())
            return 4;
    }
    return 0;
}

// What a tidying user or a sync tool does to a shared folder.
int churn(const QString &folder, const QString &archive)
{
    const QStringList names{archive + QStringLiteral(".lock"), ArchiveFile::journalPath(archive),
                            QStringLiteral("~$temp.tmp")};
    for (;;) {
        for (const QString &name : names) {
            const QString p = QDir(folder).filePath(name);
            QFile::remove(p);
            QFile f(p);
            f.open(QIODevice::WriteOnly);
        }
        QThread::usleep(200);
    }
}

int overwrite(const QString &path, qint64 pos, int n, int size)
{
    for (int i = 0; i < n; ++i) {
        ArchiveFile file(path, size);
        if (!file.open() || !file.write(pos, QByteArray(size, i % 2 ? 'B' : 'A')) || !file.close())
            return 2;
    }
    return 0;
}

int readUntil(const QString &path, qint64 pos, int size, const QString &stop)
{
    qint64 reads = 0, mixed = 0;
    for (;;) {
        if (reads % 64 == 0 && QFileInfo::exists(stop))
            break;
        ArchiveFile file(path, size);
        QByteArray rec;
        if (!file.open(ArchiveFile::Mode::ReadOrCreate) || !file.read(pos, rec))
            return 2;
        ++reads;
        if (rec.contains('A') && rec.contains('B'))
            ++mixed;
    }
    std::printf("reads %lld mixed %lld\n", static_cast<long long>(reads), static_cast<long long>(mixed));
    return mixed == 0 ? 0 : 1;
}

int series(const QString &path, int size)
{
    ArchiveFile file(path, size);
    if (!file.open())
        return 2;
    for (qint64 pos = 1; pos <= file.count(); ++pos) {
        if (!file.write(pos, QByteArray(size, 'N')))
            return 3;
        std::printf("%lld\n", static_cast<long long>(pos));
        std::fflush(stdout);
    }
    return 0;
}

// Stands for the kernel noticing a fatal signal between two pages of one write: half of the new record is
// in place when the process dies.
int tear(const QString &path, qint64 pos, int size)
{
    ArchiveFile::setFaultHook([&](ArchiveFile::Op op, const QString &) {
        if (op == ArchiveFile::Op::Write) {
            NativeFile other;
            const QByteArray half(size / 2, 'N');
            if (!other.open(path, NativeFile::Access::ReadWrite) ||
                !other.writeAt((pos - 1) * size, half.constData(), half.size()))
                std::_Exit(5);
            ProcessControl::dieNow();
        }
        return false;
    });
    ArchiveFile file(path, size);
    return file.open() && file.write(pos, QByteArray(size, 'N')) ? 0 : 2;
}

int hold(const QString &path, int size, bool overwrite)
{
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) {
        if (op == ArchiveFile::Op::Sync) {
            std::printf("held\n");
            std::fflush(stdout);
            ProcessControl::freeze();
        }
        return false;
    });
    ArchiveFile file(path, size);
    if (!file.open())
        return 2;
    return (overwrite ? file.write(1, QByteArray(size, 'H')) : file.append(QByteArray(size, 'H')).has_value()) ? 0 : 3;
}
// Stops in the middle of reading the whole archive, its read lock held (another workstation's copy or search).
int holdRead(const QString &path)
{
    return ArchiveFile::readWhole(path, {},
                                  [](const char *, qint64) {
                                      std::printf("held\n");
                                      std::fflush(stdout);
                                      ProcessControl::freeze();
                                      return true;
                                  })
               ? 0
               : 2;
}

// The other workstation of a restore: it saves all the time, and says which saves it was told succeeded.
int saves(const QString &path, int n)
{
    Record r(kSlipLayout);
    constexpr int payer = kSlipLayout.at("Esecutore");
    for (int i = 0; i < n; ++i) {
        ArchiveFile file(path, kSlipLayout.size());
        if (!file.open())
            continue;
        r.setText(payer, QStringLiteral("A%1").arg(i));
        const auto pos = file.append(r.bytes());
        if (!pos || !file.close())
            continue;
        std::printf("%lld A%d\n", static_cast<long long>(*pos), i);
        std::fflush(stdout);
        ArchiveFile again(path, kSlipLayout.size());
        r.setText(payer, QStringLiteral("W%1").arg(i));
        if (!again.open() || !again.write(*pos, r.bytes()) || !again.close())
            continue;
        std::printf("%lld W%d\n", static_cast<long long>(*pos), i);
        std::fflush(stdout);
    }
    return 0;
}

int restoreAndDie(const QString &program, const QString &copyName, int killAt)
{
    int replaced = 0;
    Backup::setFaultHook([&](Backup::Step step, const QString &path) {
        if (step == Backup::Step::Replace ? ++replaced == killAt : killAt == 0 && path.contains(u".ripristino."))
            ProcessControl::dieNow();
        return false;
    });
    for (const Backup::Copy &c : Backup::list(QDir(program).filePath(Backup::rootName())))
        if (c.name == copyName)
            return Backup::restore(program, c, QDateTime(QDate(2024, 3, 15), QTime(9, 0))).ok ? 0 : 3;
    return 2;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY); // the test reads the lines byte for byte: "\n", not "\r\n"
#endif
    const QStringList a = app.arguments();
    const QString mode = a.value(1);
    // These runs check where records land, not how long a save waits: a slow disk must not fail them.
    ArchiveFile::setLockTimeoutMs(20000);
    if (mode == QLatin1String("append") && a.size() == 5)
        return appendSlips(a[2], a[3].toInt(), a[4]);
    if (mode == QLatin1String("churn") && a.size() == 4)
        return churn(a[2], a[3]);
    if (mode == QLatin1String("overwrite") && a.size() == 6)
        return overwrite(a[2], a[3].toLongLong(), a[4].toInt(), a[5].toInt());
    if (mode == QLatin1String("read") && a.size() == 6)
        return readUntil(a[2], a[3].toLongLong(), a[4].toInt(), a[5]);
    if (mode == QLatin1String("series") && a.size() == 4)
        return series(a[2], a[3].toInt());
    if (mode == QLatin1String("tear") && a.size() == 5)
        return tear(a[2], a[3].toLongLong(), a[4].toInt());
    if (mode == QLatin1String("hold") && (a.size() == 4 || a.size() == 5))
        return hold(a[2], a[3].toInt(), a.value(4) == QLatin1String("overwrite"));
    if (mode == QLatin1String("holdread") && a.size() == 3)
        return holdRead(a[2]);
    if (mode == QLatin1String("saves") && a.size() == 4)
        return saves(a[2], a[3].toInt());
    if (mode == QLatin1String("restore") && a.size() == 5)
        return restoreAndDie(a[2], a[3], a[4].toInt());
    std::fprintf(stderr, "archive_worker: unknown mode or arguments\n");
    return 64;
}

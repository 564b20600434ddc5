// What a day's safety copy and a restore cost on a full program folder: 100 000 slips (one year's archive),
// 20 000 applicants, a year of deadlines, the settings and 2 000 attachments, against `cp -r` + `sync` of the
// same files in the same run. While the restore runs, another thread saves every 100 ms, as a second
// workstation would, and the longest wait of its saves is reported (a save gives up after 1 s).
// Usage: bench_backup [slips] [applicants] [attachments] [folder]  (the folder defaults to one under /tmp)
#include "agenda/DeadlineRecord.h"
#include "app/Startup.h"
#include "core/ArchiveFile.h"
#include "core/Backup.h"
#include "core/Record.h"
#include "registry/ApplicantRecord.h"
#include "slips/SlipRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <sys/resource.h>

namespace {
bool writeArchive(const QString &path, const RecordLayout &layout, int n, const char *field, const QString &text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    Record r(layout);
    QByteArray block;
    for (int i = 0; i < n; ++i) {
        r.setText(field, text.arg(i));
        block += r.bytes();
        if (block.size() > (4 << 20) || i == n - 1) {
            if (f.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return true;
}

double msSince(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

double shell(const QString &command)
{
    QElapsedTimer t;
    t.start();
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), command});
    return msSince(t);
}

long peakMb()
{
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Startup::registerArchives();
    const int slips = argc > 1 ? atoi(argv[1]) : 100000;
    const int applicants = argc > 2 ? atoi(argv[2]) : 20000;
    const int attachments = argc > 3 ? atoi(argv[3]) : 2000;
    QTemporaryDir tmp(argc > 4 ? QString::fromLocal8Bit(argv[4]) + QStringLiteral("/bench_backup-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/bench_backup-XXXXXX"));
    const QString folder = tmp.path() + QStringLiteral("/Versalia/");
    QDir().mkpath(folder + QStringLiteral("Documenti_Allegati"));
    if (!writeArchive(folder + QStringLiteral("2024.pse"), kSlipLayout, slips, "Esecutore",
                      QStringLiteral("PAGATORE NUMERO %1")) ||
        !writeArchive(folder + QStringLiteral("Richiedenti.pro"), kApplicantLayout, applicants, "Cognome",
                      QStringLiteral("RICHIEDENTE %1")) ||
        !writeArchive(folder + QStringLiteral("2024.sca"), kDeadlineLayout, 5000, "Cliente",
                      QStringLiteral("CLIENTE %1")))
        return 1;
    {
        QFile ini(folder + QStringLiteral("Bollettini.ini"));
        QFile store(folder + QStringLiteral("unins000.dll"));
        if (!ini.open(QIODevice::WriteOnly) || !store.open(QIODevice::WriteOnly))
            return 1;
        ini.write("[Margini Stampa Bollettino PSE]\r\nSuperiore=0\r\nSinistro=0\r\n");
        store.write("[Accesso]\r\nValore=4A5B6C\r\n");
    }
    // Scans and photos of 50 to 250 KB, contents that do not compress.
    QRandomGenerator random(21);
    qint64 attached = 0;
    for (int i = 0; i < attachments; ++i) {
        QByteArray bytes(50 * 1024 + random.bounded(200 * 1024), Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        QFile f(folder + QStringLiteral("Documenti_Allegati/documento %1.pdf").arg(i));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
        attached += bytes.size();
    }
    qint64 bytes = attached;
    for (const QString &source : Backup::sourceFiles(folder))
        bytes += QFileInfo(source).size();
    QProcess::execute(QStringLiteral("sync"), {});

    const QString files = QStringLiteral("%1*.pse %1*.sca %1*.pro %1*.ini %1*.dll %1Documenti_Allegati").arg(folder);
    const double cp = shell(QStringLiteral("mkdir %1cp && cp -r %2 %1cp/ && sync").arg(tmp.path() + u'/', files));
    shell(QStringLiteral("rm -rf %1cp").arg(tmp.path() + u'/'));

    QElapsedTimer t;
    t.start();
    if (Backup::takeDaily(folder, QDate(2024, 3, 14)).outcome != Backup::DailyResult::Taken)
        return 2;
    const double first = msSince(t);
    t.restart();
    if (Backup::takeDaily(folder, QDate(2024, 3, 15)).outcome != Backup::DailyResult::Taken)
        return 2;
    const double second = msSince(t);

    // The day's work: two records changed, ten documents replaced; then back to the 14th.
    {
        ArchiveFile f(folder + QStringLiteral("2024.pse"), kSlipLayout.size());
        Record r(kSlipLayout);
        r.setText("Esecutore", QStringLiteral("CORRETTO"));
        if (!f.open() || !f.write(7, r.bytes()) || !f.write(slips / 2, r.bytes()))
            return 3;
    }
    for (int i = 0; i < qMin(10, attachments); ++i) {
        QFile f(folder + QStringLiteral("Documenti_Allegati/documento %1.pdf").arg(i));
        if (!f.open(QIODevice::ReadWrite) || f.write("RIVISTO") != 7)
            return 3;
    }
    Backup::Copy copy;
    for (const Backup::Copy &c : Backup::list(folder + Backup::rootName()))
        if (c.name == QStringLiteral("2024-03-14"))
            copy = c;

    // The other workstation: a save every 100 ms into the applicants while the restore runs.
    std::atomic<bool> stop{false};
    std::atomic<qint64> longestWait{0};
    std::atomic<int> saved{0}, refused{0};
    QThread *other = QThread::create([&] {
        ArchiveFile::setLockTimeoutMs(1000);
        Record r(kApplicantLayout);
        r.setText("Cognome", QStringLiteral("NUOVO"));
        while (!stop) {
            QElapsedTimer wait;
            wait.start();
            ArchiveFile f(folder + QStringLiteral("Richiedenti.pro"), kApplicantLayout.size());
            const bool ok = f.open() && f.append(r.bytes()) && f.close();
            longestWait = qMax<qint64>(longestWait, wait.elapsed());
            ++(ok ? saved : refused);
            QThread::msleep(100);
        }
    });
    other->start();
    QThread::msleep(150);
    t.restart();
    const Backup::RestoreResult restored = Backup::restore(folder, copy, QDateTime(QDate(2024, 3, 15), QTime(12, 0)));
    const double restore = msSince(t);
    QThread::msleep(150);
    stop = true;
    other->wait();
    delete other;
    if (!restored.ok)
        return 4;

    std::printf("%d slips, %d applicants, %d attachments (%.1f MB of them); %.1f MB in all\n", slips, applicants,
                attachments, attached / 1e6, bytes / 1e6);
    std::printf("cp -r + sync of the same files     %8.0f ms\n", cp);
    std::printf("daily copy, first of its kind       %8.0f ms  (%.2f x cp)\n", first, first / cp);
    std::printf("daily copy, next day                %8.0f ms  (%.2f x cp)\n", second, second / cp);
    std::printf("restore of the first day's copy     %8.0f ms  (%.2f x cp), %lld files put back\n", restore,
                restore / cp, static_cast<long long>(restored.restored.size()));
    std::printf("a save meanwhile every 100 ms      %d saved, %d refused as in use, longest wait %lld ms\n",
                saved.load(), refused.load(), static_cast<long long>(longestWait.load()));
    std::printf("peak memory                         %8ld MB\n", peakMb());
    return 0;
}

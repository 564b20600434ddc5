// Reads a 100 000-slip archive end to end through the archive layer and compares it with one plain
// sequential read of the same file; then times 1 000 appends, each locked and synced to disk as a save
// does, and 1 000 single-record reads. Usage: bench_archive [records]
#include "core/ArchiveFile.h"
#include "core/Record.h"
#include "slips/SlipRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
template <class F> double bestOf(int runs, F f)
{
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2024.pse"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        Record r(kSlipLayout);
        for (int i = 0; i < n; ++i) {
            r.setText("Esecutore", QStringLiteral("PAGATORE NUMERO %1").arg(i));
            r.setText("DataScade", QStringLiteral("15/03/2024"));
            r.setText("Saldato", i % 3 ? FieldCodec::no() : FieldCodec::yes());
            f.write(r.bytes());
        }
    }
    const int payer = kSlipLayout.indexOf("Esecutore");
    const int payerOffset = kSlipLayout.offset(payer);
    qint64 sink = 0;

    const double plain = bestOf(5, [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QByteArray block(1 << 20, Qt::Uninitialized);
        qint64 got;
        while ((got = f.read(block.data(), block.size())) > 0)
            sink += uchar(block[0]) + got;
    });
    const double layer = bestOf(5, [&] {
        ArchiveFile file(path, kSlipLayout.size());
        file.open(ArchiveFile::Mode::ReadOrCreate);
        file.scan([&](const char *rec, qint64) {
            sink += uchar(rec[payerOffset]);
            return true;
        });
    });
    const double decoded = bestOf(5, [&] {
        ArchiveFile file(path, kSlipLayout.size());
        file.open(ArchiveFile::Mode::ReadOrCreate);
        file.scan([&](const char *rec, qint64) {
            sink += FieldCodec::read(rec + payerOffset, 44).size();
            return true;
        });
    });
    // As the editors save: open, append under the lock, sync, close; one record at a time.
    const QString appended = dir.filePath(QStringLiteral("2025.pse"));
    const QByteArray slip = Record(kSlipLayout).bytes();
    QElapsedTimer appendClock;
    appendClock.start();
    for (int i = 0; i < 1000; ++i) {
        ArchiveFile file(appended, kSlipLayout.size());
        if (!file.open() || !file.append(slip) || !file.close())
            return 2;
    }
    const double appends = appendClock.nsecsElapsed() / 1e6;
    const double singleReads = bestOf(3, [&] {
        ArchiveFile file(path, kSlipLayout.size());
        file.open(ArchiveFile::Mode::ReadOrCreate);
        QByteArray rec;
        for (qint64 pos = 1; pos <= 1000; ++pos)
            if (file.read(pos * 97 % n + 1, rec))
                sink += uchar(rec[payerOffset]);
    });

    std::printf("records %d, file %.1f MB\n", n, double(n) * kSlipLayout.size() / 1e6);
    std::printf("plain sequential read      %8.1f ms\n", plain);
    std::printf("archive layer scan         %8.1f ms  (%.2fx plain)\n", layer, layer / plain);
    std::printf("scan + decode payer field  %8.1f ms  (%.2fx plain)\n", decoded, decoded / plain);
    std::printf("1 000 appends, synced      %8.1f ms  (%.2f ms each)\n", appends, appends / 1000);
    std::printf("1 000 single-record reads  %8.1f ms\n", singleReads);
    std::fprintf(stderr, "%lld\n", static_cast<long long>(sink % 7));
    return 0;
}

// Test helper: appends records to an archive the way every writer does, under an exclusive lock over the
// whole file on the file's own handle, and writes each record in two halves with a pause between them,
// so that a reader not honouring the lock would catch a record half written.
//   backup_appender <archive> <record size> <first record number> <count> <pause µs>
// Record n is record size bytes of the value (n % 251) + 1. Prints "pronto" after the first append.

#include "core/FileLock.h"
#include "core/NativeFile.h"

#include <QString>
#include <QThread>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 6)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const long size = std::atol(argv[2]);
    const long first = std::atol(argv[3]);
    const long count = std::atol(argv[4]);
    const long pause = std::atol(argv[5]);
    FileLock::setTimeoutMs(60000);
    for (long n = first; n < first + count; ++n) {
        NativeFile file;
        if (!file.open(path, NativeFile::Access::ReadWrite) ||
            FileLock::lock(file, FileLock::Kind::Exclusive, 0, 0) != FileLock::Result::Got)
            return 1;
        const qint64 end = file.size();
        const QByteArray record(size, char(n % 251 + 1));
        const long half = size / 2;
        if (!file.writeAt(end, record.constData(), half))
            return 1;
        QThread::usleep(pause);
        if (!file.writeAt(end + half, record.constData() + half, size - half))
            return 1;
        FileLock::unlock(file, 0, 0);
        file.close();
        if (n == first) {
            std::puts("pronto");
            std::fflush(stdout);
        }
    }
    return 0;
}

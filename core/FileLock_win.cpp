#include "core/FileLock.h"

#include "core/NativeFile.h"

#include <QThread>

#include <limits>
#include <windows.h>

namespace {
int g_timeoutMs = 1000;

// "To the end and beyond" is everything up to the largest signed offset: past it some file systems and
// servers refuse the range.
constexpr quint64 kEnd = quint64((std::numeric_limits<qint64>::max)());

struct Range {
    OVERLAPPED at{};
    DWORD low = 0, high = 0;
};

Range range(qint64 start, qint64 length)
{
    Range r;
    r.at.Offset = DWORD(quint64(start) & 0xFFFFFFFFu);
    r.at.OffsetHigh = DWORD(quint64(start) >> 32);
    const quint64 n = length > 0 ? quint64(length) : kEnd - quint64(start);
    r.low = DWORD(n & 0xFFFFFFFFu);
    r.high = DWORD(n >> 32);
    return r;
}

HANDLE handleOf(const NativeFile &file)
{
    return reinterpret_cast<HANDLE>(file.native());
}
} // namespace

namespace FileLock {
void setTimeoutMs(int ms)
{
    g_timeoutMs = ms;
}
int timeoutMs()
{
    return g_timeoutMs;
}

// LockFileEx would wait without end on a synchronous handle; failing at once and trying again keeps the wait
// bounded. A holder that is gone (its process ended, its handle closed) has released its ranges.
Result lock(const NativeFile &file, Kind kind, qint64 start, qint64 length, const QDeadlineTimer &until)
{
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    for (;;) {
        Range r = range(start, length);
        if (::LockFileEx(handleOf(file), flags, 0, r.low, r.high, &r.at))
            return Result::Got;
        const DWORD e = ::GetLastError();
        if (e != ERROR_LOCK_VIOLATION && e != ERROR_IO_PENDING)
            return Result::Failed;
        if (until.hasExpired())
            return Result::Busy;
        // Short pauses: a holder that comes back at once would otherwise take every turn.
        QThread::msleep(1);
    }
}

void unlock(const NativeFile &file, qint64 start, qint64 length)
{
    Range r = range(start, length);
    ::UnlockFileEx(handleOf(file), 0, r.low, r.high, &r.at);
}
} // namespace FileLock

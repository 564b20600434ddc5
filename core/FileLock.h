#pragma once
// Byte-range locks on an open file, shared by every copy of the program that uses the same folder, with one
// bounded wait. On Linux they are open-file-description locks (a dead process drops them with it, and two
// descriptors of one process exclude each other); on Windows LockFileEx ranges.

#include <QDeadlineTimer>
#include <QtGlobal>

class NativeFile;

namespace FileLock {
enum class Kind { Shared, Exclusive };
enum class Result {
    Got,
    Busy,   // another holder kept it past the bounded wait
    Failed, // the system refused the lock itself
};

// How long a lock waits for another copy of the program to finish its own operation.
void setTimeoutMs(int ms);
int timeoutMs();

// length 0 locks from start to the end of the file and beyond, so appends are covered too. Waits no longer
// than until: the locks and retries of one operation share one bounded wait.
Result lock(const NativeFile &file, Kind kind, qint64 start, qint64 length, const QDeadlineTimer &until);
inline Result lock(const NativeFile &file, Kind kind, qint64 start, qint64 length)
{
    return lock(file, kind, start, length, QDeadlineTimer(timeoutMs()));
}
// The same start and length as the lock: Windows releases only a range exactly as it was locked.
void unlock(const NativeFile &file, qint64 start, qint64 length);
} // namespace FileLock

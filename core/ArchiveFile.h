#pragma once
// A file of fixed-size records laid end to end. Each user operation opens the file, works and closes it
// (the destructor closes); nothing stays open between two operations. Records count as size div record
// size, so a torn tail left by a crash or an interrupted copy is never read and never shifts an append.
//
// Copies of the program sharing the folder coordinate through open-file-description locks on the archive's
// own descriptor: a dead process drops its locks with it, and no side file can be removed or replaced under
// a running copy. Appends and overwrites hold a write lock, reads a read lock on the bytes they read. An
// overwrite goes through a redo journal beside the archive (path + ".jnl"), so a process killed in the
// middle of it leaves a record either old or new once the next operation has replayed the journal. Where the
// folder allows no journal but the archive may be written, an overwrite is one whole-record write in place,
// synced, under the same lock.
//
// A restore puts another file under the archive's name while holding the old one. Every operation, once it has
// its lock, checks that its descriptor still names the file at the path, and moves to the one there otherwise,
// so nothing lands in a file that is no longer the archive.

#include "core/FileLock.h"
#include "core/NativeFile.h"
#include "core/StorageError.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class ArchiveFile {
public:
    // Test fault points: Open, Read, Write (the in-place write of a record), Append, Sync (the data sync of
    // a write or append), Close.
    enum class Op { Open, Read, Write, Append, Sync, Close };
    enum class Mode {
        ReadWrite,    // editors: open for reading and writing, create when missing
        ReadOrCreate, // lists and searches: open for reading; create empty only when missing
    };

    ArchiveFile(const QString &path, int recordSize);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile &) = delete;
    ArchiveFile &operator=(const ArchiveFile &) = delete;

    bool open(Mode mode = Mode::ReadWrite);
    // False when closing failed; a write of this session is then taken back where still possible.
    bool close();
    qint64 count() const;
    // position is 1-based.
    bool read(qint64 position, QByteArray &record);
    // Overwrites an existing record whole, synced to disk. A position past the last record is refused.
    bool write(qint64 position, const QByteArray &record);
    // Appends at the end as it is under the lock; returns the 1-based position where the record really landed.
    std::optional<qint64> append(const QByteArray &record);
    // One pass over every record in large blocks; visit returns false to stop. False on a read failure.
    bool scan(const std::function<bool(const char *record, qint64 position)> &visit);

    // The last failure; kind None after an operation that succeeded.
    const StorageError &error() const { return m_error; }
    // True when the last failure was another copy of the program holding the archive past the bounded wait.
    bool inUse() const { return m_error.kind == StorageError::Kind::InUse; }
    // The message for the last failure: the in-use text or the access failure message.
    QString failureText() const;

    const QString &path() const { return m_path; }
    int recordSize() const { return m_recordSize; }

    // The whole file as it stands between two writes, read under a read lock over the whole file after any
    // pending journal entry has been replayed, handed to sink a block at a time (one block of memory). accept
    // sees the size under the lock first and may refuse the file. False when the file cannot be opened,
    // locked or read, or when accept or sink said no; error tells which (InUse for a holder past the wait).
    static bool readWhole(const QString &path, const std::function<bool(qint64 size)> &accept,
                          const std::function<bool(const char *data, qint64 size)> &sink,
                          StorageError *error = nullptr);
    // The same, whole into memory: for small files and tests.
    static bool snapshot(const QString &path, QByteArray &bytes);

    // For a restore. holdWhole takes the write lock over the whole open file with the bounded wait (any pending
    // journal entry replayed first) and keeps it until close. While held, readHeld hands the whole file to sink
    // and replaceHeld puts the file at staged under the archive's name in one step, its journal emptied first;
    // the old file stays locked until close, so a writer waiting for it finds it replaced and moves on.
    bool holdWhole();
    bool readHeld(const std::function<bool(const char *data, qint64 size)> &sink);
    bool replaceHeld(const QString &staged);
    static QString journalPath(const QString &archivePath);

    // Tests: an I/O layer that fails on demand. The hook returns true to make that operation fail.
    static void setFaultHook(std::function<bool(Op, const QString &path)> hook);
    // How long an operation waits for another copy of the program to finish its own.
    static void setLockTimeoutMs(int ms);

private:
    bool fault(Op op) const;
    bool openFile();
    bool namesItsPath() const;
    FileLock::Result lockReplaying(FileLock::Kind kind, qint64 start, qint64 length,
                                   const QDeadlineTimer &until = QDeadlineTimer(FileLock::timeoutMs()));
    // Bytes of a range this copy holds locked. Windows locks are mandatory: a range held by a process outside
    // these rules (a copy tool, another program) fails the read itself with EAGAIN, which is waited for like a
    // lock until the deadline and then reported as in use, never as a failure of the disk or a list cut short.
    bool readRange(qint64 offset, char *data, qint64 size, const QDeadlineTimer &until);
    bool readAll(const std::function<bool(qint64)> &accept, const std::function<bool(const char *, qint64)> &sink);
    void unlock(qint64 start, qint64 length) { FileLock::unlock(m_file, start, length); }
    bool overwrite(qint64 offset, const QByteArray &record);
    bool fail(StorageError::Kind kind, int error = 0);
    bool failed(FileLock::Result why);
    void succeed() { m_error = {}; }
    void undoLastWrite();

    QString m_path;
    int m_recordSize;
    NativeFile m_file;
    Mode m_mode = Mode::ReadWrite;
    bool m_writable = false;
    bool m_held = false;
    int m_generation = 0; // counts moves to a new file under the path
    StorageError m_error;
    // What the last write of this session changed, to take it back when closing fails.
    struct Undo {
        qint64 offset = -1;
        QByteArray before; // empty for an append: the file is cut back to offset
        QByteArray after;
    } m_undo;
};

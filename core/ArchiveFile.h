#pragma once
// A file of fixed-size records laid end to end. Each user operation opens the file, works and closes it
// (the destructor closes); nothing stays open between two operations. Records count as size div record
// size, so a torn tail left by a crash or an interrupted copy is never read and never shifts an append.
//
// Copies of the program sharing the folder coordinate through open-file-description locks on the archive's
// own descriptor: a dead process drops its locks with it, and no side file can be removed or replaced under
// a running copy. Appends and overwrites hold a write lock, reads a read lock on the bytes they read. An
// overwrite goes through a redo journal beside the archive (path + ".jnl"), so a process killed in the
// middle of it leaves a record either old or new once the next operation has replayed the journal.

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
    // pending journal entry has been replayed. False when the file cannot be opened, locked or read.
    static bool snapshot(const QString &path, QByteArray &bytes);
    static QString journalPath(const QString &archivePath);

    // Tests: an I/O layer that fails on demand. The hook returns true to make that operation fail.
    static void setFaultHook(std::function<bool(Op, const QString &path)> hook);
    // How long an operation waits for another copy of the program to finish its own.
    static void setLockTimeoutMs(int ms);

private:
    bool fault(Op op) const;
    FileLock::Result lockReplaying(FileLock::Kind kind, qint64 start, qint64 length,
                                   const QDeadlineTimer &until = QDeadlineTimer(FileLock::timeoutMs()));
    // length bytes at offset (length 0: to the end) under a shared lock of them, the bytes read through a
    // pending journal where this copy may not replay it.
    bool readLocked(qint64 offset, qint64 length, QByteArray &bytes);
    void unlock(qint64 start, qint64 length) { FileLock::unlock(m_file, start, length); }
    bool overwrite(qint64 offset, const QByteArray &record);
    bool fail(StorageError::Kind kind, int error = 0);
    bool failed(FileLock::Result why);
    void succeed() { m_error = {}; }
    void undoLastWrite();

    QString m_path;
    int m_recordSize;
    NativeFile m_file;
    bool m_writable = false;
    StorageError m_error;
    // What the last write of this session changed, to take it back when closing fails.
    struct Undo {
        qint64 offset = -1;
        QByteArray before; // empty for an append: the file is cut back to offset
        QByteArray after;
    } m_undo;
};

#include "core/ArchiveFile.h"

#include "core/ArchiveTexts.h"
#include "core/Journal.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>

namespace {
std::function<bool(ArchiveFile::Op, const QString &)> &faultHook()
{
    static std::function<bool(ArchiveFile::Op, const QString &)> h;
    return h;
}
using FileLock::Kind;
using FileLock::Result;
} // namespace

ArchiveFile::ArchiveFile(const QString &path, int recordSize) : m_path(path), m_recordSize(recordSize)
{
    m_error.path = path;
}

ArchiveFile::~ArchiveFile() { close(); }

void ArchiveFile::setFaultHook(std::function<bool(Op, const QString &)> hook) { faultHook() = std::move(hook); }
void ArchiveFile::setLockTimeoutMs(int ms) { FileLock::setTimeoutMs(ms); }

QString ArchiveFile::journalPath(const QString &archivePath) { return Journal::pathFor(archivePath); }

bool ArchiveFile::fault(Op op) const { return faultHook() && faultHook()(op, m_path); }

QString ArchiveFile::failureText() const { return ArchiveTexts::failure(m_error); }

bool ArchiveFile::fail(StorageError::Kind kind, int error)
{
    m_error = {kind, error, m_path};
    return false;
}

bool ArchiveFile::failed(Result why)
{
    return fail(why == Result::Busy ? StorageError::Kind::InUse : StorageError::Kind::IO,
                why == Result::Busy ? 0 : NativeFs::lastError());
}

bool ArchiveFile::open(Mode mode)
{
    succeed();
    if (m_file.isOpen())
        return true;
    if (fault(Op::Open))
        return fail(StorageError::Kind::IO, EIO);
    // The previous version locked through an empty "<archive>.lock" beside the archive; it is no longer used.
    const QString stale = m_path + QStringLiteral(".lock");
    const QFileInfo staleInfo(stale);
    if (staleInfo.isFile() && !staleInfo.isSymLink() && staleInfo.size() == 0)
        QFile::remove(stale);

    if (m_file.openWritableOrReadOnly(m_path, m_writable)) {
        if (!m_writable && mode == Mode::ReadWrite) {
            m_file.close();
            return fail(StorageError::Kind::IO, EACCES);
        }
        return true;
    }
    if (m_file.error() == ENOENT) {
        m_writable = m_file.open(m_path, NativeFile::Access::ReadWrite, NativeFile::Create::IfMissing);
        if (m_writable)
            return true;
    }
    return fail(StorageError::Kind::IO, m_file.error());
}

bool ArchiveFile::close()
{
    if (!m_file.isOpen())
        return true;
    bool ok = !fault(Op::Close);
    if (!m_file.close())
        ok = false;
    if (!ok) {
        fail(StorageError::Kind::IO, m_file.error() ? m_file.error() : EIO);
        if (m_undo.offset >= 0)
            undoLastWrite();
    }
    m_undo = {};
    return ok;
}

qint64 ArchiveFile::count() const
{
    const qint64 size = m_file.isOpen() ? m_file.size() : 0;
    return size > 0 ? size / m_recordSize : 0;
}

// Takes the lock; when an overwrite left a journal entry (its process died), replays it first under a write
// lock over the whole file, so no read or write ever meets the record it may have torn.
Result ArchiveFile::lockReplaying(Kind kind, qint64 start, qint64 length, const QDeadlineTimer &until)
{
    for (;;) {
        const Result got = FileLock::lock(m_file, kind, start, length, until);
        if (got != Result::Got || !m_writable || !Journal::pending(m_path))
            return got;
        const bool whole = kind == Kind::Exclusive && start == 0 && length == 0;
        if (!whole) {
            unlock(start, length);
            const Result all = FileLock::lock(m_file, Kind::Exclusive, 0, 0, until);
            if (all != Result::Got)
                return all;
        }
        const bool replayed = Journal::replay(m_file, m_path);
        if (whole)
            return replayed ? Result::Got : (unlock(0, 0), Result::Failed);
        unlock(0, 0);
        if (!replayed)
            return Result::Failed;
    }
}

// Under the write lock over the whole file: journal entry synced, then the record in place and synced, then
// the journal emptied. Any failure puts the old bytes back.
bool ArchiveFile::overwrite(qint64 offset, const QByteArray &record)
{
    QByteArray before(record.size(), Qt::Uninitialized);
    if (!m_file.readAt(offset, before.data(), before.size()))
        return fail(StorageError::Kind::IO, m_file.error());
    Journal journal;
    if (!journal.begin(m_file, m_path) || !journal.record(offset, record))
        return fail(StorageError::Kind::IO, NativeFs::lastError());
    bool ok = !fault(Op::Write) && m_file.writeAt(offset, record.constData(), record.size());
    ok = ok && !fault(Op::Sync) && m_file.sync();
    if (!ok) {
        fail(StorageError::Kind::IO, m_file.error() ? m_file.error() : EIO);
        // The old bytes could not be put back: the journal stays, so the record ends whole and new.
        if (!(m_file.writeAt(offset, before.constData(), before.size()) && m_file.sync()))
            return false;
    }
    journal.clear();
    if (ok)
        m_undo = {offset, before, record};
    return ok;
}

bool ArchiveFile::read(qint64 position, QByteArray &record)
{
    succeed();
    if (fault(Op::Read) || !m_file.isOpen() || position < 1)
        return fail(StorageError::Kind::IO, EIO);
    return readLocked((position - 1) * m_recordSize, m_recordSize, record);
}

// Windows locks are mandatory: a range held by a process outside these rules (a copy tool, another program)
// fails the read itself, with EAGAIN. That is waited for like a lock, within the same bounded wait, and then
// reported as in use: never as a failure of the disk, never as a list cut short.
bool ArchiveFile::readLocked(qint64 offset, qint64 length, QByteArray &bytes)
{
    const QDeadlineTimer until(FileLock::timeoutMs());
    for (;;) {
        const Result got = lockReplaying(Kind::Shared, offset, length, until);
        if (got != Result::Got)
            return failed(got);
        const qint64 size = m_file.size();
        const qint64 n = length > 0 ? length : size - offset;
        bool ok = size >= 0 && n >= 0 && offset + n <= size;
        if (ok) {
            bytes.resize(n);
            ok = m_file.readAt(offset, bytes.data(), n);
            if (ok && !m_writable)
                Journal::readThrough(m_path, offset, bytes.data(), n);
        }
        const int error = ok ? 0 : size < 0 || offset + n > size ? EIO : m_file.error();
        unlock(offset, length);
        if (ok)
            return true;
        if (error != EAGAIN)
            return fail(StorageError::Kind::IO, error ? error : EIO);
        if (until.hasExpired())
            return fail(StorageError::Kind::InUse);
        QThread::msleep(2);
    }
}

bool ArchiveFile::write(qint64 position, const QByteArray &record)
{
    succeed();
    if (!m_file.isOpen() || !m_writable || position < 1 || record.size() != m_recordSize)
        return fail(StorageError::Kind::IO, m_writable ? EINVAL : EACCES);
    const Result got = lockReplaying(Kind::Exclusive, 0, 0);
    if (got != Result::Got)
        return failed(got);
    // A position past the end would fill the gap with blank records: refused.
    const bool ok = position <= count() ? overwrite((position - 1) * m_recordSize, record)
                                        : fail(StorageError::Kind::IO, EINVAL);
    unlock(0, 0);
    return ok;
}

std::optional<qint64> ArchiveFile::append(const QByteArray &record)
{
    succeed();
    if (fault(Op::Append) || !m_file.isOpen() || !m_writable || record.size() != m_recordSize) {
        fail(StorageError::Kind::IO, EIO);
        return std::nullopt;
    }
    // The lock covers the end of the file and beyond; the end is read again under it, since another copy
    // may have appended meanwhile.
    qint64 lockedFrom = count() * m_recordSize;
    qint64 start = 0;
    for (;;) {
        const Result got = lockReplaying(Kind::Exclusive, lockedFrom, 0);
        if (got != Result::Got) {
            failed(got);
            return std::nullopt;
        }
        start = count() * m_recordSize;
        if (start >= lockedFrom)
            break;
        unlock(lockedFrom, 0);
        lockedFrom = start; // the file was cut short outside the program
    }
    bool ok = m_file.writeAt(start, record.constData(), record.size());
    ok = ok && !fault(Op::Sync) && m_file.sync();
    if (!ok) {
        fail(StorageError::Kind::IO, m_file.error() ? m_file.error() : EIO);
        m_file.resize(start);
    }
    unlock(lockedFrom, 0);
    if (!ok)
        return std::nullopt;
    m_undo = {start, {}, record};
    return start / m_recordSize + 1;
}

bool ArchiveFile::scan(const std::function<bool(const char *, qint64)> &visit)
{
    succeed();
    if (fault(Op::Read) || !m_file.isOpen())
        return fail(StorageError::Kind::IO, EIO);
    const qint64 total = count();
    const qint64 perBlock = qMax<qint64>(1, (1 << 20) / m_recordSize);
    QByteArray block;
    qint64 position = 0;
    while (position < total) {
        const qint64 n = qMin(perBlock, total - position);
        // Each block under a read lock of its own: a long scan never holds off a writer for long.
        if (!readLocked(position * m_recordSize, n * m_recordSize, block))
            return false;
        for (qint64 i = 0; i < n; ++i)
            if (!visit(block.constData() + i * m_recordSize, ++position))
                return true;
    }
    return true;
}

// A failed close may mean the data never reached the disk: take the write back while it is still the last
// thing there, so the user's "not saved" holds.
void ArchiveFile::undoLastWrite()
{
    const Undo undo = m_undo;
    const StorageError why = m_error;
    if (!m_file.openWritableOrReadOnly(m_path, m_writable))
        return;
    if (m_writable && lockReplaying(Kind::Exclusive, 0, 0) == Result::Got) {
        QByteArray now(undo.after.size(), Qt::Uninitialized);
        if (m_file.readAt(undo.offset, now.data(), now.size()) && now == undo.after) {
            if (undo.before.isEmpty()) {
                if (m_file.size() == undo.offset + undo.after.size() && m_file.resize(undo.offset))
                    m_file.sync();
            } else {
                overwrite(undo.offset, undo.before);
            }
        }
        unlock(0, 0);
    }
    m_file.close();
    m_error = why;
}

bool ArchiveFile::snapshot(const QString &path, QByteArray &bytes)
{
    ArchiveFile file(path, 1);
    return file.m_file.openWritableOrReadOnly(path, file.m_writable) && file.readLocked(0, 0, bytes);
}

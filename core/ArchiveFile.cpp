#include "core/ArchiveFile.h"

#include "core/ArchiveTexts.h"
#include "core/Journal.h"

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
// How many times one operation follows the archive to a new file before it gives up.
constexpr int kMoves = 8;
constexpr qint64 kBlock = 1 << 20;
} // namespace

ArchiveFile::ArchiveFile(const QString &path, int recordSize) : m_path(path), m_recordSize(recordSize)
{
    m_error.path = path;
}

ArchiveFile::~ArchiveFile()
{
    close();
}

void ArchiveFile::setFaultHook(std::function<bool(Op, const QString &)> hook)
{
    faultHook() = std::move(hook);
}
void ArchiveFile::setLockTimeoutMs(int ms)
{
    FileLock::setTimeoutMs(ms);
}

QString ArchiveFile::journalPath(const QString &archivePath)
{
    return Journal::pathFor(archivePath);
}

bool ArchiveFile::fault(Op op) const
{
    return faultHook() && faultHook()(op, m_path);
}

QString ArchiveFile::failureText() const
{
    return ArchiveTexts::failure(m_error);
}

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
    const FileStatus staleInfo = NativeFs::status(stale);
    if (staleInfo.kind == FileStatus::Kind::File && staleInfo.size == 0)
        NativeFs::removeFile(stale);
    m_mode = mode;
    if (openFile())
        return true;
    return m_error ? false : fail(StorageError::Kind::IO, m_file.error());
}

// The file now at the path, created empty when missing.
bool ArchiveFile::openFile()
{
    if (m_file.openWritableOrReadOnly(m_path, m_writable)) {
        if (!m_writable && m_mode == Mode::ReadWrite) {
            m_file.close();
            fail(StorageError::Kind::IO, EACCES);
            return false;
        }
        return true;
    }
    if (m_file.error() == ENOENT) {
        m_writable = m_file.open(m_path, NativeFile::Access::ReadWrite, NativeFile::Create::IfMissing);
        return m_writable;
    }
    return false;
}

bool ArchiveFile::namesItsPath() const
{
    const FileId mine = m_file.id();
    return mine.valid() && mine == NativeFs::idOf(m_path, true);
}

bool ArchiveFile::close()
{
    if (!m_file.isOpen())
        return true;
    if (m_held) {
        unlock(0, 0);
        m_held = false;
    }
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

// Takes the lock on the file that is the archive now; when an overwrite left a journal entry (its process
// died), replays it first under a write lock over the whole file, so no read or write ever meets the record it
// may have torn.
Result ArchiveFile::lockReplaying(Kind kind, qint64 start, qint64 length, const QDeadlineTimer &until)
{
    for (int moves = 0;;) {
        const Result got = FileLock::lock(m_file, kind, start, length, until);
        if (got != Result::Got)
            return got;
        if (!namesItsPath()) {
            // Another file took the archive's name while this one waited (a restore): work on that one.
            unlock(start, length);
            m_file.close();
            if (++moves > kMoves || !openFile())
                return Result::Failed;
            ++m_generation;
            continue;
        }
        if (!m_writable || !Journal::pending(m_path))
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
// the journal emptied. Any failure puts the old bytes back. Where the folder allows no journal (shared
// read-only with writable files), the record is written in place alone: one whole write, synced.
bool ArchiveFile::overwrite(qint64 offset, const QByteArray &record)
{
    QByteArray before(record.size(), Qt::Uninitialized);
    if (!m_file.readAt(offset, before.data(), before.size()))
        return fail(StorageError::Kind::IO, m_file.error());
    Journal journal;
    const bool journaled = journal.begin(m_file, m_path);
    if (!journaled && !NativeFs::isDenied(journal.error()))
        return fail(StorageError::Kind::IO, journal.error());
    if (journaled && !journal.record(offset, record))
        return fail(StorageError::Kind::IO, journal.error());
    bool ok = !fault(Op::Write) && m_file.writeAt(offset, record.constData(), record.size());
    ok = ok && !fault(Op::Sync) && m_file.sync();
    if (!ok) {
        fail(StorageError::Kind::IO, m_file.error() ? m_file.error() : EIO);
        // The old bytes could not be put back: the journal stays, so the record ends whole and new.
        if (!(m_file.writeAt(offset, before.constData(), before.size()) && m_file.sync()))
            return false;
    }
    if (journaled)
        journal.clear();
    if (ok)
        m_undo = {offset, before, record};
    return ok;
}

bool ArchiveFile::readRange(qint64 offset, char *data, qint64 size, const QDeadlineTimer &until)
{
    for (;;) {
        if (m_file.readAt(offset, data, size))
            return true;
        if (m_file.error() != EAGAIN)
            return fail(StorageError::Kind::IO, m_file.error() ? m_file.error() : EIO);
        if (until.hasExpired())
            return fail(StorageError::Kind::InUse);
        QThread::msleep(2);
    }
}

bool ArchiveFile::read(qint64 position, QByteArray &record)
{
    succeed();
    if (fault(Op::Read) || !m_file.isOpen() || position < 1)
        return fail(StorageError::Kind::IO, EIO);
    const qint64 offset = (position - 1) * m_recordSize;
    const QDeadlineTimer until(FileLock::timeoutMs());
    const Result got = lockReplaying(Kind::Shared, offset, m_recordSize, until);
    if (got != Result::Got)
        return failed(got);
    bool ok = position <= count() || fail(StorageError::Kind::IO, EINVAL);
    if (ok) {
        record.resize(m_recordSize);
        ok = readRange(offset, record.data(), m_recordSize, until);
        if (ok && !m_writable)
            Journal::readThrough(m_file, m_path, offset, record.data(), m_recordSize);
    }
    unlock(offset, m_recordSize);
    return ok;
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
    const bool ok =
        position <= count() ? overwrite((position - 1) * m_recordSize, record) : fail(StorageError::Kind::IO, EINVAL);
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
    const int generation = m_generation;
    QByteArray block;
    qint64 position = 0;
    while (position < total) {
        const qint64 n = qMin(perBlock, total - position);
        const qint64 offset = position * m_recordSize;
        block.resize(n * m_recordSize);
        // Each block under a read lock of its own: a long scan never holds off a writer for long.
        const QDeadlineTimer until(FileLock::timeoutMs());
        const Result got = lockReplaying(Kind::Shared, offset, block.size(), until);
        if (got != Result::Got)
            return failed(got);
        if (m_generation != generation) {
            // The archive was replaced half way (a restore): the pass would mix two files.
            unlock(offset, block.size());
            return fail(StorageError::Kind::InUse);
        }
        const bool ok = readRange(offset, block.data(), block.size(), until);
        if (ok && !m_writable)
            Journal::readThrough(m_file, m_path, offset, block.data(), block.size());
        unlock(offset, block.size());
        if (!ok)
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

bool ArchiveFile::readAll(const std::function<bool(qint64)> &accept,
                          const std::function<bool(const char *, qint64)> &sink)
{
    const QDeadlineTimer until(FileLock::timeoutMs());
    const Result got = lockReplaying(Kind::Shared, 0, 0, until);
    if (got != Result::Got)
        return failed(got);
    const qint64 size = m_file.size();
    bool ok = size >= 0 || fail(StorageError::Kind::IO, m_file.error());
    ok = ok && (!accept || accept(size) || fail(StorageError::Kind::Format));
    QByteArray block;
    for (qint64 at = 0; ok && at < size; at += block.size()) {
        block.resize(qMin(kBlock, size - at));
        ok = readRange(at, block.data(), block.size(), until);
        if (ok && !m_writable)
            Journal::readThrough(m_file, m_path, at, block.data(), block.size());
        ok = ok && (sink(block.constData(), block.size()) || fail(StorageError::Kind::IO, EIO));
    }
    unlock(0, 0);
    return ok;
}

bool ArchiveFile::readWhole(const QString &path, const std::function<bool(qint64)> &accept,
                            const std::function<bool(const char *, qint64)> &sink, StorageError *error)
{
    ArchiveFile file(path, 1);
    file.m_mode = Mode::ReadOrCreate;
    const bool ok = (file.m_file.openWritableOrReadOnly(path, file.m_writable) ||
                     file.fail(StorageError::Kind::IO, file.m_file.error())) &&
                    file.readAll(accept, sink);
    if (error)
        *error = file.m_error;
    return ok;
}

bool ArchiveFile::snapshot(const QString &path, QByteArray &bytes)
{
    bytes.clear();
    return readWhole(path, {}, [&bytes](const char *data, qint64 size) {
        bytes.append(data, size);
        return true;
    });
}

bool ArchiveFile::holdWhole()
{
    succeed();
    if (!m_file.isOpen() || !m_writable)
        return fail(StorageError::Kind::IO, EACCES);
    const Result got = lockReplaying(Kind::Exclusive, 0, 0);
    if (got != Result::Got)
        return failed(got);
    m_held = true;
    return true;
}

bool ArchiveFile::readHeld(const std::function<bool(const char *, qint64)> &sink)
{
    if (!m_held)
        return fail(StorageError::Kind::IO, EINVAL);
    const qint64 size = m_file.size();
    if (size < 0)
        return fail(StorageError::Kind::IO, m_file.error());
    QByteArray block;
    for (qint64 at = 0; at < size; at += block.size()) {
        block.resize(qMin(kBlock, size - at));
        if (!readRange(at, block.data(), block.size(), QDeadlineTimer(FileLock::timeoutMs())))
            return false;
        if (!sink(block.constData(), block.size()))
            return fail(StorageError::Kind::IO, EIO);
    }
    return true;
}

bool ArchiveFile::replaceHeld(const QString &staged)
{
    if (!m_held)
        return fail(StorageError::Kind::IO, EINVAL);
    // Emptied while no other copy can write it: after the rename it belongs to the new file.
    if (!Journal::discard(m_path) || !NativeFs::replace(staged, m_path))
        return fail(StorageError::Kind::IO, NativeFs::lastError());
    return true;
}

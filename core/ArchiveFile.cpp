#include "core/ArchiveFile.h"

#include "core/ArchiveTexts.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <QtEndian>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::function<bool(ArchiveFile::Op, const QString &)> &faultHook()
{
    static std::function<bool(ArchiveFile::Op, const QString &)> h;
    return h;
}
// Long enough to outlast any other copy's write, short enough that a stopped workstation never freezes this one.
int g_lockTimeoutMs = 1000;

// Journal entry: magic, byte offset in the archive, length, the record bytes, SHA-1 of everything before it.
constexpr char kJournalMagic[8] = {'V', 'R', 'S', 'J', 'N', 'L', '0', '1'};
constexpr int kJournalHeader = 8 + 8 + 4;
constexpr int kJournalHash = 20;

bool writeAll(int fd, const char *data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool readAll(int fd, char *data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

qint64 sizeOf(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? qint64(st.st_size) : -1;
}

// Interrupts a blocking lock wait of the calling thread every few milliseconds. The signal's handler does
// nothing: its only effect is the EINTR that ends the wait.
class WakeTimer {
public:
    WakeTimer()
    {
        static const int sig = [] {
            struct sigaction sa {};
            sa.sa_handler = [](int) {};
            sigemptyset(&sa.sa_mask);
            sa.sa_flags = 0; // no SA_RESTART: the wait must end
            return ::sigaction(SIGRTMIN + 5, &sa, nullptr) == 0 ? SIGRTMIN + 5 : 0;
        }();
        if (sig == 0)
            return;
        struct sigevent ev {};
        ev.sigev_notify = SIGEV_THREAD_ID;
        ev.sigev_signo = sig;
        ev._sigev_un._tid = ::gettid();
        if (::timer_create(CLOCK_MONOTONIC, &ev, &m_timer) != 0)
            return;
        struct itimerspec every {};
        every.it_value.tv_nsec = every.it_interval.tv_nsec = 20 * 1000 * 1000;
        m_armed = ::timer_settime(m_timer, 0, &every, nullptr) == 0;
        if (!m_armed)
            ::timer_delete(m_timer);
    }
    ~WakeTimer()
    {
        if (m_armed)
            ::timer_delete(m_timer);
    }
    bool armed() const { return m_armed; }

private:
    timer_t m_timer{};
    bool m_armed = false;
};

QByteArray journalEntry(qint64 offset, const QByteArray &record)
{
    QByteArray e(kJournalHeader, Qt::Uninitialized);
    memcpy(e.data(), kJournalMagic, 8);
    qToLittleEndian<qint64>(offset, e.data() + 8);
    qToLittleEndian<qint32>(qint32(record.size()), e.data() + 16);
    e += record;
    e += QCryptographicHash::hash(e, QCryptographicHash::Sha1);
    return e;
}

// Opens an existing archive for reading and writing, or only for reading where writing is not allowed.
int openExisting(const QByteArray &name, bool &writable)
{
    int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    writable = fd >= 0;
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    return fd;
}
} // namespace

ArchiveFile::ArchiveFile(const QString &path, int recordSize) : m_path(path), m_recordSize(recordSize) {}

ArchiveFile::~ArchiveFile() { close(); }

void ArchiveFile::setFaultHook(std::function<bool(Op, const QString &)> hook) { faultHook() = std::move(hook); }
void ArchiveFile::setLockTimeoutMs(int ms) { g_lockTimeoutMs = ms; }

QString ArchiveFile::journalPath(const QString &archivePath) { return archivePath + QStringLiteral(".jnl"); }

bool ArchiveFile::fault(Op op) const { return faultHook() && faultHook()(op, m_path); }

QString ArchiveFile::failureText() const
{
    return m_inUse ? ArchiveTexts::inUse() : ArchiveTexts::accessFailure();
}

bool ArchiveFile::open(Mode mode)
{
    m_inUse = false;
    if (m_fd >= 0)
        return true;
    if (fault(Op::Open))
        return false;
    const QByteArray name = QFile::encodeName(m_path);
    // The previous version locked through an empty "<archive>.lock" beside the archive; it is no longer used.
    const QByteArray stale = QFile::encodeName(m_path + QStringLiteral(".lock"));
    struct stat st {};
    if (::lstat(stale.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0)
        ::unlink(stale.constData());

    m_fd = openExisting(name, m_writable);
    if (m_fd >= 0 && !m_writable && mode == Mode::ReadWrite) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    if (m_fd < 0 && errno == ENOENT) {
        m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        m_writable = m_fd >= 0;
    }
    return m_fd >= 0;
}

bool ArchiveFile::close()
{
    if (m_fd < 0)
        return true;
    bool ok = !fault(Op::Close);
    if (::close(m_fd) != 0)
        ok = false;
    m_fd = -1;
    if (!ok && m_undo.offset >= 0)
        undoLastWrite();
    m_undo = {};
    return ok;
}

qint64 ArchiveFile::count() const
{
    const qint64 size = m_fd >= 0 ? sizeOf(m_fd) : 0;
    return size > 0 ? size / m_recordSize : 0;
}

ArchiveFile::Lock ArchiveFile::lock(short type, qint64 start, qint64 length)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(start);
    fl.l_len = off_t(length);
    if (::fcntl(m_fd, F_OFD_SETLK, &fl) == 0)
        return Lock::Got;
    if (errno != EAGAIN && errno != EACCES && errno != EINTR)
        return Lock::Failed;
    // Busy: wait in the kernel's queue, which hands the lock over in turn (polling lets a busy copy starve
    // the others), woken by a timer of this thread to look at the deadline.
    const QDeadlineTimer deadline(g_lockTimeoutMs);
    WakeTimer wake;
    for (;;) {
        if (deadline.hasExpired())
            return Lock::Busy;
        if (::fcntl(m_fd, wake.armed() ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0)
            return Lock::Got;
        if (errno != EINTR && errno != EAGAIN && errno != EACCES)
            return Lock::Failed;
        if (!wake.armed())
            QThread::msleep(2);
    }
}

void ArchiveFile::unlock(qint64 start, qint64 length)
{
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(start);
    fl.l_len = off_t(length);
    ::fcntl(m_fd, F_OFD_SETLK, &fl);
}

// Takes the lock; when an overwrite left a journal entry (its process died), replays it first under a write
// lock over the whole file, so no read or write ever meets the record it may have torn.
ArchiveFile::Lock ArchiveFile::lockReplaying(short type, qint64 start, qint64 length)
{
    const QByteArray journal = QFile::encodeName(journalPath(m_path));
    for (;;) {
        const Lock got = lock(type, start, length);
        struct stat st {};
        if (got != Lock::Got || !m_writable || ::stat(journal.constData(), &st) != 0 || st.st_size == 0)
            return got;
        const bool whole = type == F_WRLCK && start == 0 && length == 0;
        if (!whole) {
            unlock(start, length);
            const Lock all = lock(F_WRLCK, 0, 0);
            if (all != Lock::Got)
                return all;
        }
        const bool replayed = replayJournal();
        if (whole)
            return replayed ? Lock::Got : (unlock(0, 0), Lock::Failed);
        unlock(0, 0);
        if (!replayed)
            return Lock::Failed;
    }
}

// The complete entry of an open journal: where its bytes go and what they are. Nothing for an empty,
// incomplete or damaged journal.
struct ArchiveFile::JournalEntry {
    qint64 offset;
    QByteArray bytes;
};

std::optional<ArchiveFile::JournalEntry> ArchiveFile::readJournal(int jfd)
{
    const qint64 size = sizeOf(jfd);
    if (size < kJournalHeader + kJournalHash || size > kJournalHeader + kJournalHash + (1 << 20))
        return std::nullopt;
    QByteArray e(size, Qt::Uninitialized);
    if (!readAll(jfd, e.data(), size, 0) || memcmp(e.constData(), kJournalMagic, 8) != 0)
        return std::nullopt;
    const qint64 offset = qFromLittleEndian<qint64>(e.constData() + 8);
    const qint32 length = qFromLittleEndian<qint32>(e.constData() + 16);
    if (offset < 0 || length < 0 || size != kJournalHeader + length + kJournalHash ||
        QCryptographicHash::hash(e.left(kJournalHeader + length), QCryptographicHash::Sha1) != e.right(kJournalHash))
        return std::nullopt;
    return JournalEntry{offset, e.mid(kJournalHeader, length)};
}

// Under the write lock over the whole file. A complete entry is written again in place; an incomplete one
// is dropped, since its overwrite never started.
bool ArchiveFile::replayJournal()
{
    const int jfd = ::open(QFile::encodeName(journalPath(m_path)).constData(), O_RDWR | O_CLOEXEC);
    if (jfd < 0)
        return errno == ENOENT;
    bool ok = true;
    if (const auto entry = readJournal(jfd); entry && entry->offset + entry->bytes.size() <= sizeOf(m_fd))
        ok = writeAll(m_fd, entry->bytes.constData(), entry->bytes.size(), entry->offset) && ::fdatasync(m_fd) == 0;
    // Kept when the replay failed: the next operation tries again.
    if (ok && ::ftruncate(jfd, 0) != 0)
        ok = false;
    ::close(jfd);
    return ok;
}

// A reader that may not write cannot replay a journal: it reads through it instead, so it sees the record a
// dead writer may have torn as the journal holds it.
void ArchiveFile::readThroughJournal(qint64 offset, char *data, qint64 size) const
{
    struct stat st {};
    if (m_writable || ::stat(QFile::encodeName(journalPath(m_path)).constData(), &st) != 0 || st.st_size == 0)
        return;
    const int jfd = ::open(QFile::encodeName(journalPath(m_path)).constData(), O_RDONLY | O_CLOEXEC);
    if (jfd < 0)
        return;
    if (const auto entry = readJournal(jfd)) {
        const qint64 from = qMax(offset, entry->offset);
        const qint64 to = qMin(offset + size, entry->offset + entry->bytes.size());
        if (from < to)
            memcpy(data + (from - offset), entry->bytes.constData() + (from - entry->offset), size_t(to - from));
    }
    ::close(jfd);
}

// Under the write lock over the whole file: journal entry synced, then the record in place and synced, then
// the journal emptied. Any failure puts the old bytes back.
bool ArchiveFile::overwrite(qint64 offset, const QByteArray &record)
{
    QByteArray before(record.size(), Qt::Uninitialized);
    if (!readAll(m_fd, before.data(), before.size(), offset))
        return false;
    const QByteArray journal = QFile::encodeName(journalPath(m_path));
    const int jfd = ::open(journal.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (jfd < 0)
        return false;
    // Whoever may write the archive must be able to write its journal too, whatever the creator's umask.
    struct stat ast {}, jst {};
    if (::fstat(m_fd, &ast) == 0 && ::fstat(jfd, &jst) == 0 && jst.st_uid == ::geteuid() &&
        (jst.st_mode & 0666) != (ast.st_mode & 0666))
        ::fchmod(jfd, ast.st_mode & 0666);

    const QByteArray entry = journalEntry(offset, record);
    if (!writeAll(jfd, entry.constData(), entry.size(), 0) || ::ftruncate(jfd, entry.size()) != 0 ||
        ::fdatasync(jfd) != 0) {
        (void)::ftruncate(jfd, 0);
        ::close(jfd);
        return false;
    }
    bool ok = !fault(Op::Write) && writeAll(m_fd, record.constData(), record.size(), offset);
    ok = ok && !fault(Op::Sync) && ::fdatasync(m_fd) == 0;
    if (!ok && !(writeAll(m_fd, before.constData(), before.size(), offset) && ::fdatasync(m_fd) == 0)) {
        // The old bytes could not be put back: the journal stays, so the record ends whole and new.
        ::close(jfd);
        return false;
    }
    (void)::ftruncate(jfd, 0);
    ::close(jfd);
    if (ok)
        m_undo = {offset, before, record};
    return ok;
}

bool ArchiveFile::failed(Lock why)
{
    m_inUse = why == Lock::Busy;
    return false;
}

bool ArchiveFile::read(qint64 position, QByteArray &record)
{
    m_inUse = false;
    if (fault(Op::Read) || m_fd < 0 || position < 1)
        return false;
    const qint64 offset = (position - 1) * m_recordSize;
    const Lock got = lockReplaying(F_RDLCK, offset, m_recordSize);
    if (got != Lock::Got)
        return failed(got);
    bool ok = position <= count();
    if (ok) {
        record.resize(m_recordSize);
        ok = readAll(m_fd, record.data(), m_recordSize, offset);
        readThroughJournal(offset, record.data(), m_recordSize);
    }
    unlock(offset, m_recordSize);
    return ok;
}

bool ArchiveFile::write(qint64 position, const QByteArray &record)
{
    m_inUse = false;
    if (m_fd < 0 || !m_writable || position < 1 || record.size() != m_recordSize)
        return false;
    const Lock got = lockReplaying(F_WRLCK, 0, 0);
    if (got != Lock::Got)
        return failed(got);
    // A position past the end would fill the gap with blank records: refused.
    const bool ok = position <= count() && overwrite((position - 1) * m_recordSize, record);
    unlock(0, 0);
    return ok;
}

std::optional<qint64> ArchiveFile::append(const QByteArray &record)
{
    m_inUse = false;
    if (fault(Op::Append) || m_fd < 0 || !m_writable || record.size() != m_recordSize)
        return std::nullopt;
    // The lock covers the end of the file and beyond; the end is read again under it, since another copy
    // may have appended meanwhile.
    qint64 lockedFrom = count() * m_recordSize;
    qint64 start = 0;
    for (;;) {
        const Lock got = lockReplaying(F_WRLCK, lockedFrom, 0);
        if (got != Lock::Got) {
            failed(got);
            return std::nullopt;
        }
        start = count() * m_recordSize;
        if (start >= lockedFrom)
            break;
        unlock(lockedFrom, 0);
        lockedFrom = start; // the file was cut short outside the program
    }
    bool ok = writeAll(m_fd, record.constData(), record.size(), start);
    ok = ok && !fault(Op::Sync) && ::fdatasync(m_fd) == 0;
    if (!ok)
        (void)::ftruncate(m_fd, start);
    unlock(lockedFrom, 0);
    if (!ok)
        return std::nullopt;
    m_undo = {start, {}, record};
    return start / m_recordSize + 1;
}

bool ArchiveFile::scan(const std::function<bool(const char *, qint64)> &visit)
{
    m_inUse = false;
    if (fault(Op::Read) || m_fd < 0)
        return false;
    const qint64 total = count();
    const qint64 perBlock = qMax<qint64>(1, (1 << 20) / m_recordSize);
    QByteArray block;
    qint64 position = 0;
    while (position < total) {
        const qint64 n = qMin(perBlock, total - position);
        const qint64 offset = position * m_recordSize;
        block.resize(n * m_recordSize);
        // Each block under a read lock of its own: a long scan never holds off a writer for long.
        const Lock got = lockReplaying(F_RDLCK, offset, block.size());
        if (got != Lock::Got)
            return failed(got);
        const bool ok = readAll(m_fd, block.data(), block.size(), offset);
        readThroughJournal(offset, block.data(), block.size());
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
    m_fd = openExisting(QFile::encodeName(m_path), m_writable);
    if (m_fd < 0)
        return;
    if (m_writable && lockReplaying(F_WRLCK, 0, 0) == Lock::Got) {
        QByteArray now(undo.after.size(), Qt::Uninitialized);
        if (readAll(m_fd, now.data(), now.size(), undo.offset) && now == undo.after) {
            if (undo.before.isEmpty()) {
                if (sizeOf(m_fd) == undo.offset + undo.after.size() && ::ftruncate(m_fd, undo.offset) == 0)
                    ::fdatasync(m_fd);
            } else {
                overwrite(undo.offset, undo.before);
            }
        }
        unlock(0, 0);
    }
    ::close(m_fd);
    m_fd = -1;
}

bool ArchiveFile::snapshot(const QString &path, QByteArray &bytes)
{
    ArchiveFile file(path, 1);
    file.m_fd = openExisting(QFile::encodeName(path), file.m_writable);
    if (file.m_fd < 0 || file.lockReplaying(F_RDLCK, 0, 0) != Lock::Got)
        return false;
    const qint64 size = sizeOf(file.m_fd);
    bool ok = size >= 0;
    if (ok) {
        bytes.resize(size);
        ok = readAll(file.m_fd, bytes.data(), size, 0);
        file.readThroughJournal(0, bytes.data(), size);
    }
    file.unlock(0, 0);
    return ok;
}

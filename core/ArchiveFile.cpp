#include "core/ArchiveFile.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace {
std::function<bool(ArchiveFile::Op, const QString &)> &faultHook()
{
    static std::function<bool(ArchiveFile::Op, const QString &)> h;
    return h;
}
int g_lockTimeoutMs = 10000;

// The lock lives in a file beside the archive that holds no data, created once and never removed, so
// readers are never blocked (byte-range locks are mandatory on SMB shares). One descriptor per lock file
// for the whole process: a POSIX record lock is dropped when any descriptor of that file is closed.
class AppendLock {
public:
    explicit AppendLock(const QString &archivePath) : m_path(archivePath + QStringLiteral(".lock")) {}
    ~AppendLock() { release(); }
    bool acquire(int timeoutMs);

private:
    void release();
    QString m_path;
    bool m_held = false;
#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    std::unique_ptr<QLockFile> m_lock;
#endif
};

#ifdef Q_OS_UNIX
int lockDescriptor(const QString &path)
{
    static QHash<QString, int> fds;
    auto it = fds.find(path);
    if (it != fds.end())
        return it.value();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0)
        fds.insert(path, fd);
    return fd;
}

bool AppendLock::acquire(int timeoutMs)
{
    m_fd = lockDescriptor(m_path);
    if (m_fd < 0)
        return false;
    QDeadlineTimer deadline(timeoutMs);
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    for (;;) {
        if (::fcntl(m_fd, F_SETLK, &fl) == 0) {
            m_held = true;
            return true;
        }
        if ((errno != EACCES && errno != EAGAIN && errno != EINTR) || deadline.hasExpired())
            return false;
        QThread::msleep(2);
    }
}

void AppendLock::release()
{
    if (!m_held)
        return;
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    ::fcntl(m_fd, F_SETLK, &fl);
    m_held = false;
}
#else
bool AppendLock::acquire(int timeoutMs)
{
    m_lock = std::make_unique<QLockFile>(m_path);
    m_held = m_lock->tryLock(timeoutMs);
    return m_held;
}
void AppendLock::release()
{
    if (m_held)
        m_lock->unlock();
    m_held = false;
}
#endif
} // namespace

ArchiveFile::ArchiveFile(const QString &path, int recordSize) : m_path(path), m_recordSize(recordSize), m_file(path) {}

ArchiveFile::~ArchiveFile() { close(); }

void ArchiveFile::setFaultHook(std::function<bool(Op, const QString &)> hook) { faultHook() = std::move(hook); }
void ArchiveFile::setLockTimeoutMs(int ms) { g_lockTimeoutMs = ms; }

bool ArchiveFile::fault(Op op) const { return faultHook() && faultHook()(op, m_path); }

bool ArchiveFile::open(Mode mode)
{
    if (fault(Op::Open))
        return false;
    if (mode == Mode::ReadOrCreate) {
        if (m_file.open(QIODevice::ReadOnly))
            return true;
        if (QFileInfo::exists(m_path))
            return false;
    }
    return m_file.open(QIODevice::ReadWrite);
}

void ArchiveFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

qint64 ArchiveFile::count() const { return m_file.isOpen() ? m_file.size() / m_recordSize : 0; }

bool ArchiveFile::read(qint64 position, QByteArray &record)
{
    if (fault(Op::Read) || position < 1 || position > count())
        return false;
    if (!m_file.seek((position - 1) * m_recordSize))
        return false;
    record = m_file.read(m_recordSize);
    return record.size() == m_recordSize;
}

bool ArchiveFile::write(qint64 position, const QByteArray &record)
{
    if (fault(Op::Write) || position < 1 || record.size() != m_recordSize)
        return false;
    if (!m_file.seek((position - 1) * m_recordSize))
        return false;
    return m_file.write(record) == m_recordSize && m_file.flush();
}

std::optional<qint64> ArchiveFile::append(const QByteArray &record)
{
    if (fault(Op::Append) || record.size() != m_recordSize)
        return std::nullopt;
    AppendLock lock(m_path);
    if (!lock.acquire(g_lockTimeoutMs))
        return std::nullopt;
    // The size must be read under the lock: another copy may have appended since this file was opened.
    const qint64 size = QFileInfo(m_path).size();
    const qint64 position = size / m_recordSize + 1;
    if (!m_file.seek((position - 1) * m_recordSize))
        return std::nullopt;
    if (m_file.write(record) != m_recordSize || !m_file.flush())
        return std::nullopt;
    return position;
}

bool ArchiveFile::scan(const std::function<bool(const char *, qint64)> &visit)
{
    if (fault(Op::Read))
        return false;
    if (!m_file.seek(0))
        return false;
    const qint64 total = count();
    const qint64 perBlock = qMax<qint64>(1, (1 << 20) / m_recordSize);
    QByteArray block;
    qint64 position = 0;
    while (position < total) {
        const qint64 n = qMin(perBlock, total - position);
        block.resize(n * m_recordSize);
        if (m_file.read(block.data(), block.size()) != block.size())
            return false;
        for (qint64 i = 0; i < n; ++i)
            if (!visit(block.constData() + i * m_recordSize, ++position))
                return true;
    }
    return true;
}

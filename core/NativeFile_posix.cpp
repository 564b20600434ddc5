#include "core/NativeFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int fd(qintptr h) { return int(h); }
} // namespace

bool NativeFile::open(const QString &path, Access access, Create create, bool noFollow)
{
    close();
    int flags = (access == Access::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    if (noFollow || create == Create::New)
        flags |= O_NOFOLLOW;
    if (create == Create::IfMissing)
        flags |= O_CREAT;
    else if (create == Create::New)
        flags |= O_CREAT | O_EXCL;
    const QByteArray name = QFile::encodeName(path);
    int h;
    do
        h = ::open(name.constData(), flags, 0666);
    while (h < 0 && errno == EINTR);
    if (h < 0) {
        m_error = errno;
        return false;
    }
    m_handle = h;
    return true;
}

bool NativeFile::close()
{
    if (m_handle == kNone)
        return true;
    const bool ok = ::close(fd(m_handle)) == 0;
    if (!ok)
        m_error = errno;
    m_handle = kNone;
    return ok;
}

bool NativeFile::readAt(qint64 offset, char *data, qint64 size) const
{
    while (size > 0) {
        const ssize_t n = ::pread(fd(m_handle), data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = n == 0 ? EIO : errno;
            return false;
        }
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool NativeFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd(m_handle), data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = n == 0 ? ENOSPC : errno;
            return false;
        }
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

qint64 NativeFile::size() const
{
    struct stat st {};
    if (::fstat(fd(m_handle), &st) != 0) {
        m_error = errno;
        return -1;
    }
    return qint64(st.st_size);
}

bool NativeFile::resize(qint64 size)
{
    if (::ftruncate(fd(m_handle), off_t(size)) == 0)
        return true;
    m_error = errno;
    return false;
}

bool NativeFile::sync()
{
    if (::fdatasync(fd(m_handle)) == 0)
        return true;
    m_error = errno;
    return false;
}

FileId NativeFile::id() const
{
    struct stat st {};
    if (::fstat(fd(m_handle), &st) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

void NativeFile::takePermissionsOf(const NativeFile &other)
{
    struct stat mine {}, theirs {};
    if (::fstat(fd(m_handle), &mine) == 0 && ::fstat(fd(other.m_handle), &theirs) == 0 && mine.st_uid == ::geteuid() &&
        (mine.st_mode & 0666) != (theirs.st_mode & 0666))
        ::fchmod(fd(m_handle), theirs.st_mode & 0666);
}

namespace NativeFs {
FileId idOf(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

bool isLink(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool replace(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void syncFolder(const QString &folder)
{
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

int lastError() { return errno; }
} // namespace NativeFs

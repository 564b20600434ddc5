#include "core/NativeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int fd(qintptr h)
{
    return int(h);
}

FileStatus statusOf(const struct stat &st)
{
    FileStatus s;
    s.kind = S_ISREG(st.st_mode)   ? FileStatus::Kind::File
             : S_ISDIR(st.st_mode) ? FileStatus::Kind::Folder
             : S_ISLNK(st.st_mode) ? FileStatus::Kind::Link
                                   : FileStatus::Kind::Other;
    s.size = qint64(st.st_size);
    s.modifiedMs = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    s.id = {quint64(st.st_dev), quint64(st.st_ino)};
    return s;
}

// Removes name inside the open folder dir: a file or link at once, a folder (opened without following a
// link) after everything in it.
bool removeAt(int dir, const char *name)
{
    if (::unlinkat(dir, name, 0) == 0 || errno == ENOENT)
        return true;
    if (errno != EISDIR && errno != EPERM)
        return false;
    const int sub = ::openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (sub < 0)
        return false;
    DIR *d = ::fdopendir(sub);
    if (!d) {
        ::close(sub);
        return false;
    }
    bool ok = true;
    // Two passes: entries removed while reading may hide others from the first one.
    for (int pass = 0; pass < 2; ++pass) {
        ::rewinddir(d);
        while (struct dirent *e = ::readdir(d)) {
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
                continue;
            ok = removeAt(::dirfd(d), e->d_name) && ok;
        }
    }
    ::closedir(d);
    return ::unlinkat(dir, name, AT_REMOVEDIR) == 0 && ok;
}
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
    struct stat mine {
    }, theirs{};
    if (::fstat(fd(m_handle), &mine) == 0 && ::fstat(fd(other.m_handle), &theirs) == 0 && mine.st_uid == ::geteuid() &&
        (mine.st_mode & 0666) != (theirs.st_mode & 0666))
        ::fchmod(fd(m_handle), theirs.st_mode & 0666);
}

bool NativeFile::cloneFrom(const NativeFile &source)
{
#ifdef FICLONE
    if (::ioctl(fd(m_handle), FICLONE, fd(source.m_handle)) == 0)
        return true;
    m_error = errno;
#else
    Q_UNUSED(source)
    m_error = EOPNOTSUPP;
#endif
    return false;
}

namespace NativeFs {
FileId idOf(const QString &path, bool followLink)
{
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if ((followLink ? ::stat(name.constData(), &st) : ::lstat(name.constData(), &st)) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

FileStatus status(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return statusOf(st);
}

bool renameNew(const QString &from, const QString &to)
{
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    // A file system without it (some network shares): a file gets a second name, then loses the first; a
    // folder is renamed only when nothing has the name.
    if (status(from).kind == FileStatus::Kind::Folder)
        return status(to).kind == FileStatus::Kind::Missing && ::rename(a.constData(), b.constData()) == 0;
    return ::link(a.constData(), b.constData()) == 0 && ::unlink(a.constData()) == 0;
}

bool makeFolder(const QString &path)
{
    return ::mkdir(QFile::encodeName(path).constData(), 0777) == 0;
}

bool removeFile(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

bool removeTree(const QString &path)
{
    const QFileInfo info(QDir::cleanPath(path));
    if (status(info.filePath()).kind != FileStatus::Kind::Folder)
        return false;
    const int parent = ::open(QFile::encodeName(info.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return false;
    const bool ok = removeAt(parent, QFile::encodeName(info.fileName()).constData());
    ::close(parent);
    return ok;
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

bool syncTree(const QString &folder)
{
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return false;
    const bool ok = ::syncfs(dir) == 0;
    ::close(dir);
    return ok;
}

int lastError()
{
    return errno;
}

bool isDenied(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}
} // namespace NativeFs

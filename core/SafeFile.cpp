#include "core/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::function<bool(SafeFile::Step, const QString &)> &faultHook()
{
    static std::function<bool(SafeFile::Step, const QString &)> hook;
    return hook;
}

bool fault(SafeFile::Step step, const QString &path) { return faultHook() && faultHook()(step, path); }

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size(), at = 0;
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, p + at, size_t(left), off_t(at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        left -= n;
    }
    return true;
}

bool readBack(const QByteArray &name, const QByteArray &expected)
{
    QFile f(QFile::decodeName(name));
    return f.open(QIODevice::ReadOnly) && f.readAll() == expected && f.error() == QFileDevice::NoError;
}

// Flush, sync and close, each error counted, the descriptor closed in any case.
bool finish(int fd, const QByteArray &bytes, const QString &path)
{
    bool ok = !fault(SafeFile::Step::Flush, path) && writeAll(fd, bytes) && ::ftruncate(fd, bytes.size()) == 0;
    ok = ok && !fault(SafeFile::Step::Sync, path) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return ok && closed && !fault(SafeFile::Step::Close, path);
}

bool rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray old = in.readAll();
    in.close();
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (finish(fd, bytes, path) && readBack(name, bytes))
        return true;
    const int again = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (again >= 0 && writeAll(again, old) && ::ftruncate(again, old.size()) == 0)
        ::fsync(again);
    if (again >= 0)
        ::close(again);
    return false;
}
} // namespace

namespace SafeFile {

void setFaultHook(std::function<bool(Step, const QString &)> hook) { faultHook() = std::move(hook); }

bool replace(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    QByteArray temp = name + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        if ((errno == EACCES || errno == EPERM || errno == EROFS) && QFileInfo(path).isFile())
            return rewriteInPlace(path, bytes);
        return false;
    }
    // The new file gets the old one's permissions; a new file those of any file the user creates.
    struct stat st {};
    mode_t mode;
    if (::stat(name.constData(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    const bool ok = finish(fd, bytes, path) && readBack(temp, bytes) && !fault(Step::Rename, path) &&
                    ::rename(temp.constData(), name.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace SafeFile

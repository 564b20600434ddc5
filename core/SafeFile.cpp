#include "core/SafeFile.h"

#include "core/NativeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

namespace {
std::function<bool(SafeFile::Step, const QString &)> &faultHook()
{
    static std::function<bool(SafeFile::Step, const QString &)> hook;
    return hook;
}

bool fault(SafeFile::Step step, const QString &path)
{
    return faultHook() && faultHook()(step, path);
}

bool readBack(const QString &name, const QByteArray &expected)
{
    NativeFile f;
    QByteArray bytes(expected.size(), Qt::Uninitialized);
    return f.open(name, NativeFile::Access::ReadOnly) && f.size() == expected.size() &&
           f.readAt(0, bytes.data(), bytes.size()) && bytes == expected;
}

// Write, sync and close, each error counted, the file closed in any case.
bool finish(NativeFile &file, const QByteArray &bytes, const QString &path)
{
    bool ok = !fault(SafeFile::Step::Flush, path) && file.writeAt(0, bytes.constData(), bytes.size()) &&
              file.resize(bytes.size());
    ok = ok && !fault(SafeFile::Step::Sync, path) && file.sync();
    const bool closed = file.close();
    return ok && closed && !fault(SafeFile::Step::Close, path);
}

bool rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    NativeFile file;
    if (!file.open(path, NativeFile::Access::ReadWrite, NativeFile::Create::Never, true))
        return false;
    const qint64 size = file.size();
    QByteArray old(qMax<qint64>(size, 0), Qt::Uninitialized);
    if (size < 0 || !file.readAt(0, old.data(), old.size()))
        return false;
    if (finish(file, bytes, path) && readBack(path, bytes))
        return true;
    NativeFile again;
    if (again.open(path, NativeFile::Access::ReadWrite, NativeFile::Create::Never, true) &&
        again.writeAt(0, old.constData(), old.size()) && again.resize(old.size()))
        again.sync();
    return false;
}

// A new name beside path that nobody else uses; made with the rights any new file of the user gets.
bool createTemporary(const QString &path, NativeFile &file, QString &name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = path +
               QStringLiteral(".%1").arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 36, QLatin1Char('0'));
        if (file.open(name, NativeFile::Access::ReadWrite, NativeFile::Create::New))
            return true;
        if (file.error() != EEXIST)
            return false;
    }
    return false;
}
} // namespace

namespace SafeFile {

void setFaultHook(std::function<bool(Step, const QString &)> hook)
{
    faultHook() = std::move(hook);
}

bool replace(const QString &path, const QByteArray &bytes)
{
    NativeFile temp;
    QString tempName;
    if (!createTemporary(path, temp, tempName)) {
        const int e = temp.error();
        if ((e == EACCES || e == EPERM || e == EROFS) && QFileInfo(path).isFile())
            return rewriteInPlace(path, bytes);
        return false;
    }
    // The new file gets the old one's permissions.
    NativeFile old;
    if (old.open(path, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true))
        temp.takePermissionsOf(old);
    old.close();

    const bool ok = finish(temp, bytes, path) && readBack(tempName, bytes) && !fault(Step::Rename, path) &&
                    NativeFs::replace(tempName, path);
    if (!ok) {
        QFile::remove(tempName);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    NativeFs::syncFolder(QFileInfo(path).absolutePath());
    return true;
}

} // namespace SafeFile

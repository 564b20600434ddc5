#include "core/FileCopy.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>

namespace FileCopy {

NewFile::~NewFile()
{
    if (m_open)
        discard();
}

bool NewFile::failed(int error)
{
    m_error = error ? error : EIO;
    return false;
}

bool NewFile::create(const QString &path)
{
    m_path = path;
    if (!m_file.open(path, NativeFile::Access::ReadWrite, NativeFile::Create::New, true))
        return failed(m_file.error());
    m_open = true;
    return true;
}

bool NewFile::append(const char *data, qint64 size)
{
    if (m_progress && m_progress->cancel.load()) {
        m_cancelled = true;
        return failed(ECANCELED);
    }
    if (m_beforeBlock && !m_beforeBlock())
        return failed(EIO);
    if (!m_file.writeAt(m_size, data, size))
        return failed(m_file.error());
    m_hash.add(data, size);
    m_size += size;
    if (m_progress)
        m_progress->done += size;
    return true;
}

bool NewFile::cloneFrom(const NativeFile &source)
{
    const qint64 size = source.size();
    if (size < 0 || m_size != 0 || !m_file.cloneFrom(source))
        return failed(size < 0 ? source.error() : m_file.error());
    QByteArray block;
    for (qint64 at = 0; at < size; at += block.size()) {
        block.resize(qMin(kBlock, size - at));
        if (!m_file.readAt(at, block.data(), block.size()))
            return failed(m_file.error());
        m_hash.add(block.constData(), block.size());
    }
    m_size = size;
    if (m_progress)
        m_progress->done += size;
    return true;
}

bool NewFile::copyFrom(const NativeFile &source)
{
    const qint64 size = source.size();
    if (size < 0)
        return failed(source.error());
    QByteArray block;
    for (qint64 at = 0; at < size; at += block.size()) {
        block.resize(qMin(kBlock, size - at));
        if (!source.readAt(at, block.data(), block.size()))
            return failed(source.error());
        if (!append(block.constData(), block.size()))
            return false;
    }
    return true;
}

bool NewFile::finish(bool sync)
{
    const bool ok = (!sync || m_file.sync()) && m_file.close();
    if (!ok) {
        failed(m_file.error());
        discard();
        return false;
    }
    m_open = false;
    return true;
}

void NewFile::discard()
{
    m_file.close();
    if (m_open)
        NativeFs::removeFile(m_path);
    m_open = false;
}

QByteArray sha256(const NativeFile &file)
{
    const qint64 size = file.size();
    if (size < 0)
        return {};
    Sha256 hash;
    QByteArray block;
    for (qint64 at = 0; at < size; at += block.size()) {
        block.resize(qMin(kBlock, size - at));
        if (!file.readAt(at, block.data(), block.size()))
            return {};
        hash.add(block.constData(), block.size());
    }
    return hash.result();
}

QByteArray sha256(const QString &path)
{
    NativeFile f;
    if (!f.open(path, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true))
        return {};
    return sha256(f);
}

QString hiddenBeside(const QString &path, const QString &tag)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.%1.%2-%3-%4")
                             .arg(info.fileName(), tag)
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

bool isHiddenWork(const QString &name, const QString &tag)
{
    const QRegularExpression re(QStringLiteral(R"(^\..+\.%1-\d+-[0-9a-f]{8}$)").arg(QRegularExpression::escape(tag)));
    return re.match(name).hasMatch();
}

} // namespace FileCopy

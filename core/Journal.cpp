#include "core/Journal.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace {
constexpr char kFirstForm[8] = {'V', 'R', 'S', 'J', 'N', 'L', '0', '1'};
constexpr char kMagic[8] = {'V', 'R', 'S', 'J', 'N', 'L', '0', '2'};
constexpr int kFirstHeader = 8 + 8 + 4;
constexpr int kHeader = kFirstHeader + 8 + 8 + 8; // + device, inode, archive size
constexpr int kHash = 20;

QByteArray encode(qint64 offset, const QByteArray &record, const FileId &file, qint64 archiveSize)
{
    QByteArray e(kHeader, Qt::Uninitialized);
    memcpy(e.data(), kMagic, 8);
    qToLittleEndian<qint64>(offset, e.data() + 8);
    qToLittleEndian<qint32>(qint32(record.size()), e.data() + 16);
    qToLittleEndian<quint64>(file.device, e.data() + 20);
    qToLittleEndian<quint64>(file.inode, e.data() + 28);
    qToLittleEndian<qint64>(archiveSize, e.data() + 36);
    e += record;
    e += QCryptographicHash::hash(e, QCryptographicHash::Sha1);
    return e;
}
} // namespace

bool Journal::Entry::belongsTo(const NativeFile &archive) const
{
    if (!file)
        return true;
    return *file == archive.id() && archiveSize == archive.size();
}

QString Journal::pathFor(const QString &archivePath)
{
    return archivePath + QStringLiteral(".jnl");
}

bool Journal::pending(const QString &archivePath)
{
    const FileStatus s = NativeFs::status(pathFor(archivePath));
    return s.kind == FileStatus::Kind::File && s.size > 0;
}

// The complete entry of an open journal: nothing for an empty, incomplete or damaged one.
std::optional<Journal::Entry> Journal::read(const NativeFile &journal)
{
    const qint64 size = journal.size();
    if (size < kFirstHeader + kHash || size > kHeader + kHash + (1 << 20))
        return std::nullopt;
    QByteArray e(size, Qt::Uninitialized);
    if (!journal.readAt(0, e.data(), size))
        return std::nullopt;
    const bool first = memcmp(e.constData(), kFirstForm, 8) == 0;
    if (!first && memcmp(e.constData(), kMagic, 8) != 0)
        return std::nullopt;
    const int header = first ? kFirstHeader : kHeader;
    if (size < header + kHash)
        return std::nullopt;
    const qint64 offset = qFromLittleEndian<qint64>(e.constData() + 8);
    const qint32 length = qFromLittleEndian<qint32>(e.constData() + 16);
    if (offset < 0 || length < 0 || size != header + length + kHash ||
        QCryptographicHash::hash(e.left(header + length), QCryptographicHash::Sha1) != e.right(kHash))
        return std::nullopt;
    Entry entry{offset, e.mid(header, length), std::nullopt, -1};
    if (!first) {
        entry.file =
            FileId{qFromLittleEndian<quint64>(e.constData() + 20), qFromLittleEndian<quint64>(e.constData() + 28)};
        entry.archiveSize = qFromLittleEndian<qint64>(e.constData() + 36);
    }
    return entry;
}

bool Journal::replay(NativeFile &archive, const QString &archivePath)
{
    NativeFile journal;
    if (!journal.open(pathFor(archivePath), NativeFile::Access::ReadWrite, NativeFile::Create::Never, true))
        return !QFileInfo::exists(pathFor(archivePath));
    bool ok = true;
    if (const auto entry = read(journal);
        entry && entry->belongsTo(archive) && entry->offset + entry->bytes.size() <= archive.size())
        ok = archive.writeAt(entry->offset, entry->bytes.constData(), entry->bytes.size()) && archive.sync();
    // Kept when the replay failed: the next operation tries again.
    return ok && journal.resize(0);
}

void Journal::readThrough(const NativeFile &archive, const QString &archivePath, qint64 offset, char *data, qint64 size)
{
    if (!pending(archivePath))
        return;
    NativeFile journal;
    if (!journal.open(pathFor(archivePath), NativeFile::Access::ReadOnly, NativeFile::Create::Never, true))
        return;
    if (const auto entry = read(journal); entry && entry->belongsTo(archive)) {
        const qint64 from = qMax(offset, entry->offset);
        const qint64 to = qMin(offset + size, entry->offset + entry->bytes.size());
        if (from < to)
            memcpy(data + (from - offset), entry->bytes.constData() + (from - entry->offset), size_t(to - from));
    }
}

bool Journal::discard(const QString &archivePath)
{
    if (NativeFs::status(pathFor(archivePath)).kind == FileStatus::Kind::Missing)
        return true;
    NativeFile journal;
    return journal.open(pathFor(archivePath), NativeFile::Access::ReadWrite, NativeFile::Create::Never, true) &&
           journal.resize(0) && journal.sync();
}

bool Journal::begin(const NativeFile &archive, const QString &archivePath)
{
    m_archive = &archive;
    if (!m_file.open(pathFor(archivePath), NativeFile::Access::ReadWrite, NativeFile::Create::IfMissing, true)) {
        m_error = m_file.error();
        return false;
    }
    // Whoever may write the archive must be able to write its journal too, whatever the creator's umask.
    m_file.takePermissionsOf(archive);
    return true;
}

bool Journal::record(qint64 offset, const QByteArray &bytes)
{
    const QByteArray entry = encode(offset, bytes, m_archive->id(), m_archive->size());
    if (m_file.writeAt(0, entry.constData(), entry.size()) && m_file.resize(entry.size()) && m_file.sync())
        return true;
    m_error = m_file.error();
    m_file.resize(0);
    return false;
}

void Journal::clear()
{
    m_file.resize(0);
}

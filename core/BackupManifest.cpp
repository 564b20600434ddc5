#include "core/BackupManifest.h"

#include "core/NativeFile.h"

#include <QSet>

namespace {
const QByteArray kFirstLine = "Versalia copia di sicurezza 1";
constexpr qint64 kMaxSize = 64 << 20;

QByteArray escaped(const QString &name)
{
    QByteArray out;
    for (const char c : name.toUtf8()) {
        const auto u = uchar(c);
        if (u < 0x20 || u == 0x7F || c == '%')
            out += '%' + QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(const QByteArray &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        bool ok = false;
        const int u = text.mid(i + 1, 2).toInt(&ok, 16);
        if (!ok || i + 2 >= text.size())
            return std::nullopt;
        out += char(u);
        i += 2;
    }
    return QString::fromUtf8(out);
}
} // namespace

QString BackupManifest::fileName()
{
    return QStringLiteral("Elenco.sha256");
}

QByteArray BackupManifest::encode() const
{
    QByteArray out = kFirstLine + '\n';
    for (const Entry &e : entries)
        out += e.sha256.toHex() + ' ' + QByteArray::number(e.size) + ' ' + QByteArray::number(e.modifiedMs) + ' ' +
               escaped(e.name) + '\n';
    out += "fine " + QByteArray::number(entries.size()) + '\n';
    return out;
}

std::optional<BackupManifest> BackupManifest::decode(const QByteArray &bytes)
{
    if (!bytes.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(bytes.size() - 1).split('\n');
    if (lines.size() < 2 || lines.first() != kFirstLine ||
        lines.last() != "fine " + QByteArray::number(lines.size() - 2))
        return std::nullopt;
    BackupManifest m;
    QSet<QString> names;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split(' ');
        if (parts.size() < 4 || parts[0].size() != 64)
            return std::nullopt;
        Entry e;
        bool sizeOk = false, timeOk = false;
        e.sha256 = QByteArray::fromHex(parts[0]);
        e.size = parts[1].toLongLong(&sizeOk);
        e.modifiedMs = parts[2].toLongLong(&timeOk);
        const auto name = unescaped(lines[i].mid(parts[0].size() + parts[1].size() + parts[2].size() + 3));
        if (e.sha256.size() != 32 || !sizeOk || e.size < 0 || !timeOk || !name || name->isEmpty() ||
            names.contains(*name))
            return std::nullopt;
        e.name = *name;
        names.insert(e.name);
        m.entries << e;
    }
    return m;
}

std::optional<BackupManifest> BackupManifest::load(const QString &folder)
{
    NativeFile f;
    if (!f.open(folder + u'/' + fileName(), NativeFile::Access::ReadOnly, NativeFile::Create::Never, true))
        return std::nullopt;
    const qint64 size = f.size();
    if (size < 0 || size > kMaxSize)
        return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    if (!f.readAt(0, bytes.data(), size))
        return std::nullopt;
    return decode(bytes);
}

const BackupManifest::Entry *BackupManifest::find(const QString &name) const
{
    for (const Entry &e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

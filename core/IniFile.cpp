#include "core/IniFile.h"

#include "core/Cp1252.h"
#include "core/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

namespace {

// Lines without their line break; a '\r' before the '\n' stays part of the line, so it is written back.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a "[Section]" line; null when the line is no section header.
QString sectionOf(const QByteArray &line)
{
    // A file saved by an editor may begin with a UTF-8 byte order mark.
    const QByteArray t = (line.startsWith("\xEF\xBB\xBF") ? line.mid(3) : line).trimmed();
    if (!t.startsWith('['))
        return {};
    const int close = t.indexOf(']');
    if (close < 0)
        return {};
    return Cp1252::decode(t.mid(1, close - 1)).trimmed();
}

bool isKeyLine(const QByteArray &line, const QString &key, QByteArray *value = nullptr)
{
    const QByteArray t = line.trimmed();
    if (t.startsWith(';') || t.startsWith('['))
        return false;
    const int eq = t.indexOf('=');
    if (eq < 0)
        return false;
    if (Cp1252::decode(t.left(eq)).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = t.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

QString IniFile::read(const QString &path, const QString &section, const QString &key, bool *ok)
{
    if (ok)
        *ok = false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    bool inSection = false;
    for (const QByteArray &line : splitLines(f.readAll())) {
        const QString name = sectionOf(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        QByteArray value;
        if (inSection && isKeyLine(line, key, &value)) {
            // Windows drops one pair of enclosing quotes.
            if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
                value = value.mid(1, value.size() - 2);
            if (ok)
                *ok = true;
            return Cp1252::decode(value);
        }
    }
    return {};
}

bool IniFile::write(const QString &path, const QString &section, const QString &key, const QString &value)
{
    // A line break would end the value and begin lines of its own (a section, a key nobody meant).
    for (const QString *text : {&section, &key, &value})
        if (text->contains(u'\n') || text->contains(u'\r'))
            return false;
    QByteArray bytes;
    QFile in(path);
    if (in.exists()) {
        // A read-only file stays as it is, even where its folder would let us replace it.
        if (!QFileInfo(path).isWritable() || !in.open(QIODevice::ReadOnly))
            return false;
        bytes = in.readAll();
        in.close();
    }
    QList<QByteArray> lines = splitLines(bytes);
    // New lines follow the file's own line breaks; a new file gets Windows ones.
    const bool crlf = bytes.isEmpty() || bytes.contains("\r\n");
    const QByteArray cr = crlf ? QByteArray("\r") : QByteArray();
    const QByteArray entry = Cp1252::encode(key.trimmed()) + '=' + Cp1252::encode(value) + cr;

    int sectionAt = -1;
    int lastInSection = -1; // last non-blank line of the section
    int keyAt = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = sectionOf(lines[i]);
        if (!name.isNull()) {
            if (sectionAt >= 0)
                break;
            if (sameName(name, section)) {
                sectionAt = i;
                lastInSection = i;
            }
            continue;
        }
        if (sectionAt < 0)
            continue;
        if (!lines[i].trimmed().isEmpty())
            lastInSection = i;
        if (isKeyLine(lines[i], key)) {
            keyAt = i;
            break;
        }
    }

    // A file without a final line break gets one on its last line before anything goes after it.
    const bool openEnd = !bytes.isEmpty() && !bytes.endsWith('\n');
    bool appendedAtEnd = false;
    if (keyAt >= 0) {
        lines[keyAt] = entry;
    } else if (sectionAt >= 0) {
        appendedAtEnd = lastInSection + 1 == lines.size();
        if (appendedAtEnd && openEnd)
            lines.last() += cr;
        lines.insert(lastInSection + 1, entry);
    } else {
        appendedAtEnd = true;
        if (openEnd)
            lines.last() += cr;
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(cr);
        lines.append('[' + Cp1252::encode(section.trimmed()) + ']' + cr);
        lines.append(entry);
    }

    QByteArray out = lines.join('\n');
    if (!openEnd || appendedAtEnd)
        out += '\n';
    // Not QSaveFile: Qt 6.4's commit() reports success when its last buffered flush fails (a full disk), and
    // the empty temporary file then replaces the real one.
    return SafeFile::replace(path, out);
}

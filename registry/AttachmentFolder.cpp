#include "registry/AttachmentFolder.h"

#include "core/Cp1252.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace AttachmentFolder {

namespace {
std::function<bool(Op, const QString &)> &faultHook()
{
    static std::function<bool(Op, const QString &)> h;
    return h;
}
bool fault(Op op, const QString &path)
{
    return faultHook() && faultHook()(op, path);
}

QString clashQuestion()
{
    return QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso "
                          "nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");
}

QString failure(const QString &name)
{
    return QStringLiteral("Attenzione: non è stato possibile allegare il file \"%1\".\n\r\n\rAccertarsi che il file "
                          "sia ancora disponibile e di possedere i privilegi di scrittura nella cartella dei "
                          "documenti allegati.")
        .arg(name);
}

// Latin spellings of the Cyrillic letters most applicants' documents carry.
QString cyrillicToLatin(QChar c)
{
    static const QHash<char16_t, QString> table = [] {
        const char16_t *from = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюяіїєґў";
        const char *to[] = {"a",    "b", "v", "g", "d", "e",  "e",  "zh", "z", "i", "j", "k",  "l",
                            "m",    "n", "o", "p", "r", "s",  "t",  "u",  "f", "h", "c", "ch", "sh",
                            "shch", "",  "y", "",  "e", "yu", "ya", "i",  "i", "e", "g", "u"};
        QHash<char16_t, QString> t;
        for (int i = 0; from[i]; ++i)
            t.insert(from[i], QString::fromLatin1(to[i]));
        return t;
    }();
    const QChar lower = c.toLower();
    const auto it = table.find(lower.unicode());
    if (it == table.end())
        return {};
    QString latin = *it;
    if (lower != c && !latin.isEmpty())
        latin[0] = latin[0].toUpper();
    return latin;
}

bool plainChar(QChar c)
{
    static const QString reserved = QStringLiteral("\\/:*?\"<>|");
    const char16_t u = c.unicode();
    return u >= 0x20 && u != 0x7F && !(u >= 0x80 && u < 0xA0) && !reserved.contains(c) && Cp1252::canEncode(c);
}

QString transliterate(QChar c)
{
    QString base;
    for (QChar d : QString(c).normalized(QString::NormalizationForm_KD))
        if (plainChar(d) && d.category() != QChar::Mark_NonSpacing)
            base += d;
    if (!base.isEmpty())
        return base;
    const QString latin = cyrillicToLatin(c);
    return latin.isEmpty() && c.category() != QChar::Mark_NonSpacing ? QStringLiteral("_") : latin;
}

// Windows drops blanks and dots at the end of a name, and the archive drops blanks at both ends.
QString tidy(QString s)
{
    while (!s.isEmpty() && (s.front() == QLatin1Char(' ')))
        s.remove(0, 1);
    while (!s.isEmpty() && (s.back() == QLatin1Char(' ') || s.back() == QLatin1Char('.')))
        s.chop(1);
    return s;
}

// "name.ext" -> {"name", ".ext"}; a leading dot or no dot gives no extension.
std::pair<QString, QString> split(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

QString fit(const QString &base, const QString &ext, int capacity)
{
    QString e = ext.size() * 2 > capacity ? QString() : ext;
    QString b = tidy(base.left(capacity - e.size()));
    if (b.isEmpty())
        b = QStringLiteral("allegato");
    return b + e;
}

bool sameContent(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    for (;;) {
        const QByteArray x = fa.read(1 << 16), y = fb.read(1 << 16);
        if (x != y)
            return false;
        if (x.isEmpty())
            return fa.error() == QFile::NoError && fb.error() == QFile::NoError;
    }
}

QString freeName(const QString &name)
{
    const auto [base, ext] = split(name);
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString candidate =
            fit(base.left(kNameCapacity - ext.size() - suffix.size()) + suffix, ext, kNameCapacity);
        if (!QFileInfo::exists(path() + candidate))
            return candidate;
    }
}

// The copy lands under a temporary name in the folder and replaces the target only once complete.
bool copyInto(const QString &from, const QString &to)
{
    if (fault(Op::Copy, to))
        return false;
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    for (;;) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty())
            break;
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            out.commit();
            return false;
        }
    }
    if (in.error() != QFile::NoError || fault(Op::Commit, to)) {
        out.cancelWriting();
        out.commit();
        return false;
    }
    return out.commit();
}
} // namespace

QString path()
{
    return ProgramFolder::file(QStringLiteral("Documenti_Allegati")) + QDir::separator();
}

QString storableName(const QString &fileName, int capacity)
{
    QString out;
    for (QChar c : fileName.normalized(QString::NormalizationForm_C)) {
        if (c.isLowSurrogate())
            continue;
        out += plainChar(c) ? QString(c) : transliterate(c);
    }
    const auto [base, ext] = split(tidy(out));
    return fit(base, ext, capacity);
}

std::optional<QString> attach(QWidget *parent, const QString &sourcePath)
{
    const QFileInfo source(sourcePath);
    const QString chosen = source.fileName();
    const auto fail = [&] {
        Seams::Messages::warning(parent, failure(chosen));
        return std::nullopt;
    };
    if (!source.isFile())
        return fail();
    if (!QFileInfo(path()).isDir() && (fault(Op::MakeFolder, path()) || !QDir().mkpath(path())))
        return fail();

    QString name = storableName(chosen);
    QString target = path() + name;
    const QFileInfo existing(target);
    if (existing.exists()) {
        // Picked from inside the folder, or the same document again: nothing to copy.
        if (existing.canonicalFilePath() == source.canonicalFilePath() || sameContent(sourcePath, target))
            return name;
        if (Seams::Messages::question(parent, clashQuestion()) != Seams::Answer::Yes) {
            name = freeName(name);
            target = path() + name;
        }
    }
    if (!copyInto(sourcePath, target))
        return fail();
    return name;
}

QString fileFor(const QString &storedName)
{
    const QString name = storedName.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(':')) ||
        QDir::isAbsolutePath(name))
        return {};
    const QFileInfo file(path() + name);
    const QString folder = QFileInfo(path()).canonicalFilePath();
    if (!file.isFile() || folder.isEmpty() || QFileInfo(file.canonicalFilePath()).path() != folder)
        return {};
    return file.absoluteFilePath();
}

void setFaultHook(std::function<bool(Op, const QString &path)> hook)
{
    faultHook() = std::move(hook);
}

} // namespace AttachmentFolder

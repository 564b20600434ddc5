#include "registry/AttachmentFolder.h"

#include "core/Cp1252.h"
#include "core/FileCopy.h"
#include "core/NativeFile.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"
#include "core/widgets/BackgroundWork.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

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

using Kind = FileStatus::Kind;

// The folder itself, without the trailing separator.
QString folder()
{
    return QDir::cleanPath(path());
}

// The chosen file (followed if it is a link: the user picked it) against the plain file in the folder.
bool sameContent(const QString &chosen, const QString &inFolder)
{
    NativeFile a, b;
    return a.open(chosen, NativeFile::Access::ReadOnly) &&
           b.open(inFolder, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true) && a.size() == b.size() &&
           FileCopy::sha256(a) == FileCopy::sha256(b) && !FileCopy::sha256(a).isEmpty();
}

QString freeName(const QString &name)
{
    const auto [base, ext] = split(name);
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString candidate =
            fit(base.left(kNameCapacity - ext.size() - suffix.size()) + suffix, ext, kNameCapacity);
        if (NativeFs::status(path() + candidate).kind == Kind::Missing)
            return candidate;
    }
}

// Windows keeps these names for its devices, whatever the extension: a file so named would not open once the
// folder is on a Windows share.
QString unreserved(const QString &name)
{
    static const QRegularExpression re(QStringLiteral(R"(^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\..*)?$)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(name);
    return m.hasMatch() ? m.captured(1) + u'_' + m.captured(2) : name;
}

enum class Copied { Done, Failed, Cancelled };

// The copy lands under a hidden name made new in the folder (never through a link), one block at a time off
// the interface thread, and takes the target's name by one rename, only where no link or folder has it.
Copied copyInto(QWidget *parent, const QString &from, const QString &to)
{
    if (fault(Op::Copy, to))
        return Copied::Failed;
    NativeFile in;
    if (!in.open(from, NativeFile::Access::ReadOnly))
        return Copied::Failed;
    const QString temp = FileCopy::hiddenBeside(to, QStringLiteral("parziale"));
    bool ok = false, cancelled = false;
    BackgroundWork::run(parent,
                        QStringLiteral("Copia del file \"%1\" nella cartella dei documenti allegati in corso...")
                            .arg(QFileInfo(to).fileName()),
                        [&](FileCopy::Progress &progress) {
                            progress.total = in.size();
                            FileCopy::NewFile out(&progress);
                            out.setBeforeBlock([&to] { return !fault(Op::Block, to); });
                            ok = out.create(temp) && out.copyFrom(in) && !fault(Op::Commit, to) && out.finish();
                            cancelled = out.cancelled();
                        });
    if (!ok)
        return cancelled ? Copied::Cancelled : Copied::Failed;
    const Kind there = NativeFs::status(to).kind;
    if ((there != Kind::Missing && there != Kind::File) || !NativeFs::replace(temp, to)) {
        NativeFs::removeFile(temp);
        return Copied::Failed;
    }
    NativeFs::syncFolder(folder());
    return Copied::Done;
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
    return unreserved(fit(base, ext, capacity));
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
    // The folder itself must be a real folder: one that is a link would send every copy elsewhere.
    const Kind folderKind = NativeFs::status(folder()).kind;
    if (folderKind == Kind::Missing && (fault(Op::MakeFolder, path()) || !QDir().mkpath(path())))
        return fail();
    if (NativeFs::status(folder()).kind != Kind::Folder)
        return fail();

    QString name = storableName(chosen);
    QString target = path() + name;
    const FileStatus there = NativeFs::status(target);
    if (there.kind == Kind::File) {
        // Picked from inside the folder, or the same document again: nothing to copy.
        if (there.id == NativeFs::idOf(sourcePath, true) || sameContent(sourcePath, target))
            return name;
        // Enter must not replace another applicant's document: No is the default.
        if (Seams::Messages::questionNo(parent, clashQuestion()) != Seams::Answer::Yes) {
            name = freeName(name);
            target = path() + name;
        }
    } else if (there.kind != Kind::Missing) {
        // A link (or a folder) has the name: it is never replaced, opened or written through.
        name = freeName(name);
        target = path() + name;
    }
    switch (copyInto(parent, sourcePath, target)) {
    case Copied::Done:
        return name;
    case Copied::Cancelled:
        return std::nullopt; // the user gave it up: nothing is left of it, and nothing to say
    case Copied::Failed:
        break;
    }
    return fail();
}

QString fileFor(const QString &storedName)
{
    const QString name = storedName.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(':')) ||
        QDir::isAbsolutePath(name))
        return {};
    if (NativeFs::status(folder()).kind != Kind::Folder || NativeFs::status(path() + name).kind != Kind::File)
        return {};
    const QFileInfo file(path() + name);
    const QString inside = QFileInfo(path()).canonicalFilePath();
    if (inside.isEmpty() || QFileInfo(file.canonicalFilePath()).path() != inside)
        return {};
    return file.absoluteFilePath();
}

void setFaultHook(std::function<bool(Op, const QString &path)> hook)
{
    faultHook() = std::move(hook);
}

} // namespace AttachmentFolder

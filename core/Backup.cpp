#include "core/Backup.h"

#include "core/ArchiveFile.h"
#include "core/BackupManifest.h"
#include "core/BackupPrivate.h"
#include "core/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <optional>

namespace {
using namespace Backup::detail;
using Kind = FileStatus::Kind;

std::function<bool(Backup::Step, const QString &)> &faultHook()
{
    static std::function<bool(Backup::Step, const QString &)> h;
    return h;
}

const QString kSection = QStringLiteral("Copie di sicurezza");
const QString kSecondKey = QStringLiteral("Seconda cartella");
const QString kStaging = QStringLiteral("parziale");
const QString kReplaced = QStringLiteral("sostituita");
const QString kRestoring = QStringLiteral("in_corso");
constexpr int kRecentCopies = 10;
constexpr int kMonths = 12;
// Larger than any archive an office keeps; a file beyond it is damaged (a sparse file, a wrong file).
constexpr qint64 kLargest = qint64(1) << 30;

bool isSourceName(const QString &name)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^[^.].*\.(pse|sca)$|^Richiedenti\.pro$|^Bollettini\.ini$|^unins000\.dll$)"),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

// The names in a real folder, links and all, without "." and ".."; nothing when folder is no real folder.
QStringList namesIn(const QString &folder)
{
    if (!isRealFolder(folder))
        return {};
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// root as a real folder, made when missing: never a link to a folder elsewhere.
bool ensureRealFolder(const QString &root)
{
    const Kind kind = NativeFs::status(root).kind;
    if (kind == Kind::Missing)
        QDir().mkpath(root);
    return isRealFolder(root);
}

// Staging and replaced copies left behind by a copy that was cut short (power failure, killed process).
void removeStaleWork(const QString &root)
{
    const qint64 hourAgo = QDateTime::currentMSecsSinceEpoch() - 3600 * 1000;
    for (const QString &name : namesIn(root)) {
        if (!FileCopy::isHiddenWork(name, kStaging) && !FileCopy::isHiddenWork(name, kReplaced))
            continue;
        const QString path = withSlash(root) + name;
        const FileStatus s = NativeFs::status(path);
        if (s.kind == Kind::Folder && s.modifiedMs < hourAgo)
            NativeFs::removeTree(path);
    }
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString cannotWrite(const QString &folder)
{
    return QStringLiteral("Impossibile scrivere nella cartella %1.").arg(QDir::toNativeSeparators(folder));
}

// The newest copy that carries its list: what the attachments of a new copy are compared with.
std::optional<std::pair<QString, BackupManifest>> newestListed(const QString &root)
{
    for (const Backup::Copy &c : Backup::list(root))
        if (c.verifiable)
            if (auto m = BackupManifest::load(c.path))
                return std::pair{c.path, *m};
    return std::nullopt;
}

struct Copied {
    bool ok = false;
    bool cancelled = false;
    BackupManifest::Entry entry;
};

// source (open) into a new file at dest, recorded under name in the list.
Copied copyOpen(const NativeFile &source, const QString &dest, const QString &name, qint64 modifiedMs,
                FileCopy::Progress *progress)
{
    Copied c;
    FileCopy::NewFile out(progress);
    if (fault(Backup::Step::Write, dest) || !out.create(dest) || !out.copyFrom(source) || !out.finish(false)) {
        c.cancelled = out.cancelled();
        return c;
    }
    c.ok = true;
    c.entry = {name, out.size(), modifiedMs, out.sha256()};
    return c;
}

// An attachment into the copy. One unchanged since the newest listed copy (same size, time and hash) shares
// its blocks with that copy's file where the file system can clone; a hard link never: a file edited in
// place would change every copy at once.
Copied copyAttachment(const QString &source, const FileStatus &status, const QString &dest, const QString &name,
                      const std::optional<std::pair<QString, BackupManifest>> &previous, bool &canClone,
                      FileCopy::Progress *progress)
{
    NativeFile in;
    if (!in.open(source, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true))
        return {};
    const BackupManifest::Entry *before = previous ? previous->second.find(name) : nullptr;
    if (canClone && before && before->size == status.size && before->modifiedMs == status.modifiedMs) {
        NativeFile earlier;
        if (earlier.open(previous->first + u'/' + name, NativeFile::Access::ReadOnly, NativeFile::Create::Never,
                         true)) {
            FileCopy::NewFile out(progress);
            if (!fault(Backup::Step::Write, dest) && out.create(dest)) {
                if (!out.cloneFrom(earlier))
                    canClone = false; // no clones on this volume: copy from the attachment itself from now on
                else if (out.sha256() == before->sha256 && FileCopy::sha256(in) == before->sha256 && out.finish(false))
                    return {true, false, {name, out.size(), status.modifiedMs, out.sha256()}};
            }
        }
    }
    return copyOpen(in, dest, name, status.modifiedMs, progress);
}

// Whether the held archive still holds exactly the bytes that were copied: same size and SHA-256.
bool unchanged(ArchiveFile &held, const BackupManifest::Entry &copied)
{
    FileCopy::Sha256 hash;
    qint64 size = 0;
    const bool read = held.readHeld([&](const char *data, qint64 n) {
        hash.add(data, n);
        size += n;
        return true;
    });
    return read && size == copied.size && hash.result() == copied.sha256;
}

// A held archive into the copy at into: kept when it did not change since it was copied, copied again through
// its hold otherwise (a save that came in between).
bool recopyHeld(ArchiveFile &held, const QString &into, const QString &fileName, BackupManifest &manifest)
{
    const QString staged = into + fileName;
    BackupManifest::Entry *entry = nullptr;
    for (auto &e : manifest.entries)
        if (e.name == fileName)
            entry = &e;
    if (entry && unchanged(held, *entry))
        return true;
    const QString again = FileCopy::hiddenBeside(staged, kStaging);
    FileCopy::NewFile out;
    if (!out.create(again) ||
        !held.readHeld([&out](const char *data, qint64 size) { return out.append(data, size); }) || !out.finish() ||
        !NativeFs::replace(again, staged))
        return false;
    const BackupManifest::Entry copied{fileName, out.size(), NativeFs::status(held.path()).modifiedMs, out.sha256()};
    if (entry)
        *entry = copied;
    else
        manifest.entries << copied;
    return true;
}

bool publish(const QString &staging, const QString &target, bool replaceExisting)
{
    const Kind there = NativeFs::status(target).kind;
    if (!replaceExisting || there == Kind::Missing)
        return NativeFs::renameNew(staging, target);
    if (there != Kind::Folder)
        return false;
    const QString old = FileCopy::hiddenBeside(target, kReplaced);
    if (!NativeFs::renameNew(target, old))
        return false;
    if (!NativeFs::renameNew(staging, target)) {
        NativeFs::renameNew(old, target);
        return false;
    }
    NativeFs::removeTree(old);
    return true;
}

// Whether a restore is under way or was cut short: its staging folder is in the program folder.
bool restorePending(const QString &programFolder)
{
    for (const QString &name : namesIn(programFolder))
        if (FileCopy::isHiddenWork(name, kRestoring) && isRealFolder(withSlash(programFolder) + name))
            return true;
    return false;
}

bool mirrorInto(const Backup::Copy &copy, const QString &root, bool replaceExisting, QString *error)
{
    if (!isRealFolder(copy.path) || !ensureRealFolder(root)) {
        setError(error, QStringLiteral("Impossibile creare la cartella %1.").arg(QDir::toNativeSeparators(root)));
        return false;
    }
    const QString target = withSlash(root) + copy.name;
    const QString staging = FileCopy::hiddenBeside(target, kStaging);
    if (!NativeFs::makeFolder(staging)) {
        setError(error, cannotWrite(root));
        return false;
    }
    // A listed copy goes over file by file as its list names them, checked on the way.
    const auto manifest = BackupManifest::load(copy.path);
    QStringList names;
    if (manifest) {
        for (const auto &e : manifest->entries)
            names << e.name;
        names << BackupManifest::fileName();
    } else {
        for (const QString &name : namesIn(copy.path))
            if (NativeFs::status(withSlash(copy.path) + name).kind == Kind::File)
                names << name;
    }
    bool ok = true;
    for (const QString &name : names) {
        if (name.contains(u'/') && !isRealFolder(withSlash(staging) + name.section(u'/', 0, 0)))
            ok = NativeFs::makeFolder(withSlash(staging) + name.section(u'/', 0, 0));
        NativeFile in;
        ok = ok && in.open(withSlash(copy.path) + name, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true);
        const Copied c = ok ? copyOpen(in, withSlash(staging) + name, name, 0, nullptr) : Copied{};
        const BackupManifest::Entry *listed = manifest ? manifest->find(name) : nullptr;
        ok = c.ok && (!listed || (listed->sha256 == c.entry.sha256 && listed->size == c.entry.size));
        if (!ok)
            break;
    }
    ok = ok && NativeFs::syncTree(staging) && publish(staging, target, replaceExisting);
    if (!ok) {
        setError(error, cannotWrite(root));
        NativeFs::removeTree(staging);
        return false;
    }
    NativeFs::syncFolder(root);
    return true;
}

Backup::DailyResult daily(const QString &programFolder, const QDate &today, bool now, FileCopy::Progress *progress)
{
    using Backup::DailyResult;
    DailyResult r;
    const QString program = withSlash(programFolder);
    const QString root = program + Backup::rootName();
    const QString name = dayName(today);
    const QString day = withSlash(root) + name;
    removeStaleWork(root);
    r.secondFolder = Backup::secondFolder(programFolder);
    const bool secondPresent = !r.secondFolder.isEmpty() && QDir(r.secondFolder).exists();
    const bool existed = NativeFs::status(day).kind != Kind::Missing;
    if (restorePending(program)) {
        r.outcome = DailyResult::Failed;
        r.error = QStringLiteral("Un ripristino degli archivi non è ancora concluso.");
        return r;
    }
    if (existed && !now) {
        r.outcome = DailyResult::AlreadyTaken;
    } else if (Backup::sourceFiles(program).isEmpty() && namesIn(program + Backup::attachmentsName()).isEmpty()) {
        return r;
    } else {
        const Backup::TakeResult t = takeInto({program, root, name, true, now, progress, {}});
        r.skipped = t.skipped;
        if (t.ok) {
            r.outcome = DailyResult::Taken;
            if (!existed)
                Backup::prune(root, today);
            if (!r.secondFolder.isEmpty() && !secondPresent)
                r.secondError =
                    QStringLiteral("La cartella %1 non è disponibile.").arg(QDir::toNativeSeparators(r.secondFolder));
        } else if (t.inUse) {
            r.outcome = DailyResult::InUse;
            r.inUseFile = t.inUseFile;
            r.error = t.error;
            return r;
        } else if (!now && NativeFs::status(day).kind == Kind::Folder) {
            // Another workstation on the same folder finished today's copy first.
            r.outcome = DailyResult::AlreadyTaken;
        } else {
            r.outcome = DailyResult::Failed;
            r.error = t.cancelled ? QString() : t.error;
            return r;
        }
    }

    // A second folder plugged in later in the day receives the day's copy at the next start.
    const QString secondRoot = withSlash(r.secondFolder) + Backup::rootName();
    if (secondPresent && (now || NativeFs::status(withSlash(secondRoot) + name).kind == Kind::Missing)) {
        for (const Backup::Copy &c : Backup::list(root))
            if (c.name == name && mirrorInto(c, secondRoot, now, &r.secondError))
                Backup::prune(secondRoot, today);
    }
    return r;
}
} // namespace

namespace Backup::detail {

bool fault(Step step, const QString &path)
{
    return faultHook() && faultHook()(step, path);
}

QString withSlash(const QString &folder)
{
    QString p = QDir::cleanPath(folder);
    return p.endsWith(u'/') ? p : p + u'/';
}

QString dayName(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString beforeRestoreSuffix()
{
    return QStringLiteral("_prima_del_ripristino");
}

bool isRealFolder(const QString &path)
{
    return NativeFs::status(QDir::cleanPath(path)).kind == Kind::Folder;
}

bool isCopyFolder(const QString &path, const QString &root)
{
    const QFileInfo info(QDir::cleanPath(path));
    return isRealFolder(root) && isRealFolder(path) &&
           QFileInfo(info.canonicalFilePath()).path() == QFileInfo(root).canonicalFilePath();
}

bool isAttachment(const QString &name)
{
    return name.startsWith(attachmentsName() + u'/');
}

bool isRestorableName(const QString &name)
{
    if (isAttachment(name)) {
        const QString bare = name.mid(attachmentsName().size() + 1);
        return !bare.isEmpty() && bare != QLatin1String(".") && bare != QLatin1String("..") && !bare.contains(u'/') &&
               !bare.contains(u'\\');
    }
    return isSourceName(name) && !name.contains(u'/');
}

TakeResult takeInto(const TakeJob &job)
{
    TakeResult r;
    const QString program = withSlash(job.programFolder);
    if (!ensureRealFolder(job.root)) {
        r.error = QStringLiteral("Impossibile creare la cartella %1.").arg(QDir::toNativeSeparators(job.root));
        return r;
    }
    const QString target = withSlash(job.root) + job.name;
    const QString staging = FileCopy::hiddenBeside(target, kStaging);
    if (!NativeFs::makeFolder(staging)) {
        r.error = cannotWrite(job.root);
        return r;
    }
    struct Cleanup {
        QString path;
        bool armed = true;
        ~Cleanup()
        {
            if (armed)
                NativeFs::removeTree(path);
        }
    } cleanup{staging};
    const QString into = withSlash(staging);
    BackupManifest manifest;
    const auto stop = [&r](bool cancelled, const QString &error) {
        r.cancelled = cancelled;
        r.error = cancelled ? QString() : error;
        return r;
    };

    // The attachments: plain files of the folder, none reached through a link.
    const QString attachments = program + attachmentsName();
    const Kind attachmentsKind = NativeFs::status(attachments).kind;
    QList<std::pair<QString, FileStatus>> toAttach;
    if (attachmentsKind == Kind::Folder) {
        for (const QString &name : namesIn(attachments)) {
            const FileStatus s = NativeFs::status(withSlash(attachments) + name);
            if (s.kind == Kind::File && !FileCopy::isHiddenWork(name, kStaging))
                toAttach.append({name, s});
        }
    } else if (attachmentsKind != Kind::Missing) {
        r.skipped << attachmentsName();
    }
    const QStringList sources = sourceFiles(program);
    if (job.progress) {
        qint64 total = 0;
        for (const auto &[name, s] : toAttach)
            total += s.size;
        for (const QString &source : sources)
            total += NativeFs::status(source).size;
        job.progress->total += total;
    }
    if (!toAttach.isEmpty()) {
        if (!NativeFs::makeFolder(into + attachmentsName()))
            return stop(false, cannotWrite(job.root));
        const auto previous = newestListed(job.root);
        bool canClone = true;
        for (const auto &[name, s] : toAttach) {
            const QString listed = attachmentsName() + u'/' + name;
            const Copied c = copyAttachment(withSlash(attachments) + name, s, into + listed, listed, previous, canClone,
                                            job.progress);
            if (!c.ok)
                return stop(c.cancelled, QStringLiteral("Impossibile copiare il documento allegato %1.").arg(name));
            manifest.entries << c.entry;
        }
    }

    // Settings first, then, once the caller holds them where it must, the archives.
    QStringList archives;
    for (const QString &source : sources) {
        const QString fileName = QFileInfo(source).fileName();
        if (recordSizeOf(fileName) > 0) {
            archives << source;
            continue;
        }
        const FileStatus s = NativeFs::status(source);
        if (job.strict && s.size > kLargest) {
            r.skipped << fileName;
            continue;
        }
        NativeFile in;
        if (!in.open(source, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true))
            return stop(false, QStringLiteral("Impossibile leggere il file %1.").arg(fileName));
        const Copied c = copyOpen(in, into + fileName, fileName, s.modifiedMs, job.progress);
        if (!c.ok)
            return stop(c.cancelled, QStringLiteral("Impossibile scrivere la copia del file %1.").arg(fileName));
        manifest.entries << c.entry;
    }
    for (const QString &source : archives) {
        const QString fileName = QFileInfo(source).fileName();
        const int recordSize = recordSizeOf(fileName);
        const QString dest = into + fileName;
        FileCopy::NewFile out(job.progress);
        if (fault(Step::Write, dest) || !out.create(dest))
            return stop(false, QStringLiteral("Impossibile scrivere la copia del file %1.").arg(fileName));
        const auto sink = [&out](const char *data, qint64 size) { return out.append(data, size); };
        const auto accept = [&](qint64 size) { return !job.strict || (size <= kLargest && size % recordSize == 0); };
        StorageError why;
        const bool read = ArchiveFile::readWhole(source, accept, sink, &why);
        if (!read && why.kind == StorageError::Kind::Format) {
            out.discard();
            r.skipped << fileName;
            continue;
        }
        if (!read && why.kind == StorageError::Kind::InUse) {
            r.inUse = true;
            r.inUseFile = fileName;
            return stop(false,
                        QStringLiteral("L'archivio %1 è in uso da un'altra postazione di lavoro.").arg(fileName));
        }
        if (!read || !out.finish(false)) {
            const bool written = out.error() != 0;
            return stop(out.cancelled(),
                        written ? QStringLiteral("Impossibile scrivere la copia del file %1.").arg(fileName)
                                : QStringLiteral("Impossibile leggere il file %1.").arg(fileName));
        }
        manifest.entries << BackupManifest::Entry{fileName, out.size(), NativeFs::status(source).modifiedMs,
                                                  out.sha256()};
    }

    if (job.hold) {
        // The bulk reaches the disk before any archive is held, so the holds last only for what follows.
        if (!NativeFs::syncTree(staging))
            return stop(false, cannotWrite(job.root));
        QMap<QString, ArchiveFile *> held;
        if (!job.hold(held))
            return r;
        for (auto it = held.cbegin(); it != held.cend(); ++it) {
            if (!recopyHeld(*it.value(), into, it.key(), manifest))
                return stop(false, QStringLiteral("Impossibile scrivere la copia del file %1.").arg(it.key()));
        }
    }

    // The list last: a copy with its list is a copy whose every file landed.
    const QString listPath = into + BackupManifest::fileName();
    const QByteArray list = manifest.encode();
    FileCopy::NewFile listed;
    if (fault(Step::Write, listPath) || !listed.create(listPath) || !listed.append(list.constData(), list.size()) ||
        !listed.finish(false) || !NativeFs::syncTree(staging))
        return stop(false,
                    QStringLiteral("Impossibile scrivere la copia del file %1.").arg(BackupManifest::fileName()));
    if (!publish(staging, target, job.replaceExisting))
        return stop(false, QStringLiteral("Impossibile completare la copia %1.").arg(job.name));
    cleanup.armed = false;
    NativeFs::syncFolder(job.root);
    r.ok = true;
    return r;
}

} // namespace Backup::detail

namespace Backup {

QString rootName()
{
    return QStringLiteral("Copie_di_sicurezza");
}
QString settingsName()
{
    return QStringLiteral("Copie_di_sicurezza.ini");
}
QString attachmentsName()
{
    return QStringLiteral("Documenti_Allegati");
}
QString passwordStoreName()
{
    return QStringLiteral("unins000.dll");
}

namespace {
QList<ArchiveKind> &archiveKinds()
{
    static QList<ArchiveKind> kinds;
    return kinds;
}
} // namespace

void setArchiveKinds(QList<ArchiveKind> kinds)
{
    archiveKinds() = std::move(kinds);
}

int recordSizeOf(const QString &fileName)
{
    if (fileName.startsWith(u'.'))
        return 0;
    for (const ArchiveKind &k : archiveKinds()) {
        const bool match = k.name.startsWith(u'.') ? fileName.endsWith(k.name, Qt::CaseInsensitive)
                                                   : fileName.compare(k.name, Qt::CaseInsensitive) == 0;
        if (match)
            return k.recordSize;
    }
    return 0;
}

QStringList sourceFiles(const QString &programFolder)
{
    QStringList out;
    for (const QString &name : namesIn(programFolder)) {
        const QString path = withSlash(programFolder) + name;
        if (isSourceName(name) && NativeFs::status(path).kind == Kind::File)
            out << path;
    }
    return out;
}

QList<Copy> list(const QString &root)
{
    static const QRegularExpression re(QStringLiteral(R"(^(\d{4}-\d{2}-\d{2})(_\d{6}_prima_del_ripristino)?$)"));
    QList<Copy> out;
    QStringList names = namesIn(root);
    std::sort(names.begin(), names.end(), std::greater<>());
    for (const QString &name : names) {
        const auto m = re.match(name);
        const QDate date = m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd")) : QDate();
        const QString path = withSlash(root) + name;
        if (!date.isValid() || !isRealFolder(path))
            continue;
        Copy c;
        c.name = name;
        c.path = path;
        c.date = date;
        c.beforeRestore = m.hasCaptured(2);
        if (const auto manifest = BackupManifest::load(path)) {
            c.verifiable = true;
            c.files = int(manifest->entries.size());
            for (const auto &e : manifest->entries)
                c.bytes += e.size;
        } else {
            for (const QString &file : namesIn(path)) {
                const FileStatus s = NativeFs::status(withSlash(path) + file);
                if (s.kind == Kind::File) {
                    ++c.files;
                    c.bytes += s.size;
                }
            }
        }
        out << c;
    }
    return out;
}

TakeResult take(const QString &programFolder, const QString &root, const QString &name, FileCopy::Progress *progress)
{
    return takeInto({programFolder, root, name, true, false, progress, {}});
}

bool mirror(const Copy &copy, const QString &root, QString *error)
{
    return mirrorInto(copy, root, false, error);
}

int prune(const QString &root, const QDate &today, int maxRemovals)
{
    const QList<Copy> copies = list(root); // newest first
    QList<Copy> counted;
    for (const Copy &c : copies)
        if (c.date <= today)
            counted << c;
    QSet<QString> keep;
    for (int i = 0; i < qMin<qsizetype>(kRecentCopies, counted.size()); ++i)
        keep.insert(counted[i].name);
    QMap<int, QString> firstOfMonth; // visiting newest first, the last one seen is the month's first copy
    for (const Copy &c : counted)
        firstOfMonth[c.date.year() * 12 + c.date.month() - 1] = c.name;
    int months = 0;
    for (auto it = firstOfMonth.cend(); it != firstOfMonth.cbegin() && months < kMonths; ++months)
        keep.insert(*--it);

    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    int removed = 0;
    for (auto it = counted.crbegin(); it != counted.crend() && removed < maxRemovals; ++it) {
        if (keep.contains(it->name) || !isCopyFolder(it->path, root) || canonicalRoot.isEmpty())
            continue;
        if (NativeFs::removeTree(it->path))
            ++removed;
    }
    return removed;
}

QString secondFolder(const QString &programFolder)
{
    return IniFile::read(withSlash(programFolder) + settingsName(), kSection, kSecondKey).trimmed();
}

bool setSecondFolder(const QString &programFolder, const QString &folder)
{
    return IniFile::write(withSlash(programFolder) + settingsName(), kSection, kSecondKey, folder.trimmed());
}

DailyResult takeDaily(const QString &programFolder, const QDate &today)
{
    return daily(programFolder, today, false, nullptr);
}

DailyResult takeNow(const QString &programFolder, const QDate &today, FileCopy::Progress *progress)
{
    return daily(programFolder, today, true, progress);
}

void setFaultHook(std::function<bool(Step, const QString &)> hook)
{
    faultHook() = std::move(hook);
}

} // namespace Backup

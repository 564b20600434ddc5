// Restoring a safety copy, and finishing at the next start a restore that was cut short.
#include "core/ArchiveFile.h"
#include "core/Backup.h"
#include "core/BackupManifest.h"
#include "core/BackupPrivate.h"
#include "core/FileLock.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <memory>
#include <vector>

namespace {
using namespace Backup::detail;
using Kind = FileStatus::Kind;

const QString kRestoring = QStringLiteral("in_corso");
const QString kMarkerName = QStringLiteral("Ripristino.txt");
const QByteArray kMarkerForm = "Versalia ripristino 1";

// What a restore is about to do, written before its first replacement: the copy, the copy of the state before
// it, whether the password store is part of it, and every file it replaces as its staged file must hold it.
struct Marker {
    QString copyName;
    QString beforeRestore;
    bool password = false;
    BackupManifest files;

    QByteArray encode() const
    {
        return kMarkerForm + '\n' + "copia " + copyName.toUtf8() + '\n' + "prima " + beforeRestore.toUtf8() + '\n' +
               "password " + (password ? "1" : "0") + '\n' + files.encode();
    }
    static std::optional<Marker> decode(const QByteArray &bytes)
    {
        QList<QByteArray> head = bytes.split('\n').mid(0, 4);
        if (head.size() < 4 || head[0] != kMarkerForm || !head[1].startsWith("copia ") ||
            !head[2].startsWith("prima ") || !head[3].startsWith("password "))
            return std::nullopt;
        qsizetype at = 0;
        for (int i = 0; i < 4; ++i)
            at = bytes.indexOf('\n', at) + 1;
        auto files = BackupManifest::decode(bytes.mid(at));
        if (!files)
            return std::nullopt;
        return Marker{QString::fromUtf8(head[1].mid(6)), QString::fromUtf8(head[2].mid(6)), head[3].mid(9) == "1",
                      *files};
    }
};

// A restore's staging folder in the program folder, and its marker, locked for as long as the restore runs:
// a start that finds the folder with the marker free knows its restore was cut short.
class Staging {
public:
    ~Staging()
    {
        if (m_remove)
            remove();
    }
    bool create(const QString &programFolder)
    {
        m_path = FileCopy::hiddenBeside(withSlash(programFolder) + QStringLiteral("ripristino"), kRestoring);
        if (!NativeFs::makeFolder(m_path))
            return false;
        m_remove = true;
        return m_marker.open(markerPath(), NativeFile::Access::ReadWrite, NativeFile::Create::New, true) &&
               FileLock::lock(m_marker, FileLock::Kind::Exclusive, 0, 0) == FileLock::Result::Got;
    }
    // An existing staging folder; Busy while its restore still runs elsewhere.
    FileLock::Result open(const QString &path)
    {
        m_path = path;
        if (!m_marker.open(markerPath(), NativeFile::Access::ReadWrite, NativeFile::Create::Never, true))
            return FileLock::Result::Failed;
        return FileLock::lock(m_marker, FileLock::Kind::Exclusive, 0, 0);
    }
    bool write(const Marker &marker)
    {
        const QByteArray bytes = marker.encode();
        const bool ok =
            m_marker.writeAt(0, bytes.constData(), bytes.size()) && m_marker.resize(bytes.size()) && m_marker.sync();
        NativeFs::syncFolder(m_path);
        return ok;
    }
    std::optional<Marker> read() const
    {
        const qint64 size = m_marker.size();
        if (size <= 0 || size > (64 << 20))
            return std::nullopt;
        QByteArray bytes(size, Qt::Uninitialized);
        return m_marker.readAt(0, bytes.data(), size) ? Marker::decode(bytes) : std::nullopt;
    }
    // Kept (the next start finishes the restore) from the first replacement until the last.
    void keep() { m_remove = false; }
    void remove()
    {
        m_marker.close();
        NativeFs::removeTree(m_path);
        m_remove = false;
    }
    QString file(const QString &name) const { return m_path + u'/' + name; }
    const QString &path() const { return m_path; }

private:
    QString markerPath() const { return m_path + u'/' + kMarkerName; }
    QString m_path;
    NativeFile m_marker;
    bool m_remove = false;
};

using Held = std::vector<std::unique_ptr<ArchiveFile>>;

// Every archive among files held against all other workstations; the first that cannot be held stops it.
bool holdArchives(const QString &program, const QList<BackupManifest::Entry> &files, Held &held,
                  QMap<QString, ArchiveFile *> &byName, Backup::RestoreResult &r)
{
    for (const auto &e : files) {
        const int recordSize = Backup::recordSizeOf(e.name);
        if (recordSize == 0)
            continue;
        auto file = std::make_unique<ArchiveFile>(program + e.name, recordSize);
        if (!file->open() || !file->holdWhole()) {
            r.failure = file->inUse() ? Backup::RestoreResult::InUse : Backup::RestoreResult::Failed;
            r.error = file->inUse()
                          ? QStringLiteral("L'archivio %1 è in uso da un'altra postazione di lavoro.").arg(e.name)
                          : QStringLiteral("Impossibile accedere all'archivio %1.").arg(e.name);
            return false;
        }
        byName.insert(e.name, file.get());
        held.push_back(std::move(file));
    }
    return true;
}

// A staged file into its place: an archive through its hold, anything else by one rename over a plain file
// (never over a link or a folder).
bool putInPlace(const QString &staged, const QString &program, const QString &name,
                const QMap<QString, ArchiveFile *> &held)
{
    const QString target = program + name;
    if (fault(Backup::Step::Replace, target))
        return false;
    if (ArchiveFile *file = held.value(name))
        return file->replaceHeld(staged);
    const Kind there = NativeFs::status(target).kind;
    return (there == Kind::Missing || there == Kind::File) && NativeFs::replace(staged, target);
}

void syncTargets(const QString &program)
{
    NativeFs::syncFolder(program);
    if (isRealFolder(program + Backup::attachmentsName()))
        NativeFs::syncFolder(program + Backup::attachmentsName());
}

// The first name in the copy's folder that its list does not account for: a file it does not list, a link,
// anything that is not a plain file.
QString unlisted(const QString &folder, const BackupManifest &manifest)
{
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const FileStatus s = NativeFs::status(folder + u'/' + name);
        if (name == BackupManifest::fileName() && s.kind == Kind::File)
            continue;
        if (name == Backup::attachmentsName() && s.kind == Kind::Folder) {
            const QString sub = folder + u'/' + name;
            for (const QString &file :
                 QDir(sub).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
                if (NativeFs::status(sub + u'/' + file).kind != Kind::File || !manifest.find(name + u'/' + file))
                    return name + u'/' + file;
            continue;
        }
        if (s.kind != Kind::File || !manifest.find(name))
            return name;
    }
    return {};
}

QString damaged(const QString &name)
{
    return QStringLiteral("Il file %1 della copia è danneggiato: non corrisponde al file copiato quel giorno.")
        .arg(name);
}
} // namespace

namespace Backup {

RestoreResult restore(const QString &programFolder, const Copy &copy, const QDateTime &now,
                      const RestoreOptions &options, FileCopy::Progress *progress)
{
    RestoreResult r;
    const QString program = withSlash(programFolder);
    const QString root = program + rootName();
    const auto refuse = [&r](const QString &why) {
        r.failure = RestoreResult::Refused;
        r.error = why;
        return r;
    };
    if (!isCopyFolder(copy.path, root))
        return refuse(QStringLiteral("La copia %1 non è una cartella delle copie di sicurezza.").arg(copy.name));
    const auto manifest = BackupManifest::load(copy.path);
    if (!manifest)
        return refuse(
            QStringLiteral("La copia non contiene l'elenco dei file copiati (%1), che permette di verificarla: "
                           "è stata fatta da una versione precedente del programma oppure è danneggiata.")
                .arg(BackupManifest::fileName()));
    if (const QString odd = unlisted(copy.path, *manifest); !odd.isEmpty())
        return refuse(QStringLiteral("Il file %1 della copia non compare nell'elenco dei file copiati.").arg(odd));

    // What is to come back, checked against the list before anything is written.
    QList<BackupManifest::Entry> wanted;
    for (const auto &e : manifest->entries) {
        if (!isRestorableName(e.name) || (!options.only.isEmpty() && !options.only.contains(e.name)))
            continue;
        if (e.name.compare(passwordStoreName(), Qt::CaseInsensitive) == 0 && !options.password)
            continue;
        const int recordSize = recordSizeOf(e.name);
        if (recordSize > 0 && e.size % recordSize != 0)
            return refuse(
                QStringLiteral("Il file %1 della copia non contiene un numero intero di schede.").arg(e.name));
        wanted << e;
    }
    if (wanted.isEmpty())
        return refuse(QStringLiteral("La copia non contiene nessun file da ripristinare."));

    Staging staging;
    if (!staging.create(program)) {
        r.failure = RestoreResult::Failed;
        r.error = QStringLiteral("Impossibile preparare i file da ripristinare nella cartella del programma.");
        return r;
    }
    if (progress) {
        qint64 total = 0;
        for (const auto &e : wanted)
            total += e.size;
        progress->total = total;
    }
    // Every file staged beside its target and checked against the list.
    BackupManifest toReplace;
    for (const auto &e : wanted) {
        const QString live = program + e.name;
        if (isAttachment(e.name)) {
            const Kind folder = NativeFs::status(program + attachmentsName()).kind;
            if (folder == Kind::Missing)
                NativeFs::makeFolder(program + attachmentsName());
            const FileStatus s = NativeFs::status(live);
            if (!isRealFolder(program + attachmentsName()) || (s.kind != Kind::Missing && s.kind != Kind::File)) {
                r.notRestored << e.name;
                continue;
            }
            if (s.kind == Kind::File && s.size == e.size && FileCopy::sha256(live) == e.sha256)
                continue; // the same document is there already
            if (!isRealFolder(staging.file(attachmentsName())) &&
                !NativeFs::makeFolder(staging.file(attachmentsName()))) {
                r.failure = RestoreResult::Failed;
                r.error = QStringLiteral("Impossibile preparare i file da ripristinare nella cartella del programma.");
                return r;
            }
        }
        // An archive or setting that is already as the copy has it needs neither a hold nor a replacement;
        // the copy must still hold its file.
        if (!isAttachment(e.name)) {
            const FileStatus s = NativeFs::status(live);
            if (s.kind == Kind::File && s.size == e.size && FileCopy::sha256(live) == e.sha256) {
                const FileStatus copied = NativeFs::status(copy.path + u'/' + e.name);
                if (copied.kind != Kind::File || copied.size != e.size)
                    return refuse(QStringLiteral("Il file %1 della copia non può essere letto.").arg(e.name));
                continue;
            }
        }
        NativeFile in;
        if (!in.open(copy.path + u'/' + e.name, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true))
            return refuse(QStringLiteral("Il file %1 della copia non può essere letto.").arg(e.name));
        FileCopy::NewFile out(progress);
        const QString staged = staging.file(e.name);
        if (fault(Step::Write, staged) || !out.create(staged) || !out.copyFrom(in) || !out.finish(false)) {
            r.failure = out.cancelled() ? RestoreResult::None : RestoreResult::Failed;
            r.error = out.cancelled() ? QString() : QStringLiteral("Impossibile preparare il file %1.").arg(e.name);
            return r;
        }
        if (out.size() != e.size || out.sha256() != e.sha256)
            return refuse(damaged(e.name));
        if (e.name.compare(passwordStoreName(), Qt::CaseInsensitive) == 0 &&
            !(options.passwordParses && options.passwordParses(staged)))
            return refuse(QStringLiteral("Il file della password %1 della copia non è leggibile: la password non può "
                                         "essere ripristinata.")
                              .arg(e.name));
        toReplace.entries << e;
    }
    if (toReplace.entries.isEmpty()) {
        r.ok = true;
        return r;
    }
    if (!NativeFs::syncTree(staging.path())) {
        r.failure = RestoreResult::Failed;
        r.error = QStringLiteral("Impossibile preparare i file da ripristinare nella cartella del programma.");
        return r;
    }

    // From here on every archive replaced is held against all other workstations, from before the copy of the
    // present state until its replacement is in place: no save can fall between the two, or into the old file.
    Held held;
    QMap<QString, ArchiveFile *> byName;
    const QString before = dayName(now.date()) + now.time().toString(QStringLiteral("_hhmmss")) + beforeRestoreSuffix();
    TakeJob job;
    job.programFolder = program;
    job.root = root;
    job.name = before;
    job.strict = false; // the present state whole, odd sizes included: it is what the restore replaces
    job.progress = progress;
    job.hold = [&](QMap<QString, ArchiveFile *> &forCopy) {
        const bool got = holdArchives(program, toReplace.entries, held, byName, r);
        forCopy = byName;
        return got;
    };
    const TakeResult present = takeInto(job);
    if (!present.ok) {
        if (r.failure == RestoreResult::None) {
            r.failure = present.cancelled ? RestoreResult::None
                        : present.inUse   ? RestoreResult::InUse
                                          : RestoreResult::Failed;
            r.error = present.error;
        }
        return r;
    }
    r.beforeRestore = before;
    if (!staging.write({copy.name, before, options.password, toReplace})) {
        r.failure = RestoreResult::Failed;
        r.error = QStringLiteral("Impossibile scrivere nella cartella del programma.");
        return r;
    }
    staging.keep();
    for (const auto &e : toReplace.entries) {
        if (!putInPlace(staging.file(e.name), program, e.name, byName)) {
            // Left for the next start, which finishes it from the staged files.
            r.failure = RestoreResult::Failed;
            r.error =
                QStringLiteral("Impossibile sostituire il file %1: il ripristino verrà completato al prossimo avvio "
                               "del programma.")
                    .arg(e.name);
            syncTargets(program);
            return r;
        }
        r.restored << e.name;
    }
    syncTargets(program);
    held.clear();
    staging.remove();
    r.ok = true;
    return r;
}

RecoveryResult finishInterruptedRestore(const QString &programFolder, const QDateTime &now,
                                        const std::function<bool(const QString &)> &passwordParses)
{
    RecoveryResult r;
    const QString program = withSlash(programFolder);
    if (!isRealFolder(program))
        return r;
    const QStringList names =
        QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    const qint64 hourAgo = QDateTime::currentMSecsSinceEpoch() - 3600 * 1000;
    for (const QString &name : names) {
        const QString path = program + name;
        const FileStatus s = NativeFs::status(path);
        // Staged files of the first version's restore, which had no marker: never put in place.
        static const QRegularExpression firstVersion(QStringLiteral(R"(^\..+\.ripristino-\d+$)"));
        if (s.kind == Kind::File && firstVersion.match(name).hasMatch() && s.modifiedMs < hourAgo) {
            NativeFs::removeFile(path);
            continue;
        }
        if (!FileCopy::isHiddenWork(name, kRestoring) || s.kind != Kind::Folder)
            continue;
        Staging staging;
        const FileLock::Result got = staging.open(path);
        if (got == FileLock::Result::Busy)
            continue; // that restore is still running on another workstation
        const auto marker = got == FileLock::Result::Got ? staging.read() : std::nullopt;
        if (!marker) {
            staging.remove(); // cut short before its first replacement: nothing was changed
            continue;
        }
        r.copyName = marker->copyName;
        BackupManifest pending;
        QStringList replaced;
        bool whole = true;
        for (const auto &e : marker->files.entries) {
            const QString staged = staging.file(e.name);
            if (NativeFs::status(staged).kind == Kind::Missing) {
                replaced << e.name;
                continue;
            }
            pending.entries << e;
            NativeFile f;
            whole = whole && f.open(staged, NativeFile::Access::ReadOnly, NativeFile::Create::Never, true) &&
                    f.size() == e.size && FileCopy::sha256(f) == e.sha256;
        }
        if (whole) {
            Held held;
            QMap<QString, ArchiveFile *> byName;
            RestoreResult holding;
            if (!holdArchives(program, pending.entries, held, byName, holding)) {
                r.outcome = RecoveryResult::Pending;
                r.error = holding.error;
                return r;
            }
            for (const auto &e : pending.entries) {
                if (!putInPlace(staging.file(e.name), program, e.name, byName)) {
                    syncTargets(program);
                    r.outcome = RecoveryResult::Pending;
                    r.error = QStringLiteral("Impossibile sostituire il file %1.").arg(e.name);
                    return r;
                }
            }
            syncTargets(program);
            r.outcome = RecoveryResult::Completed;
            r.beforeRestore = marker->beforeRestore;
            for (const auto &e : marker->files.entries)
                r.restored << e.name;
        } else {
            // A staged file is damaged: what had been replaced goes back to the state before the restore, itself
            // copied first as any restore does.
            const QString root = program + rootName();
            std::optional<Copy> before;
            for (const Copy &c : list(root))
                if (c.name == marker->beforeRestore)
                    before = c;
            if (!before) {
                r.outcome = RecoveryResult::Pending;
                r.error = QStringLiteral("La copia %1 non è disponibile.").arg(marker->beforeRestore);
                return r;
            }
            if (!replaced.isEmpty()) {
                const RestoreResult back =
                    restore(program, *before, now, {marker->password, passwordParses, replaced}, nullptr);
                if (!back.ok) {
                    r.outcome = RecoveryResult::Pending;
                    r.error = back.error;
                    return r;
                }
                r.beforeRestore = back.beforeRestore;
                r.restored = back.restored;
            }
            r.outcome = RecoveryResult::RolledBack;
        }
        staging.remove();
    }
    return r;
}

} // namespace Backup

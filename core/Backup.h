#pragma once
// Daily safety copies of the program folder into Copie_di_sicurezza/AAAA-MM-GG/: the archives, the settings,
// the password store and the attachments folder; their retention; and restoring one. No widgets here: the
// start-up runs the daily copy on a worker thread, the copies window its copies and restores.
//
// A copy is built in a hidden staging folder, its list of files (BackupManifest) written last, and renamed
// into place only when every file landed, so a day folder is always whole; a copy that fails leaves the
// copies and the program folder as they were. Nothing in the copies folder or the attachments folder is
// ever read, written or removed through a link.
//
// A restore checks the copy against its list, stages every file beside its target, then, holding every
// archive it replaces against all other workstations, copies the present state, leaves a marker, and puts
// the staged files in place. A restore cut short (the process killed) is finished or undone at the next
// start from the marker, before that start's daily copy.

#include "core/FileCopy.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace Backup {

QString rootName();          // "Copie_di_sicurezza", inside the program folder
QString settingsName();      // the INI file in the program folder that names the second folder
QString attachmentsName();   // "Documenti_Allegati", copied with the archives
QString passwordStoreName(); // "unins000.dll": restored only when asked for

// The files a copy takes from the program folder: the slip and deadline archives, the applicant archive,
// the print margins and the password store; plain files only.
QStringList sourceFiles(const QString &programFolder);
// The archives the program keeps, told by the application at start: a name beginning with a dot is an extension
// ("<year>.pse"), any other a whole file name ("Richiedenti.pro"). The record layouts belong to the subsystems.
struct ArchiveKind {
    QString name;
    int recordSize;
};
void setArchiveKinds(QList<ArchiveKind> kinds);
// The record size of an archive's file name; 0 for a file that is no archive.
int recordSizeOf(const QString &fileName);

struct Copy {
    QString name; // folder name: AAAA-MM-GG, or AAAA-MM-GG_hhmmss_prima_del_ripristino
    QString path;
    QDate date;
    bool beforeRestore = false;
    bool verifiable = false; // carries its list of files (copies of the first version do not)
    int files = 0;
    qint64 bytes = 0;
};

// The copies under root, newest first: real folders with a copy's name. Anything else there (other folders,
// files, links of any name) is not ours and is ignored.
QList<Copy> list(const QString &root);

struct TakeResult {
    bool ok = false;
    bool inUse = false; // an archive was held by another workstation past the bounded wait
    QString inUseFile;  // which one
    bool cancelled = false;
    QString error;       // why it failed, a sentence naming the file
    QStringList skipped; // files left out: not a whole number of records, or larger than 1 GiB
};

// Copies every source file and the attachments into root/name, each archive read under the writers' lock.
// Nothing is left under root/name when it fails.
TakeResult take(const QString &programFolder, const QString &root, const QString &name,
                FileCopy::Progress *progress = nullptr);

// Copies a finished copy folder into root/name, whole or not at all, checking it against its list (the
// second folder).
bool mirror(const Copy &copy, const QString &root, QString *error = nullptr);

// Keeps the 10 most recent copies and the first copy of each of the 12 most recent months that have one;
// a copy dated after today is kept and not counted. Removes at most maxRemovals of the others, oldest
// first: one new copy displaces at most one of the ten and one monthly copy, so a clock that jumps never
// empties the folder. Returns how many it removed.
int prune(const QString &root, const QDate &today, int maxRemovals = 2);

struct DailyResult {
    enum Outcome { Taken, AlreadyTaken, NothingToCopy, Failed, InUse };
    Outcome outcome = NothingToCopy;
    QString error;        // why the copy in the program folder failed
    QString inUseFile;    // the archive another workstation held (InUse)
    QStringList skipped;  // files the copy left out
    QString secondFolder; // the second folder, when one is set
    QString secondError;  // why the copy into the second folder failed; empty when it did not
};

// At the first start of a day: today's copy in the program folder (and in the second folder when one is
// set), then the old copies pruned. Later starts of the same day find the day folder and only bring it to a
// second folder that was not there before (a USB stick plugged in later). No copy is taken while a restore
// is unfinished.
DailyResult takeDaily(const QString &programFolder, const QDate &today);
// "Copia adesso": today's copy taken again, replacing today's folder once the new one is whole.
DailyResult takeNow(const QString &programFolder, const QDate &today, FileCopy::Progress *progress = nullptr);

// The second folder (a USB stick, another disk) kept in the settings INI; empty when none.
QString secondFolder(const QString &programFolder);
bool setSecondFolder(const QString &programFolder, const QString &folder);

struct RestoreOptions {
    bool password = false; // the password store too (the access password goes back to that day's)
    // Whether a staged password store can be read as one; a store that cannot is never restored.
    std::function<bool(const QString &path)> passwordParses;
    QStringList only; // when not empty, only these names (relative to the copy's folder)
};

struct RestoreResult {
    enum Failure { None, InUse, Refused, Failed };
    bool ok = false;
    Failure failure = None;
    QString beforeRestore;   // name of the copy of the state found before restoring
    QStringList restored;    // names put back, relative to the program folder
    QStringList notRestored; // attachments left alone: a link or a folder has their name
    QString error;           // why it was refused or failed, a sentence naming the file
};

// Checks copy against its list, then replaces the program folder's files by those of the copy, as described
// above. Files of the copy that are the same as the present ones, and present files the copy does not hold,
// are left alone.
RestoreResult restore(const QString &programFolder, const Copy &copy, const QDateTime &now,
                      const RestoreOptions &options = {}, FileCopy::Progress *progress = nullptr);

struct RecoveryResult {
    enum Outcome { Nothing, Completed, RolledBack, Pending };
    Outcome outcome = Nothing;
    QString copyName;      // the copy the interrupted restore came from
    QString beforeRestore; // the copy of the state before it (Completed), or of the state found (RolledBack)
    QStringList restored;
    QString error; // Pending: why it could not be finished now
};

// At start, before the daily copy: a restore that was cut short is finished from its staged files when they
// are all whole, otherwise the files it had replaced are put back from its copy of the state before it;
// its staged files are removed. Pending when it can be done neither now (an archive in use): the next
// start tries again, and no daily copy is taken meanwhile.
RecoveryResult finishInterruptedRestore(const QString &programFolder, const QDateTime &now,
                                        const std::function<bool(const QString &path)> &passwordParses = {});

// Tests: a step that fails (true) or does something (a kill) on the way. Write: a file written into a copy
// or staged; Replace: a staged file put in place by a restore.
enum class Step { Write, Replace };
void setFaultHook(std::function<bool(Step, const QString &path)> hook);

} // namespace Backup

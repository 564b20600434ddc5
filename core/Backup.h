#pragma once
// Daily safety copies of the program folder's archives and settings into Copie_di_sicurezza/AAAA-MM-GG/,
// their retention, and restoring one. No widgets here: the start-up runs the daily copy on a worker thread.
//
// A copy is built in a hidden staging folder and renamed into place only when every file landed, so a day
// folder is always whole; a copy that fails leaves the copies and the program folder as they were.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace Backup {

QString rootName();     // "Copie_di_sicurezza", inside the program folder
QString settingsName(); // the INI file in the program folder that names the second folder

// The files a copy takes from the program folder: the slip and deadline archives, the applicant archive,
// the print margins and the password store. The attachments folder is never changed, so it is not copied.
QStringList sourceFiles(const QString &programFolder);

struct Copy {
    QString name; // folder name: AAAA-MM-GG, or AAAA-MM-GG_hhmmss_prima_del_ripristino
    QString path;
    QDate date;
    bool beforeRestore = false;
    int files = 0;
    qint64 bytes = 0;
};

// The copies under root, newest first; other folders there are not ours and are ignored.
QList<Copy> list(const QString &root);

// Copies every source file into root/name, each file read under the archives' lock. False, with the reason
// in error, when any file could not be read or written; nothing is left under root/name then.
bool take(const QString &programFolder, const QString &root, const QString &name, QString *error = nullptr);

// Copies a finished copy folder into root/name, whole or not at all (the second folder).
bool mirror(const Copy &copy, const QString &root, QString *error = nullptr);

// Keeps the copies of the 10 most recent days that have one and the first copy of each of the 12 calendar
// months ending with today's; removes the others.
void prune(const QString &root, const QDate &today);

struct DailyResult {
    enum Outcome { Taken, AlreadyTaken, NothingToCopy, Failed };
    Outcome outcome = NothingToCopy;
    QString error;        // why the copy in the program folder failed
    QString secondFolder; // the second folder, when one is set
    QString secondError;  // why the copy into the second folder failed; empty when it did not
};

// At the first start of a day: today's copy in the program folder (and in the second folder when one is
// set), then the old copies pruned. Later starts of the same day find the day folder and only bring it to a
// second folder that was not there before (a USB stick plugged in later).
DailyResult takeDaily(const QString &programFolder, const QDate &today);

// The second folder (a USB stick, another disk) kept in the settings INI; empty when none.
QString secondFolder(const QString &programFolder);
bool setSecondFolder(const QString &programFolder, const QString &folder);

struct RestoreResult {
    bool ok = false;
    QString beforeRestore; // name of the copy of the state found before restoring
    QStringList restored;  // file names put back
    QString error;
};

// Takes a copy of the present state, then replaces the program folder's files by those of copy. The files
// are staged first: when any cannot be written, none is replaced.
RestoreResult restore(const QString &programFolder, const Copy &copy, const QDateTime &now);

// Reads a whole file under a shared lock over all of it, so a writer holding the archives' exclusive lock
// is never caught half way.
bool readLocked(const QString &path, QByteArray &bytes);

// Tests: makes writing the given destination file fail (a full disk, a read-only folder).
void setFaultHook(std::function<bool(const QString &destination)> hook);

} // namespace Backup

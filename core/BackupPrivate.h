#pragma once
// What the copies and the restore share inside core/: not for other units.

#include "core/Backup.h"

#include <QMap>

class ArchiveFile;

namespace Backup::detail {

bool fault(Step step, const QString &path);
QString withSlash(const QString &folder);
QString dayName(const QDate &date);
QString beforeRestoreSuffix(); // "_prima_del_ripristino"
bool isRealFolder(const QString &path);
// A copy's folder: a real folder directly inside root (itself a real folder), its canonical path there too.
bool isCopyFolder(const QString &path, const QString &root);
// The names a restore may put back: the source files and "Documenti_Allegati/<bare name>".
bool isRestorableName(const QString &name);
bool isAttachment(const QString &name);

struct TakeJob {
    QString programFolder;
    QString root;
    QString name;
    bool strict = true;           // a daily copy: archives of an odd size or larger than 1 GiB are left out
    bool replaceExisting = false; // "Copia adesso": the new copy takes the place of one of the same name
    FileCopy::Progress *progress = nullptr;
    // A restore: called once everything is copied and on the disk; holds the archives it will replace (by
    // file name) against every other workstation, or says false. Each held archive that changed since it
    // was copied is copied again through its hold, so the copy is the state the restore replaces.
    std::function<bool(QMap<QString, ArchiveFile *> &held)> hold;
};
TakeResult takeInto(const TakeJob &job);

} // namespace Backup::detail

#pragma once
// The one flat folder "Documenti_Allegati" in the program folder that keeps the attached files of applicants
// and slips. Records hold bare names only, so every name given out here is one the archive can store and
// that names a file really in the folder.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace AttachmentFolder {
inline constexpr int kNameCapacity = 250;

QString path(); // with trailing separator

// A name the archive can store and every system can create: letters outside Windows-1252 transliterated or
// replaced, no separators, reserved characters or blanks at the ends, the names Windows keeps for devices
// (CON, NUL, COM1...) given a suffix, at most capacity characters with the extension kept.
QString storableName(const QString &fileName, int capacity = kNameCapacity);

// Copies the chosen file into the folder and returns the bare name that now refers to it. A file already
// in the folder, or one of that name with the same content, is referenced without a copy; a different file
// of that name is replaced only when the user says so, otherwise the copy takes the first free
// "name (n).ext". A name held by a link or a folder is never replaced or written through: the copy takes a
// free name. The copy runs off the interface thread with a progress bar that can cancel it. Nothing attached
// (nullopt) after a failure, which is reported with a warning, or a cancel, which leaves nothing behind.
std::optional<QString> attach(QWidget *parent, const QString &sourcePath);

// The full path of a stored name, or empty unless it is a bare name of a plain file (no link) inside the folder.
QString fileFor(const QString &storedName);

// Tests: the folder's file operations fail on demand (the tests run as root, for whom nothing is read-only).
// Block is asked before every block of a copy (a slow or failing disk).
enum class Op { MakeFolder, Copy, Commit, Block };
void setFaultHook(std::function<bool(Op, const QString &path)> hook);
} // namespace AttachmentFolder

#pragma once
// Replacing a small settings file (the margins, the password store) so that a full disk, a failing device
// or a crash never leaves it empty or half written: the old file stays until the new one is known good.

#include <QByteArray>
#include <QString>
#include <functional>

namespace SafeFile {

// Test fault points: Flush (the bytes handed to the system), Sync, Close, Rename.
enum class Step { Flush, Sync, Close, Rename };

// Writes bytes to a temporary file beside path, syncs and closes it, reads it back, and only then renames
// it over path, keeping the old file's permissions. Where the folder allows no new file but the file itself
// may be written, the file is rewritten in place and its old bytes put back on any failure.
// False on any failure; path then holds its old bytes.
bool replace(const QString &path, const QByteArray &bytes);

// Tests: the hook returns true to make that step fail.
void setFaultHook(std::function<bool(Step, const QString &path)> hook);

} // namespace SafeFile

#pragma once
#include <QString>

// The folder of the running executable, with its trailing separator. Archives, settings, the guide and
// the warning sound all live there, so the folder can be copied elsewhere and keeps working.
namespace ProgramFolder {
QString path();
QString file(const QString &name);       // path() + name
void setOverride(const QString &folder); // tests: a temporary program folder; empty = the executable's
} // namespace ProgramFolder

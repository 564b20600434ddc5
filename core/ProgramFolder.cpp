#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overridden()
{
    static QString s;
    return s;
}
} // namespace

namespace ProgramFolder {
QString path()
{
    QString p = overridden().isEmpty() ? QCoreApplication::applicationDirPath() : overridden();
    p = QDir::toNativeSeparators(QDir::cleanPath(p));
    if (!p.endsWith(QDir::separator()))
        p += QDir::separator();
    return p;
}
QString file(const QString &name)
{
    return path() + name;
}
void setOverride(const QString &folder)
{
    overridden() = folder;
}
} // namespace ProgramFolder

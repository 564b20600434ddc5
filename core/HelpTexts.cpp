#include "core/HelpTexts.h"

#include "core/Seams.h"

#include <QFile>
#include <QStringList>

namespace HelpTexts {
HelpPage page(const QString &name)
{
    QFile file(QStringLiteral(":/help/") + name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString all = QString::fromUtf8(file.readAll()).remove(QLatin1Char('\r')).trimmed();
    const QStringList parts = all.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    return {parts.first().trimmed(), parts.mid(1).join(QStringLiteral("\r\n\r\n"))};
}

void show(QWidget *parent, const QString &name)
{
    const HelpPage p = page(name);
    Seams::Help::show(parent, p.title, p.text);
}
} // namespace HelpTexts

#include "core/Formats.h"

#include <QLocale>

namespace Formats {
void applyProcessFormats() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

QString dateText(const QDate &date) { return date.toString(QStringLiteral("dd/MM/yyyy")); }

QDate parseDateText(const QString &text)
{
    // Day, month and a four-digit year with "/"; one-digit day or month is tolerated as a short form.
    const QString t = text.trimmed();
    const auto parts = t.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool okD, okM, okY;
    const int d = parts[0].toInt(&okD), m = parts[1].toInt(&okM), y = parts[2].toInt(&okY);
    if (!okD || !okM || !okY || parts[2].size() != 4 || parts[0].isEmpty() || parts[0].size() > 2 ||
        parts[1].isEmpty() || parts[1].size() > 2)
        return {};
    for (const auto &p : parts)
        for (QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return {};
    return QDate(y, m, d);
}
} // namespace Formats

QString Formats::timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

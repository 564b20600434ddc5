#include "core/Formats.h"

#include <QLocale>

namespace Formats {
void applyProcessFormats()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

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

QDate firstTypedDate()
{
    return QDate(1900, 1, 1);
}
QDate lastTypedDate()
{
    return QDate(2099, 12, 31);
}

QDate readTypedDate(const QString &text)
{
    const QString t = text.trimmed();
    QStringList parts;
    if (t.contains(QLatin1Char('/'))) {
        parts = t.split(QLatin1Char('/'));
    } else if (t.size() == 6 || t.size() == 8) {
        parts = {t.left(2), t.mid(2, 2), t.mid(4)};
    }
    if (parts.size() != 3)
        return {};
    const auto digits = [](const QString &p, int min, int max) {
        if (p.size() < min || p.size() > max)
            return false;
        for (QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        return true;
    };
    if (!digits(parts[0], 1, 2) || !digits(parts[1], 1, 2) || !digits(parts[2], 2, 4) || parts[2].size() == 3)
        return {};
    const int year = parts[2].size() == 2 ? 2000 + parts[2].toInt() : parts[2].toInt();
    const QDate d(year, parts[1].toInt(), parts[0].toInt());
    return d.isValid() && d >= firstTypedDate() && d <= lastTypedDate() ? d : QDate();
}
} // namespace Formats

QString Formats::timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

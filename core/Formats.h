#pragma once
#include <QDate>
#include <QString>
#include <QTime>

// Dates are always "dd/mm/yyyy" and decimals always use the comma, whatever the user's regional settings.
namespace Formats {
void applyProcessFormats();          // process-wide default locale: Italian formats
QString dateText(const QDate &date); // "dd/MM/yyyy"
QDate parseDateText(const QString &text); // invalid when the text is no existing day in that form
// "HH:mm:ss": the locale's long time format would add a time zone name.
QString timeText(const QTime &time);
} // namespace Formats

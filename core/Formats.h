#pragma once
#include <QDate>
#include <QString>
#include <QTime>

// Dates are always "dd/mm/yyyy" and decimals always use the comma, whatever the user's regional settings.
namespace Formats {
void applyProcessFormats();               // process-wide default locale: Italian formats
QString dateText(const QDate &date);      // "dd/MM/yyyy"
QDate parseDateText(const QString &text); // invalid when the text is no existing day in that form
// A date as users type it: "dd/mm/yyyy", "d/m/yy", "ddmmyyyy" or "ddmmyy"; a two-digit year is 20yy. Invalid
// when it is no existing day or lies outside 1900-2099, the years the archives' dates can hold.
QDate readTypedDate(const QString &text);
QDate firstTypedDate(); // 01/01/1900
QDate lastTypedDate();  // 31/12/2099
// "HH:mm:ss": the locale's long time format would add a time zone name.
QString timeText(const QTime &time);
} // namespace Formats

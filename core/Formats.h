#pragma once
#include <QDate>
#include <QString>

// Dates are always "dd/mm/yyyy" and decimals always use the comma, whatever the user's regional settings.
namespace Formats {
void applyProcessFormats();          // process-wide default locale: Italian formats
QString dateText(const QDate &date); // "dd/MM/yyyy"
QDate parseDateText(const QString &text); // invalid when the text is no existing day in that form
} // namespace Formats

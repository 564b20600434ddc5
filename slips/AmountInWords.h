#pragma once
#include <QString>
#include <optional>

// Amounts are signed fixed-point numbers with four decimals (10000 units = one euro), as currency values.
using Currency = qint64;

QString ThreeDigitWords(int n); // 0..999, lower case; 0 gives the empty text
QString AmountInWords(Currency amount);
// A decimal text with "," as separator (blanks around it allowed); nothing when it is not a number.
std::optional<Currency> ParseCurrency(const QString &text);

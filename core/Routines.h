#pragma once
#include <QString>
#include <cstdint>

// Small text and number routines shared by every editing unit.
bool IsAllDigits(const QString &text);
QString LeftText(const QString &text, int count);
QString RightText(const QString &text, int count);
QString MidText(const QString &text, int start, int count); // start is 1-based
double RoundDecimal(double value, int digits);
bool IsValidDateText(const QString &text);
int32_t IntPower(int32_t base, int exponent);
int32_t PowerOfTen(int exponent);

// Letters a to z turned into capitals; every other character (accented letters included) kept.
QString UpperAZ(const QString &text);
// Letters A to Z turned into small letters; every other character kept.
QString LowerAZ(const QString &text);
// Blanks and control characters (every code up to the space) removed at both ends.
QString TrimControls(const QString &text);
// Trimmed, then padded with blanks or cut on the right to exactly width characters.
QString FixedColumn(const QString &text, int width);
// An amount typed as digits with at most one comma, rounded half up to four decimals and written in its
// shortest form with at least two decimals ("12" -> "12,00", "3,14159" -> "3,1416", ",5" -> "0,50").
// Anything else, a sign or an exponent included, becomes "0,00". Exact decimal arithmetic: no exponent
// and no precision loss however long the number.
QString FormatAmountText(const QString &text);

#include "core/Routines.h"

#include "core/Formats.h"

#include <cmath>

bool IsAllDigits(const QString &text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString LeftText(const QString &text, int count)
{
    return count <= 0 ? QString() : text.left(count);
}

QString RightText(const QString &text, int count)
{
    return count <= 0 ? QString() : text.right(count);
}

QString MidText(const QString &text, int start, int count)
{
    if (count <= 0 || start > text.size())
        return {};
    if (start < 1) {
        count -= 1 - start;
        start = 1;
        if (count <= 0)
            return {};
    }
    return text.mid(start - 1, count);
}

double RoundDecimal(double value, int digits)
{
    const double factor = digits == 0 ? 1.0 : std::pow(10.0, digits);
    return std::trunc(value * factor + 0.5) / factor;
}

bool IsValidDateText(const QString &text)
{
    return Formats::parseDateText(text).isValid();
}

int32_t IntPower(int32_t base, int exponent)
{
    int64_t r = 1;
    for (int i = 0; i < exponent; ++i)
        r = static_cast<int32_t>(r * base);
    return static_cast<int32_t>(r);
}

int32_t PowerOfTen(int exponent)
{
    return IntPower(10, exponent);
}

QString UpperAZ(const QString &text)
{
    QString r = text;
    for (QChar &c : r)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return r;
}

QString LowerAZ(const QString &text)
{
    QString r = text;
    for (QChar &c : r)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return r;
}

QString TrimControls(const QString &text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text.at(b).unicode() <= 32)
        ++b;
    while (e > b && text.at(e - 1).unicode() <= 32)
        --e;
    return text.mid(b, e - b);
}

QString FixedColumn(const QString &text, int width)
{
    QString t = text.trimmed();
    if (t.size() >= width)
        return t.left(width);
    return t + QString(width - t.size(), QLatin1Char(' '));
}

QString FormatAmountText(const QString &text)
{
    static const QString zero = QStringLiteral("0,00");
    const QString t = text.trimmed();
    const qsizetype comma = t.indexOf(QLatin1Char(','));
    QString whole = comma < 0 ? t : t.left(comma);
    QString frac = comma < 0 ? QString() : t.mid(comma + 1);
    if (!IsAllDigits(whole) || !IsAllDigits(frac) || (whole.isEmpty() && frac.isEmpty()))
        return zero;
    if (frac.size() > 4) {
        const bool up = frac[4] >= QLatin1Char('5');
        frac.truncate(4);
        if (up) {
            // Carry through the four decimals and on into the whole part.
            QString digits = whole + frac;
            qsizetype i = digits.size() - 1;
            for (; i >= 0 && digits[i] == QLatin1Char('9'); --i)
                digits[i] = QLatin1Char('0');
            if (i >= 0)
                digits[i] = QChar(digits[i].unicode() + 1);
            else
                digits.prepend(QLatin1Char('1'));
            whole = digits.left(digits.size() - 4);
            frac = digits.right(4);
        }
    }
    while (frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    if (frac.size() < 2)
        frac = frac.leftJustified(2, QLatin1Char('0'));
    return whole + QLatin1Char(',') + frac;
}

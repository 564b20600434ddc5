#include "slips/AmountInWords.h"

#include "core/Routines.h"

#include <array>

namespace {
constexpr std::array<const char *, 10> kUnits = {"",       "uno", "due",   "tre",  "quattro",
                                                 "cinque", "sei", "sette", "otto", "nove"};
constexpr std::array<const char *, 10> kTeens = {"dieci",    "undici", "dodici",      "tredici",  "quattordici",
                                                 "quindici", "sedici", "diciassette", "diciotto", "diciannove"};
constexpr std::array<const char *, 10> kTens = {"",          "",         "venti",    "trenta",  "quaranta",
                                                "cinquanta", "sessanta", "settanta", "ottanta", "novanta"};
constexpr std::array<const char *, 10> kTensOne = {
    "", "", "ventuno", "trentuno", "quarantuno", "cinquantuno", "sessantuno", "settantuno", "ottantuno", "novantuno"};
constexpr std::array<const char *, 10> kHundreds = {
    "",         "cento",      "duecento",  "trecento", "quattrocento", "cinquecento",
    "seicento", "settecento", "ottocento", "novecento"};

QString words(const char *w)
{
    return QString::fromLatin1(w);
}

// Whole euros in words; groups are fused with their scale words, nothing between the pieces.
QString wholeWords(qint64 w)
{
    if (w < 1000)
        return ThreeDigitWords(int(w));
    struct Scale {
        qint64 unit;
        const char *one;
        const char *many;
    };
    // The billions group takes whatever lies above it, so amounts past the slip's range still read right.
    static constexpr std::array<Scale, 3> scales = {
        {{1000000000LL, "unmiliardo", "miliardi"}, {1000000LL, "unmilione", "milioni"}, {1000LL, "mille", "mila"}}};
    QString text;
    qint64 rest = w;
    for (const auto &s : scales) {
        const qint64 g = rest / s.unit;
        rest %= s.unit;
        if (g == 0)
            continue;
        text += g == 1 ? words(s.one) : wholeWords(g) + words(s.many);
    }
    return text + ThreeDigitWords(int(rest));
}
} // namespace

QString ThreeDigitWords(int n)
{
    if (n <= 0 || n > 999)
        return {};
    const int h = n / 100, t = (n / 10) % 10, u = n % 10;
    QString text = words(kUnits[size_t(u)]);
    if (t == 1)
        text = words(kTeens[size_t(u)]);
    else if (t >= 2)
        text = u == 1 ? words(kTensOne[size_t(t)]) : words(kTens[size_t(t)]) + text;
    return words(kHundreds[size_t(h)]) + text;
}

QString AmountInWords(Currency amount)
{
    const bool negative = amount < 0;
    const quint64 a = negative ? quint64(-(amount + 1)) + 1 : quint64(amount);
    const qint64 whole = qint64(a / 10000);
    const int fraction = int(a % 10000);
    // Cents rounded to the nearest, halves to the even neighbour.
    int cents = fraction / 100;
    const int rest = fraction % 100;
    if (rest > 50 || (rest == 50 && (cents % 2) == 1))
        ++cents;

    QString text = whole == 0 ? QStringLiteral("zero") : wholeWords(whole);
    if (cents != 0)
        text += QStringLiteral(" e ") + ThreeDigitWords(cents) + QStringLiteral(" centesimi");
    if (negative)
        text.prepend(QStringLiteral("- "));
    return UpperAZ(text);
}

std::optional<Currency> ParseCurrency(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    const qsizetype comma = t.indexOf(QLatin1Char(','), i);
    const QString whole = t.mid(i, comma < 0 ? -1 : comma - i);
    const QString frac = comma < 0 ? QString() : t.mid(comma + 1);
    if ((whole.isEmpty() && frac.isEmpty()) || !IsAllDigits(whole) || !IsAllDigits(frac) || frac.size() > 4)
        return std::nullopt;
    // The currency range: 922 337 203 685 477 euros.
    if (whole.size() > 15)
        return std::nullopt;
    const qint64 w = whole.isEmpty() ? 0 : whole.toLongLong();
    const qint64 f = (frac + QString(4 - frac.size(), QLatin1Char('0'))).toLongLong();
    const qint64 v = w * 10000 + f;
    return negative ? -v : v;
}

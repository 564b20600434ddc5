#include "checks/IdentifierChecks.h"

#include "core/Routines.h"

#include <array>
#include <map>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Values of the fiscal-code characters "0".."Z" in odd and even positions. The seven punctuation
// characters between "9" and "A" are worth 0.
constexpr int FiscalTableSize = 'Z' - '0' + 1;
constexpr std::array<int, FiscalTableSize> FiscalOdd = {
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21,                                                            // 0..9
    0, 0, 0, 0, 0, 0,  0,                                                                         // : ; < = > ? @
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23, // A..Z
};
constexpr std::array<int, FiscalTableSize> FiscalEven = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9,                                                                 // 0..9
    0, 0, 0, 0, 0, 0, 0,                                                                          // : ; < = > ? @
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, // A..Z
};

const std::map<QString, QString> &vatOffices()
{
    static const std::map<QString, QString> offices = [] {
        const char *names[] = {
            "Torino",
            "Vercelli",
            "Novara",
            "Cuneo",
            "Asti",
            "Alessandria",
            "Aosta",
            "Imperia",
            "Savona",
            "Genova 1",
            "La Spezia",
            "Varese",
            "Como",
            "Sondrio",
            "Milano 1",
            "Bergamo",
            "Brescia 1",
            "Pavia",
            "Cremona",
            "Mantova",
            "Bolzano",
            "Trento",
            "Verona",
            "Vicenza",
            "Belluno",
            "Treviso",
            "Venezia",
            "Padova",
            "Rovigo",
            "Udine",
            "Gorizia",
            "Trieste",
            "Piacenza",
            "Parma",
            "Reggio Emilia",
            "Modena",
            "Bologna 1",
            "Ferrara",
            "Ravenna",
            "Forlì",
            "Pesaro",
            "Ancona",
            "Macerata",
            "Ascoli Piceno",
            "Massa Carrara",
            "Lucca",
            "Pistoia",
            "Firenze 1",
            "Livorno",
            "Pisa",
            "Arezzo",
            "Siena",
            "Grosseto",
            "Perugia",
            "Terni",
            "Viterbo",
            "Rieti",
            "Roma 1",
            "Latina",
            "Frosinone",
            "Caserta",
            "Benevento",
            "Napoli 1",
            "Avellino",
            "Salerno",
            "Aquila",
            "Teramo",
            "Pescara",
            "Chieti",
            "Campobasso",
            "Foggia",
            "Bari",
            "Taranto",
            "Brindisi",
            "Lecce",
            "Potenza",
            "Matera",
            "Cosenza",
            "Catanzaro",
            "Reggio Calabria",
            "Trapani",
            "Palermo",
            "Messina",
            "Agrigento",
            "Caltanissetta",
            "Enna",
            "Catania",
            "Ragusa",
            "Siracusa",
            "Sassari",
            "Nuoro",
            "Cagliari",
            "Pordenone",
            "Isernia",
            "Oristano",
            "Monza (Milano 2)",
            "Prato (Firenze 2)",
            "Brescia 2",
            "Chiavari (Genova 2)",
            "Roma 2",
            "Bologna 2",
            "Napoli 2",
        };
        static_assert(std::size(names) == 102);
        std::map<QString, QString> m;
        for (int i = 0; i < 102; ++i)
            m.emplace(QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')), QString::fromUtf8(names[i]));
        // Later codes of the same offices.
        m.emplace(QStringLiteral("120"), m.at(QStringLiteral("101")));
        m.emplace(QStringLiteral("121"), m.at(QStringLiteral("102")));
        return m;
    }();
    return offices;
}

} // namespace

bool IsFiscalCodeValid(const QString &code)
{
    if (code.size() != 16)
        return false;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const char16_t c = code[i].unicode();
        if (c < u'0' || c > u'Z')
            return false; // outside the tables: not an alphanumeric code
        // i is 0-based: even i is an odd position.
        sum += (i % 2 == 0 ? FiscalOdd : FiscalEven)[c - u'0'];
    }
    return code[15] == QChar(char16_t(u'A' + sum % 26));
}

bool IsVatNumberValid(const QString &number)
{
    if (number.size() != 11 || !IsAllDigits(number))
        return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const int d = number[i].unicode() - u'0';
        if (i % 2 == 0) {
            sum += d;
        } else {
            const int twice = 2 * d;
            sum += twice / 10 + twice % 10;
        }
    }
    const int check = (10 - sum % 10) % 10;
    return number[10].unicode() - u'0' == check;
}

QString VatOfficeName(const QString &code)
{
    const auto &offices = vatOffices();
    const auto it = offices.find(code);
    return it == offices.end() ? QString() : it->second;
}

int ClassifyCardNumber(const QString &text)
{
    QString digits;
    for (QChar c : text.left(20))
        if (isDigit(c))
            digits += c;
    if (digits.isEmpty())
        return 0;
    const int n = int(digits.size());
    int sum = 0;
    // Doubling starts at the digit just before the check digit and goes leftwards every second digit.
    for (int i = n - 2, doubled = 1; i >= 0; --i, doubled ^= 1) {
        int d = digits[i].unicode() - u'0';
        if (doubled) {
            d *= 2;
            if (d >= 10)
                d -= 9;
        }
        sum += d;
    }
    const int check = (10 - sum % 10) % 10;
    if (digits[n - 1].unicode() - u'0' != check)
        return 0;
    return (digits[0].unicode() - u'0') - 2;
}

QString IbanLettersToDigits(const QString &text)
{
    QString out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            out += QString::number(c.unicode() - u'A' + 10);
        else
            out += c;
    }
    return out;
}

int IbanRemainder(const QString &text)
{
    QString t = UpperAZ(text);
    const qsizetype word = t.indexOf(QLatin1String("IBAN"));
    if (word >= 0)
        t.remove(word, 4);
    t = IbanLettersToDigits(t.mid(4) + t.left(4));

    // Pieces small enough that the carry and the piece never exceed nine digits.
    const qsizetype total = t.size();
    QString carry;
    qsizetype pos = 0;
    qsizetype pieceLength = 9;
    int remainder = 0;
    while (pos < total) {
        if (pieceLength > total)
            pieceLength = total;
        carry += t.mid(pos, pieceLength);
        if (!IsAllDigits(carry))
            return 0;
        remainder = int(carry.toLongLong() % 97);
        pos += pieceLength;
        carry = QString::number(remainder);
        pieceLength = 9 - carry.size();
    }
    return remainder;
}

bool IsIbanValid(const QString &text)
{
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    return IbanRemainder(compact) == 1;
}

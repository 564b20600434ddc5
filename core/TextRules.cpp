#include "core/TextRules.h"

#include "core/Cp1252.h"
#include "core/Routines.h"

#include <QHash>

namespace TextRules {

namespace {

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

// Letters without a canonical decomposition, written as the letter they are read as.
char16_t baseLetter(char16_t c)
{
    static const QHash<char16_t, char16_t> table = {
        {u'ł', u'l'}, {u'Ł', u'L'}, {u'đ', u'd'}, {u'Đ', u'D'}, {u'ı', u'i'}, {u'ħ', u'h'}, {u'Ħ', u'H'},
        {u'ŧ', u't'}, {u'Ŧ', u'T'}, {u'ŀ', u'l'}, {u'Ŀ', u'L'}, {u'ĸ', u'k'}, {u'ŋ', u'n'}, {u'Ŋ', u'N'},
        {u'ſ', u's'}, {u'ƀ', u'b'}, {u'Ɨ', u'I'}, {u'ɨ', u'i'}, {u'ǥ', u'g'}, {u'Ǥ', u'G'}, {u'ƶ', u'z'},
        {u'Ƶ', u'Z'}, {u'ə', u'e'}, {u'Ə', u'E'}, {u'ȷ', u'j'}, {u'ɗ', u'd'}, {u'Ɗ', u'D'}, {u'ƙ', u'k'},
        {u'Ƙ', u'K'}, {u'ɓ', u'b'}, {u'Ɓ', u'B'}, {u'ƴ', u'y'}, {u'Ƴ', u'Y'},
    };
    return table.value(c, 0);
}

// The Latin form of one character outside the code page, or nothing when it has none.
QString latinForm(const QString &c)
{
    if (c.size() == 1)
        if (const char16_t b = baseLetter(c[0].unicode()))
            return QString(QChar(b));
    // Decomposition without the marks: ș -> s, ễ -> e, İ -> I; compatibility forms too (ĳ -> ij, Ａ -> A).
    QString base;
    for (QChar d : c.normalized(QString::NormalizationForm_KD)) {
        const auto cat = d.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing)
            continue;
        if (const char16_t b = baseLetter(d.unicode()))
            d = QChar(b);
        if (!d.isLetter() || d.unicode() > 0x24F || !Cp1252::canEncode(d))
            return {};
        base += d;
    }
    return base;
}

} // namespace

Outcome apply(const QString &in, unsigned rules, const QList<TextRule> &own)
{
    Outcome out;
    if (rules & Digits) {
        const QString t = (rules & Trim) ? in.trimmed() : in;
        out.rejected = !IsAllDigits(t);
        out.text = t;
        for (const auto &rule : own) {
            if (out.rejected)
                break;
            const auto kept = rule(out.text);
            out.rejected = !kept;
            out.text = kept.value_or(out.text);
        }
        return out;
    }
    // A one-line field never holds a line break: each break (CR LF counted once) becomes one blank.
    QString text;
    text.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in[i];
        if (c == QLatin1Char('\r') && i + 1 < in.size() && in[i + 1] == QLatin1Char('\n'))
            continue;
        text += isControl(c) ? QChar(QLatin1Char(' ')) : c;
    }
    if (rules & Archive)
        text = archiveText(text, &out.refused);
    if (rules & Trim)
        text = text.trimmed();
    if (rules & Upper)
        text = UpperAZ(text);
    for (const auto &rule : own) {
        const auto kept = rule(text);
        if (!kept) {
            out.rejected = true;
            break;
        }
        text = *kept;
    }
    out.text = text;
    return out;
}

QString archiveText(const QString &text, QString *refused)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (Cp1252::canEncode(c) && !c.isSurrogate()) {
            out += c;
            continue;
        }
        // A character beyond the basic plane is a surrogate pair: one character, never half of one.
        const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString one = text.mid(i, n);
        i += n - 1;
        const QString latin = latinForm(one);
        if (!latin.isEmpty())
            out += latin;
        else if (refused && !refused->contains(one))
            *refused += one;
    }
    return out;
}

QString refusedHint(const QString &refused)
{
    const bool one = refused.size() == 1 || (refused.size() == 2 && refused[0].isHighSurrogate());
    return one ? QStringLiteral("Carattere non ammesso: «%1» non può essere archiviato.").arg(refused)
               : QStringLiteral("Caratteri non ammessi: «%1» non possono essere archiviati.").arg(refused);
}

std::optional<QString> amountText(const QString &t)
{
    if (t.count(QLatin1Char(',')) > 1)
        return std::nullopt;
    for (QChar c : t)
        if (c != QLatin1Char(',') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return std::nullopt;
    return t;
}

} // namespace TextRules

// What a field with each set of rules keeps of a text, without any control: the archive's code page, capitals,
// trimming, digits, line breaks and amounts.

#include "core/TextRules.h"

#include <QtTest>

using namespace TextRules;
using namespace Qt::StringLiterals;

class TestTextRules : public QObject {
    Q_OBJECT
private slots:
    void keptText_data();
    void keptText();
    void ownRulesComeLast();
    void refusedHint();
    void amounts_data();
    void amounts();
};

void TestTextRules::keptText_data()
{
    QTest::addColumn<unsigned>("rules");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<bool>("rejected");
    const unsigned free = Archive, upper = Upper | Archive, trimUpper = Trim | Upper | Archive;
    // Letters the code page lacks become their base letter, its own stay; what has no Latin form is named.
    QTest::newRow("ł") << free << u"łukasz"_s << u"lukasz"_s << u""_s << false;
    QTest::newRow("dotted capital I") << free << u"ŞİŞLİ"_s << u"SISLI"_s << u""_s << false;
    QTest::newRow("stacked marks") << free << u"Nguyễn Thị"_s << u"Nguyen Thi"_s << u""_s << false;
    QTest::newRow("ř goes, á stays") << free << u"Dvořák"_s << u"Dvorák"_s << u""_s << false;
    QTest::newRow("code page letters") << free << u"Ærø š"_s << u"Ærø š"_s << u""_s << false;
    QTest::newRow("compatibility forms") << free << u"ĳＡ"_s << u"ijA"_s << u""_s << false;
    QTest::newRow("cyrillic, each once") << free << u"Анна Ivanova"_s << u" Ivanova"_s << u"Ана"_s << false;
    QTest::newRow("beyond the basic plane") << free << u"a\U0001F600b"_s << u"ab"_s << u"\U0001F600"_s << false;
    QTest::newRow("line breaks") << free << u"via Roma 1\r\nMilano\tx"_s << u"via Roma 1 Milano x"_s << u""_s << false;
    // Capitals are a to z only.
    QTest::newRow("upper") << upper << u"città è ../x 1e5"_s << u"CITTà è ../X 1E5"_s << u""_s << false;
    QTest::newRow("upper after base letter") << upper << u"łódź"_s << u"LóDZ"_s << u""_s << false;
    QTest::newRow("upper, lines") << upper << u"via\nroma"_s << u"VIA ROMA"_s << u""_s << false;
    QTest::newRow("trim and upper") << trimUpper << u" 1e5\n"_s << u"1E5"_s << u""_s << false;
    // A digit field refuses anything else whole, blanks too unless it trims.
    QTest::newRow("digits") << unsigned(Digits) << u"2024"_s << u"2024"_s << u""_s << false;
    QTest::newRow("digits, letters") << unsigned(Digits) << u"12ab"_s << u"12ab"_s << u""_s << true;
    QTest::newRow("digits, sign") << unsigned(Digits) << u"-5"_s << u"-5"_s << u""_s << true;
    QTest::newRow("digits, line break") << unsigned(Digits) << u"12\n34"_s << u"12\n34"_s << u""_s << true;
    QTest::newRow("digits, blank") << unsigned(Digits) << u" 16"_s << u" 16"_s << u""_s << true;
    QTest::newRow("digits, trimmed") << unsigned(Digits | Trim) << u" 16 "_s << u"16"_s << u""_s << false;
}

void TestTextRules::keptText()
{
    QFETCH(unsigned, rules);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QFETCH(QString, refused);
    QFETCH(bool, rejected);
    const Outcome o = apply(text, rules);
    QCOMPARE(o.text, kept);
    QCOMPARE(o.refused, refused);
    QCOMPARE(o.rejected, rejected);
    if (rules & Archive) {
        QString alone;
        archiveText(text, &alone);
        QCOMPARE(alone, refused);
    }
}

void TestTextRules::ownRulesComeLast()
{
    // A window's own rule sees the text after the built-in rules, and refuses it whole.
    QStringList seen;
    const TextRule atMostOneComma = [&](const QString &t) -> std::optional<QString> {
        seen << t;
        return t.count(QLatin1Char(',')) > 1 ? std::nullopt : std::optional<QString>(t);
    };
    QCOMPARE(apply(u" a,ł "_s, Trim | Upper | Archive, {atMostOneComma}).text, u"A,L"_s);
    QCOMPARE(seen, QStringList{u"A,L"_s});
    const Outcome twice = apply(u"a,b,c"_s, Upper, {atMostOneComma});
    QVERIFY(twice.rejected);
    // In a digit field an own rule runs only on digits.
    seen.clear();
    QVERIFY(apply(u"1x"_s, Digits, {atMostOneComma}).rejected);
    QVERIFY(seen.isEmpty());
    const TextRule never = [](const QString &) -> std::optional<QString> { return std::nullopt; };
    QVERIFY(apply(u"12"_s, Digits, {never}).rejected);
}

void TestTextRules::refusedHint()
{
    QCOMPARE(TextRules::refusedHint(u"Ж"_s), u"Carattere non ammesso: «Ж» non può essere archiviato."_s);
    QCOMPARE(TextRules::refusedHint(u"\U0001F600"_s),
             u"Carattere non ammesso: «\U0001F600» non può essere archiviato."_s);
    QCOMPARE(TextRules::refusedHint(u"北京"_s), u"Caratteri non ammessi: «北京» non possono essere archiviati."_s);
}

void TestTextRules::amounts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("kept");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("whole") << u"1250"_s << true;
    QTest::newRow("comma") << u"12,50"_s << true;
    QTest::newRow("comma last") << u"12,"_s << true;
    QTest::newRow("two commas") << u"1,2,3"_s << false;
    QTest::newRow("point") << u"12.50"_s << false;
    QTest::newRow("sign") << u"-5"_s << false;
    QTest::newRow("blank") << u"12 "_s << false;
    QTest::newRow("euro") << u"€5"_s << false;
    QTest::newRow("other digits") << u"١٢"_s << false;
}

void TestTextRules::amounts()
{
    QFETCH(QString, typed);
    QFETCH(bool, kept);
    const auto out = amountText(typed);
    QCOMPARE(out.has_value(), kept);
    if (kept)
        QCOMPARE(*out, typed);
}

QTEST_GUILESS_MAIN(TestTextRules)
#include "test_text_rules.moc"

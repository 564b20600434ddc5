#include "checks/IdentifierChecks.h"

#include <QtTest>

namespace {
// An independent reckoning of the fiscal-code check letter: the odd-position values are the places of the
// letters in this string (a digit counts as the letter of the same place, 0 = A).
QChar fiscalCheckLetter(const QString &first15)
{
    static const QString odd = QStringLiteral("BAKPLCQDREVOSFTGUHMINJWZYX");
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = first15[i];
        const int place = c.isDigit() ? c.digitValue() : c.unicode() - 'A';
        sum += (i % 2 == 0) ? int(odd.indexOf(QChar(char16_t('A' + place)))) : place;
    }
    return QChar(char16_t('A' + sum % 26));
}
} // namespace

class TestChecksRoutines : public QObject {
    Q_OBJECT
private slots:
    void fiscalCode_data();
    void fiscalCode();
    void fiscalCodeOracleAgrees();
    void fiscalCodeOutsideTablesNeverValid_data();
    void fiscalCodeOutsideTablesNeverValid();
    void vatNumber_data();
    void vatNumber();
    void vatOffices_data();
    void vatOffices();
    void vatOfficeCodesCovered();
    void cardClass_data();
    void cardClass();
    void ibanLetters_data();
    void ibanLetters();
    void ibanRemainder_data();
    void ibanRemainder();
    void ibanValid_data();
    void ibanValid();
};

void TestChecksRoutines::fiscalCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("worked example") << QStringLiteral("AAAAAA00A00A000I") << true;
    QTest::newRow("worked example, other letter") << QStringLiteral("AAAAAA00A00A000J") << false;
    QTest::newRow("male, Rome") << QStringLiteral("RSSMRA85T10A562S") << true;
    QTest::newRow("male, Milan") << QStringLiteral("MRTMTT25D09F205Z") << true;
    QTest::newRow("female, day + 40") << QStringLiteral("BNCLRA92E45H501C") << true;
    QTest::newRow("male, Turin") << QStringLiteral("VRDGPP80A01L219M") << true;
    QTest::newRow("born abroad") << QStringLiteral("SMTJHN70M10Z114T") << true;
    QTest::newRow("born abroad, female") << QStringLiteral("CHNWEI95S50Z210R") << true;
    QTest::newRow("omocodia letter") << QStringLiteral("RSSMRA85T10A56NH") << true;
    QTest::newRow("wrong check letter") << QStringLiteral("RSSMRA85T10A562T") << false;
    QTest::newRow("two characters swapped") << QStringLiteral("RSSMRA85T01A562S") << false;
    QTest::newRow("digit as check character") << QStringLiteral("RSSMRA85T10A5621") << false;
    QTest::newRow("structure not examined") << QStringLiteral("0000000000000000") << false;
    QTest::newRow("punctuation between 9 and A worth 0") << QStringLiteral("AAAAAA00A00A00:H") << true;
    QTest::newRow("small letters") << QStringLiteral("rssmra85t10a562s") << false;
    QTest::newRow("15 characters") << QStringLiteral("RSSMRA85T10A562") << false;
    QTest::newRow("17 characters") << QStringLiteral("RSSMRA85T10A562SX") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestChecksRoutines::fiscalCode()
{
    QFETCH(QString, code);
    QFETCH(bool, valid);
    QCOMPARE(IsFiscalCodeValid(code), valid);
}

void TestChecksRoutines::fiscalCodeOracleAgrees()
{
    // Every character of the tables in every position, against the independent reckoning.
    const QString chars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (int pos = 0; pos < 15; ++pos) {
        for (QChar c : chars) {
            QString first15 = QStringLiteral("KLLMHM88C12Z330");
            first15[pos] = c;
            const QChar right = fiscalCheckLetter(first15);
            QVERIFY2(IsFiscalCodeValid(first15 + right), qPrintable(first15 + right));
            const QChar wrong(char16_t('A' + (right.unicode() - 'A' + 1) % 26));
            QVERIFY2(!IsFiscalCodeValid(first15 + wrong), qPrintable(first15 + wrong));
        }
    }
}

void TestChecksRoutines::fiscalCodeOutsideTablesNeverValid_data()
{
    QTest::addColumn<QString>("first15");
    QTest::newRow("accented letter") << QStringLiteral("RSSMRÀ85T10A562");
    QTest::newRow("hyphen") << QStringLiteral("RSSMRA-5T10A562");
    QTest::newRow("inner blank") << QStringLiteral("RSS MRA5T10A562");
    QTest::newRow("small letter") << QStringLiteral("RSSMRa85T10A562");
    QTest::newRow("just past Z") << QStringLiteral("RSSMRA85T10A56[");
    QTest::newRow("just before 0") << QStringLiteral("/SSMRA85T10A562");
    QTest::newRow("far outside") << QStringLiteral("RSSMRA85T10A56€");
}

void TestChecksRoutines::fiscalCodeOutsideTablesNeverValid()
{
    QFETCH(QString, first15);
    for (char16_t last = u'0'; last <= u'Z'; ++last)
        QVERIFY2(!IsFiscalCodeValid(first15 + QChar(last)), qPrintable(first15 + QChar(last)));
}

void TestChecksRoutines::vatNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("valid");
    QTest::newRow("worked example, Roma 1") << QStringLiteral("00000000588") << true;
    QTest::newRow("worked example, Bologna 2") << QStringLiteral("12345671205") << true;
    QTest::newRow("worked example, wrong") << QStringLiteral("12345671204") << false;
    QTest::newRow("Torino") << QStringLiteral("00488410010") << true;
    QTest::newRow("Roma 2") << QStringLiteral("00905811006") << true;
    QTest::newRow("Milano 1") << QStringLiteral("98765430156") << true;
    QTest::newRow("Forlì") << QStringLiteral("02112340407") << true;
    QTest::newRow("Monza") << QStringLiteral("04567890969") << true;
    QTest::newRow("all zeros") << QStringLiteral("00000000000") << true;
    QTest::newRow("last digit off by one") << QStringLiteral("00488410011") << false;
    QTest::newRow("two digits swapped") << QStringLiteral("04088410010") << false;
    QTest::newRow("letter in 11 characters") << QStringLiteral("0048841001A") << false;
    QTest::newRow("blank in 11 characters") << QStringLiteral("0048841 010") << false;
    QTest::newRow("10 digits") << QStringLiteral("0048841001") << false;
    QTest::newRow("12 digits") << QStringLiteral("004884100100") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestChecksRoutines::vatNumber()
{
    QFETCH(QString, number);
    QFETCH(bool, valid);
    QCOMPARE(IsVatNumberValid(number), valid);
}

void TestChecksRoutines::vatOffices_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("office");
    QTest::newRow("001") << QStringLiteral("001") << QStringLiteral("Torino");
    QTest::newRow("010") << QStringLiteral("010") << QStringLiteral("Genova 1");
    QTest::newRow("040") << QStringLiteral("040") << QStringLiteral("Forlì");
    QTest::newRow("058") << QStringLiteral("058") << QStringLiteral("Roma 1");
    QTest::newRow("066") << QStringLiteral("066") << QStringLiteral("Aquila");
    QTest::newRow("080") << QStringLiteral("080") << QStringLiteral("Reggio Calabria");
    QTest::newRow("092") << QStringLiteral("092") << QStringLiteral("Cagliari");
    QTest::newRow("096") << QStringLiteral("096") << QStringLiteral("Monza (Milano 2)");
    QTest::newRow("099") << QStringLiteral("099") << QStringLiteral("Chiavari (Genova 2)");
    QTest::newRow("101") << QStringLiteral("101") << QStringLiteral("Bologna 2");
    QTest::newRow("102") << QStringLiteral("102") << QStringLiteral("Napoli 2");
    QTest::newRow("120") << QStringLiteral("120") << QStringLiteral("Bologna 2");
    QTest::newRow("121") << QStringLiteral("121") << QStringLiteral("Napoli 2");
    QTest::newRow("000") << QStringLiteral("000") << QString();
    QTest::newRow("103") << QStringLiteral("103") << QString();
    QTest::newRow("119") << QStringLiteral("119") << QString();
    QTest::newRow("122") << QStringLiteral("122") << QString();
    QTest::newRow("999") << QStringLiteral("999") << QString();
    QTest::newRow("no leading zero") << QStringLiteral("58") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestChecksRoutines::vatOffices()
{
    QFETCH(QString, code);
    QFETCH(QString, office);
    QCOMPARE(VatOfficeName(code), office);
}

void TestChecksRoutines::vatOfficeCodesCovered()
{
    for (int code = 0; code < 1000; ++code) {
        const QString text = QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
        const bool hasOffice = (code >= 1 && code <= 102) || code == 120 || code == 121;
        QVERIFY2(VatOfficeName(text).isEmpty() != hasOffice, qPrintable(text));
    }
}

void TestChecksRoutines::cardClass_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("cardClass");
    QTest::newRow("Visa") << QStringLiteral("4111111111111111") << 2;
    QTest::newRow("Visa 2") << QStringLiteral("4012888888881881") << 2;
    QTest::newRow("MasterCard") << QStringLiteral("5555555555554444") << 3;
    QTest::newRow("MasterCard 2") << QStringLiteral("5105105105105100") << 3;
    QTest::newRow("MasterCard, last digit changed") << QStringLiteral("5555555555554445") << 0;
    QTest::newRow("American Express") << QStringLiteral("378282246310005") << 1;
    QTest::newRow("American Express 34") << QStringLiteral("371449635398431") << 1;
    QTest::newRow("Discover") << QStringLiteral("6011111111111117") << 4;
    QTest::newRow("JCB") << QStringLiteral("3530111333300000") << 1;
    QTest::newRow("Diners, 14 digits") << QStringLiteral("30569309025904") << 1;
    QTest::newRow("passes, begins with 7") << QStringLiteral("79927398713") << 5;
    QTest::newRow("fails, begins with 7") << QStringLiteral("79927398710") << 0;
    QTest::newRow("passes, begins with 2") << QStringLiteral("22210000000009") << 0;
    QTest::newRow("passes, begins with 1") << QStringLiteral("10000000000008") << -1;
    QTest::newRow("passes, begins with 0") << QStringLiteral("00000000000000") << -2;
    QTest::newRow("passes, begins with 9") << QStringLiteral("90000000000001") << 7;
    QTest::newRow("two digits") << QStringLiteral("42") << 2;
    QTest::newRow("one digit") << QStringLiteral("4") << 0;
    QTest::newRow("groups with blanks") << QStringLiteral("4111 1111 1111 1111") << 2;
    QTest::newRow("groups with hyphens") << QStringLiteral("5555-5555-5555-4444") << 3;
    // Only the first 20 characters count: the hyphens push the last group's digits out.
    QTest::newRow("20 characters with separators") << QStringLiteral("4111-1111-1111-1111-1") << 2;
    QTest::newRow("separators push digits past 20") << QStringLiteral("4111--1111--1111--1111") << 0;
    QTest::newRow("20 digits") << QStringLiteral("41234567890123456787") << 2;
    QTest::newRow("digits after the 20th ignored") << QStringLiteral("412345678901234567875") << 2;
    QTest::newRow("20 digits, last changed") << QStringLiteral("41234567890123456788") << 0;
    QTest::newRow("no digits") << QStringLiteral("ABCD") << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestChecksRoutines::cardClass()
{
    QFETCH(QString, number);
    QFETCH(int, cardClass);
    QCOMPARE(ClassifyCardNumber(number), cardClass);
}

void TestChecksRoutines::ibanLetters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");
    QTest::newRow("A and Z") << QStringLiteral("AZ") << QStringLiteral("1035");
    QTest::newRow("Italian head") << QStringLiteral("IT60X") << QStringLiteral("18296033");
    QTest::newRow("others unchanged") << QStringLiteral("a1 -À") << QStringLiteral("a1 -À");
    QTest::newRow("empty") << QString() << QString();
}

void TestChecksRoutines::ibanLetters()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);
    QCOMPARE(IbanLettersToDigits(text), digits);
}

void TestChecksRoutines::ibanRemainder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("remainder");
    QTest::newRow("worked example") << QStringLiteral("IT60X0542811101000000123456") << 1;
    QTest::newRow("worked example, last digit 7") << QStringLiteral("IT60X0542811101000000123457") << 28;
    QTest::newRow("small letters") << QStringLiteral("it60x0542811101000000123456") << 1;
    QTest::newRow("word IBAN in front") << QStringLiteral("IBANIT60X0542811101000000123456") << 1;
    QTest::newRow("GB, one digit changed") << QStringLiteral("GB82WEST12345698765433") << 28;
    QTest::newRow("DE, one digit changed") << QStringLiteral("DE89370400440532013001") << 28;
    QTest::newRow("blank") << QStringLiteral("IT60 X0542811101000000123456") << 0;
    QTest::newRow("hyphen") << QStringLiteral("IT60-X0542811101000000123456") << 0;
    QTest::newRow("accented letter") << QStringLiteral("IT60À0542811101000000123456") << 0;
    QTest::newRow("short") << QStringLiteral("97") << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestChecksRoutines::ibanRemainder()
{
    QFETCH(QString, text);
    QFETCH(int, remainder);
    QCOMPARE(IbanRemainder(text), remainder);
}

void TestChecksRoutines::ibanValid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("Italy") << QStringLiteral("IT60X0542811101000000123456") << true;
    QTest::newRow("United Kingdom") << QStringLiteral("GB82WEST12345698765432") << true;
    QTest::newRow("Germany") << QStringLiteral("DE89370400440532013000") << true;
    QTest::newRow("France") << QStringLiteral("FR1420041010050500013M02606") << true;
    QTest::newRow("Netherlands") << QStringLiteral("NL91ABNA0417164300") << true;
    QTest::newRow("Switzerland") << QStringLiteral("CH9300762011623852957") << true;
    QTest::newRow("Spain") << QStringLiteral("ES9121000418450200051332") << true;
    QTest::newRow("groups of four") << QStringLiteral("IT60 X054 2811 1010 0000 0123 456") << true;
    QTest::newRow("word IBAN and blank in front") << QStringLiteral("IBAN GB82WEST12345698765432") << true;
    QTest::newRow("small letters") << QStringLiteral("fr1420041010050500013m02606") << true;
    QTest::newRow("Italy, last digit 7") << QStringLiteral("IT60X0542811101000000123457") << false;
    QTest::newRow("France, check digits swapped") << QStringLiteral("FR4120041010050500013M02606") << false;
    QTest::newRow("hyphens") << QStringLiteral("IT60-X054-2811-1010-0000-0123-456") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestChecksRoutines::ibanValid()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsIbanValid(text), valid);
}

QTEST_GUILESS_MAIN(TestChecksRoutines)
#include "test_checks_routines.moc"

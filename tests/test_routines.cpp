#include "core/Cp1252.h"
#include "core/Formats.h"
#include "core/Record.h"
#include "core/Routines.h"

#include <QRandomGenerator>
#include <QtTest>

class TestRoutines : public QObject {
    Q_OBJECT
private slots:
    void fieldCodec_data();
    void fieldCodec();
    void lengthByteBeyondCapacity();
    void yesNoBytes();
    void decoderOverArbitraryBytes();
    void sharedRoutines();
    void dateTexts_data();
    void dateTexts();
    void amountTexts_data();
    void amountTexts();
};

void TestRoutines::fieldCodec_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("accented") << QStringLiteral("Città") << 16
                              << QByteArray("\x05"
                                            "Citt\xE0",
                                            6)
                              << QStringLiteral("Città");
    QTest::newRow("euro") << QStringLiteral("€ 16,00") << 11 << QByteArray("\x07\x80 16,00", 8)
                          << QStringLiteral("€ 16,00");
    QTest::newRow("cyrillic") << QStringLiteral("ИВАН") << 10 << QByteArray("\x04????", 5) << QStringLiteral("????");
    QTest::newRow("outside BMP is one ?") << QStringLiteral("A\U0001F600B") << 10
                                          << QByteArray("\x03"
                                                        "A?B",
                                                        4)
                                          << QStringLiteral("A?B");
    const QString sixty = QString(60, QLatin1Char('X'));
    QTest::newRow("cut to capacity") << sixty << 44 << (QByteArray(1, char(44)) + QByteArray(44, 'X'))
                                     << QString(44, QLatin1Char('X'));
    QTest::newRow("blanks and controls trimmed") << QStringLiteral(" \t ROSSI MARIO \r\n") << 44
                                                 << QByteArray("\x0BROSSI MARIO", 12) << QStringLiteral("ROSSI MARIO");
    QTest::newRow("empty") << QString() << 5 << QByteArray("\x00", 1) << QString();
    QTest::newRow("undefined byte survives")
        << QString(QChar(0x8D)) << 2 << QByteArray("\x01\x8D", 2) << QString(QChar(0x8D));
}

void TestRoutines::fieldCodec()
{
    QFETCH(QString, text);
    QFETCH(int, capacity);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);
    QByteArray field(capacity + 1, '\x55');
    FieldCodec::write(field.data(), capacity, text);
    QCOMPARE(field.left(stored.size()), stored);
    // Bytes past the length are left as they were.
    QCOMPARE(field.mid(stored.size()), QByteArray(capacity + 1 - stored.size(), '\x55'));
    QCOMPARE(FieldCodec::read(field.constData(), capacity), readBack);
}

void TestRoutines::lengthByteBeyondCapacity()
{
    // A damaged or foreign file: the length byte says 255 in a field of capacity 2.
    QByteArray rec("\xFF"
                   "AB"
                   "CDEFG",
                   8);
    QCOMPARE(FieldCodec::read(rec.constData(), 2), QStringLiteral("AB"));
}

void TestRoutines::yesNoBytes()
{
    QByteArray f(3, '\0');
    FieldCodec::write(f.data(), 2, FieldCodec::yes());
    QCOMPARE(f, QByteArray("\x02\x53\xEC", 3));
    FieldCodec::write(f.data(), 2, FieldCodec::no());
    QCOMPARE(f, QByteArray("\x02\x4E\x6F", 3));
}

void TestRoutines::decoderOverArbitraryBytes()
{
    QRandomGenerator rng(20241210);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(rng.bounded(300)), '\0');
        for (auto &b : bytes)
            b = char(rng.bounded(256));
        // Every byte string survives decode then encode.
        QCOMPARE(Cp1252::encode(Cp1252::decode(bytes)), bytes);
        // Reading a field never goes past its capacity, whatever its length byte.
        const int capacity = 1 + int(rng.bounded(255));
        QByteArray field = QByteArray(1, char(rng.bounded(256))) + QByteArray(capacity, 'Z') + QByteArray(300, 'Q');
        const QString t = FieldCodec::read(field.constData(), capacity);
        QVERIFY(t.size() <= capacity);
        QVERIFY(!t.contains(QLatin1Char('Q')));
    }
}

void TestRoutines::sharedRoutines()
{
    QVERIFY(IsAllDigits(QString()));
    QVERIFY(IsAllDigits(QStringLiteral("0123456789")));
    QVERIFY(!IsAllDigits(QStringLiteral("12a")));
    QVERIFY(!IsAllDigits(QStringLiteral("١٢"))); // other scripts' digits are not decimal digits here
    QCOMPARE(RightText(QStringLiteral("2024"), 2), QStringLiteral("24"));
    QCOMPARE(RightText(QStringLiteral("24"), 5), QStringLiteral("24"));
    QCOMPARE(LeftText(QStringLiteral("ab"), 5), QStringLiteral("ab"));
    QCOMPARE(LeftText(QStringLiteral("abcdef"), 2), QStringLiteral("ab"));
    QCOMPARE(MidText(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    QCOMPARE(MidText(QStringLiteral("abcdef"), 5, 10), QStringLiteral("ef"));
    QCOMPARE(MidText(QStringLiteral("abc"), 4, 1), QString());
    QCOMPARE(RoundDecimal(1.25, 1), 1.3);
    QCOMPARE(RoundDecimal(-1.25, 1), -1.2);
    QCOMPARE(RoundDecimal(2.5, 0), 3.0);
    QCOMPARE(IntPower(2, 10), 1024);
    QCOMPARE(IntPower(7, 0), 1);
    QCOMPARE(PowerOfTen(9), 1000000000);
    QCOMPARE(UpperAZ(QStringLiteral("città é")), QStringLiteral("CITTà é"));
    QCOMPARE(FixedColumn(QStringLiteral("  AB "), 4), QStringLiteral("AB  "));
    QCOMPARE(FixedColumn(QStringLiteral("ABCDEF"), 4), QStringLiteral("ABCD"));
}

void TestRoutines::dateTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("31 February") << QStringLiteral("31/02/2024") << false;
    QTest::newRow("leap day") << QStringLiteral("29/02/2024") << true;
    QTest::newRow("no leap day") << QStringLiteral("29/02/2023") << false;
    QTest::newRow("month 13") << QStringLiteral("01/13/2024") << false;
    QTest::newRow("month-first order") << QStringLiteral("12/31/2024") << false;
    QTest::newRow("dashes") << QStringLiteral("01-02-2024") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("letters") << QStringLiteral("aa/bb/cccc") << false;
    QTest::newRow("ordinary") << QStringLiteral("05/03/2024") << true;
}

void TestRoutines::dateTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidDateText(text), valid);
}

void TestRoutines::amountTexts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QList<QPair<const char *, const char *>> cases = {
        {"", "0,00"},         {"12", "12,00"},       {"12,5", "12,50"},
        {"12,345", "12,345"}, {"3,14159", "3,1416"}, {",5", "0,50"},
        {",", "0,00"},        {"-5", "0,00"},        {"1e5", "0,00"},
        {"1,2,3", "0,00"},    {"0,0001", "0,0001"},  {"100000000000000", "100000000000000,00"},
        {"9,99995", "10,00"}, {"007", "7,00"},       {"1234,5000", "1234,50"},
        {" 12 ", "12,00"},    {"12,", "12,00"},      {"12 5", "0,00"},
    };
    for (const auto &[typed, shown] : cases)
        QTest::newRow(typed) << QString::fromUtf8(typed) << QString::fromUtf8(shown);
}

void TestRoutines::amountTexts()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(FormatAmountText(typed), shown);
}

QTEST_GUILESS_MAIN(TestRoutines)
#include "test_routines.moc"

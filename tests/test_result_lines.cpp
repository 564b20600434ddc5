// The lines of the list and search windows without a window: fixed-width columns, case-folded order and find.

#include "core/LineFormat.h"
#include "core/ResultLines.h"

#include <QtTest>
#include <array>

namespace {
constexpr std::array<FieldDef, 3> kFields{
    {{"Nome", 20, "txtNome"}, {"Citta", 20, "txtCitta"}, {"Note", 40, "txtNote"}}};
constexpr RecordLayout kLayout{kFields};
} // namespace

class TestResultLines : public QObject {
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void foldedOrder_data();
    void foldedOrder();
    void sortKeepsFileOrderOfEqualLines();
    void findFolded_data();
    void findFolded();
};

void TestResultLines::columns_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("citta");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("line");
    // Nome in 6 columns, " | ", Nome and Citta joined in 12, then the note as it is.
    QTest::newRow("padded") << "ROSSI"
                            << "ROMA"
                            << "urgente"
                            << "ROSSI  | ROSSI ROMA  urgente";
    QTest::newRow("cut on the right") << "BIANCHINI"
                                      << "MILANO"
                                      << ""
                                      << "BIANCH | BIANCHINI MI";
    QTest::newRow("blanks trimmed first") << "  VERDI "
                                          << " PISA"
                                          << " a b "
                                          << "VERDI  | VERDI PISA  a b";
    QTest::newRow("empty record") << ""
                                  << ""
                                  << ""
                                  << "       |             ";
}

void TestResultLines::columns()
{
    QFETCH(QString, nome);
    QFETCH(QString, citta);
    QFETCH(QString, note);
    QFETCH(QString, line);
    Record r(kLayout);
    r.setText("Nome", nome);
    r.setText("Citta", citta);
    r.setText("Note", note);
    LineFormat f;
    f.column(0, 6).literal(QStringLiteral(" | ")).joined(0, 1, 12).tail(2);
    QCOMPARE(f(RecordView(kLayout, r.bytes().constData())), line);
    QCOMPARE(f.width(), 21);
}

void TestResultLines::foldedOrder_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("less");
    QTest::newRow("case folded") << "abc"
                                 << "ABD" << true;
    QTest::newRow("equal but for case, one way") << "ABC"
                                                 << "abc" << false;
    QTest::newRow("equal but for case, the other") << "abc"
                                                   << "ABC" << false;
    QTest::newRow("prefix first") << "AB"
                                  << "ABC" << true;
    QTest::newRow("only a to z fold: é after Z") << "é"
                                                 << "Z" << false;
    QTest::newRow("Z before é") << "Z"
                                << "é" << true;
    QTest::newRow("blank before letters") << "ROSSI ANNA"
                                          << "ROSSIANNA" << true;
    // Long equal stretches are compared four characters at a time: a difference anywhere must still count.
    QTest::newRow("past a long stretch") << "ROSSI MARIO VIA ROMA a"
                                         << "ROSSI MARIO VIA ROMA B" << true;
    QTest::newRow("past a long stretch, reversed") << "ROSSI MARIO VIA ROMA b"
                                                   << "ROSSI MARIO VIA ROMA A" << false;
    QTest::newRow("case inside a stretch") << "rossi mario"
                                           << "ROSSI MARIA" << false;
    QTest::newRow("case inside a stretch, reversed") << "ROSSI MARIA"
                                                     << "rossi mario" << true;
    QTest::newRow("difference in the last short piece") << "ABCDEFGHIJ"
                                                        << "abcdefghik" << true;
}

void TestResultLines::foldedOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, less);
    QCOMPARE(ResultLines::lessFolded(a, b), less);
}

void TestResultLines::sortKeepsFileOrderOfEqualLines()
{
    QStringList lines{QStringLiteral("b"),     QStringLiteral("B"), QStringLiteral("a"),
                      QStringLiteral("Città"), QStringLiteral("A"), QStringLiteral("CITTA")};
    ResultLines::sortFolded(lines);
    QCOMPARE(lines, (QStringList{QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("B"),
                                 QStringLiteral("CITTA"), QStringLiteral("Città")}));
}

void TestResultLines::findFolded_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key"); // as the find field hands it over: A to Z in small letters
    QTest::addColumn<bool>("found");
    QTest::newRow("any case in the line") << "ROSSI Mario"
                                          << "mario" << true;
    QTest::newRow("across a blank") << "ROSSI MARIO"
                                    << "si ma" << true;
    QTest::newRow("empty key matches nothing") << "ROSSI"
                                               << "" << false;
    QTest::newRow("key longer than the line") << "AB"
                                              << "abc" << false;
    QTest::newRow("a partial match is left behind") << "aab"
                                                    << "ab" << true;
    QTest::newRow("overlapping") << "xxabab"
                                 << "abab" << true;
    QTest::newRow("at the very end") << "VIA ROMA 1"
                                     << "a 1" << true;
    QTest::newRow("only A to Z fold") << "CITTÀ"
                                      << "città" << false;
    QTest::newRow("not there") << "ROSSI MARIO"
                               << "bianchi" << false;
}

void TestResultLines::findFolded()
{
    QFETCH(QString, line);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QCOMPARE(ResultLines::containsFolded(line, key), found);
}

QTEST_GUILESS_MAIN(TestResultLines)
#include "test_result_lines.moc"

// The expiring contracts list: which applicants it selects under a fixed clock, its line, and handing an
// applicant back to the applicant editor.

#include "core/widgets/Forms.h"
#include "registry/ContrattiScaduti.h"
#include "tests/ApplicantFixture.h"
#include "tests/TestSupport.h"

#include <QtTest>

using ApplicantFixture::applicant;

class TestExpiringContracts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void selection_data();
    void selection();
    void lineAndOrder();
    void doubleClickLoadsTheApplicant();

private:
    QString archive() const { return m_folder->file(QStringLiteral("Richiedenti.pro")); }
    TestProgramFolder *m_folder = nullptr;
};

void TestExpiringContracts::init()
{
    TestSupport::resetSeams(QDate(2024, 3, 15));
    m_folder = new TestProgramFolder;
}

void TestExpiringContracts::cleanup()
{
    TestSupport::checkSeams();
    Forms::clear();
    delete m_folder;
}

void TestExpiringContracts::selection_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<bool>("listed");
    const QDate mid(2024, 3, 15);
    QTest::newRow("10 days ahead, 30 of notice") << mid << QStringLiteral("25/03/2024") << QStringLiteral("30") << true;
    QTest::newRow("10 days ahead, 5 of notice") << mid << QStringLiteral("25/03/2024") << QStringLiteral("5") << false;
    QTest::newRow("notice starts today") << mid << QStringLiteral("25/03/2024") << QStringLiteral("10") << true;
    QTest::newRow("expired last year") << mid << QStringLiteral("31/12/2023") << QStringLiteral("0") << true;
    QTest::newRow("0 days, expiring today") << mid << QStringLiteral("15/03/2024") << QStringLiteral("0") << true;
    QTest::newRow("0 days, expiring tomorrow") << mid << QStringLiteral("16/03/2024") << QStringLiteral("0") << false;
    QTest::newRow("across a month end") << QDate(2024, 4, 30) << QStringLiteral("02/05/2024") << QStringLiteral("2")
                                        << true;
    QTest::newRow("across a month end, a day early")
        << QDate(2024, 4, 29) << QStringLiteral("02/05/2024") << QStringLiteral("2") << false;
    QTest::newRow("29 February is a day")
        << QDate(2024, 2, 28) << QStringLiteral("01/03/2024") << QStringLiteral("1") << false;
    QTest::newRow("29 February reached") << QDate(2024, 2, 29) << QStringLiteral("01/03/2024") << QStringLiteral("1")
                                         << true;
    QTest::newRow("across the year end") << QDate(2023, 12, 31) << QStringLiteral("01/01/2024") << QStringLiteral("1")
                                         << true;
    QTest::newRow("999 days, the first of them")
        << mid << mid.addDays(999).toString(QStringLiteral("dd/MM/yyyy")) << QStringLiteral("999") << true;
    QTest::newRow("999 days, one too many")
        << mid << mid.addDays(1000).toString(QStringLiteral("dd/MM/yyyy")) << QStringLiteral("999") << false;
    QTest::newRow("unreadable expiry skipped") << mid << QStringLiteral("31/02/2024") << QStringLiteral("30") << false;
    QTest::newRow("empty expiry skipped") << mid << QString() << QStringLiteral("30") << false;
    QTest::newRow("unreadable notice skipped") << mid << QStringLiteral("01/01/2024") << QStringLiteral("3x") << false;
}

void TestExpiringContracts::selection()
{
    QFETCH(QDate, today);
    QFETCH(QString, expiry);
    QFETCH(QString, notice);
    QFETCH(bool, listed);
    TestSupport::resetSeams(today);
    // The applicant under test between two that are always listed: a skipped record never ends the list.
    const auto expired = [](const char *surname) {
        return applicant({{"Cognome", QString::fromLatin1(surname)},
                          {"Scadenza", QStringLiteral("01/01/2020")},
                          {"Preavviso", QStringLiteral("0")}});
    };
    ApplicantFixture::write(
        archive(), {expired("ALFA"),
                    applicant({{"Cognome", QStringLiteral("PROVA")}, {"Scadenza", expiry}, {"Preavviso", notice}}),
                    expired("ZETA")});
    TfrmContrattiScaduti w;
    w.show();
    QStringList names;
    for (const auto &line : w.lstRecords->lines())
        names << line.left(30).trimmed();
    const QStringList expected =
        listed ? QStringList{QStringLiteral("ALFA"), QStringLiteral("PROVA"), QStringLiteral("ZETA")}
               : QStringList{QStringLiteral("ALFA"), QStringLiteral("ZETA")};
    QCOMPARE(names, expected);
}

void TestExpiringContracts::lineAndOrder()
{
    const auto person = [](const char *name, const char *income) {
        return applicant({{"Cognome", QStringLiteral("ROSSI")},
                          {"Nome", QString::fromLatin1(name)},
                          {"CodFisc", QStringLiteral("RSSMRA80A01H501U")},
                          {"Recapito", QStringLiteral("06 1234567")},
                          {"Datore", QStringLiteral("Impresa di pulizie Splendore srl")},
                          {"Scadenza", QStringLiteral("01/03/2024")},
                          {"Preavviso", QStringLiteral("30")},
                          {"Totale", QString::fromLatin1(income)}});
    };
    ApplicantFixture::write(archive(), {person("MARIO", "18.000,00"), person("ANNA", "9,50")});
    TfrmContrattiScaduti w;
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral(" Riepilogo contratti in scadenza o scaduti"));
    QCOMPARE(w.lstRecords->lines(),
             (QStringList{QStringLiteral("ROSSI ANNA                      C.F. RSSMRA80A01H501U  Tel. 06 1234567       "
                                         "Scad. 01/03/2024  Datore: Impresa di pulizie Splendore s  Reddito: € 9,50"),
                          QStringLiteral("ROSSI MARIO                     C.F. RSSMRA80A01H501U  Tel. 06 1234567       "
                                         "Scad. 01/03/2024  Datore: Impresa di pulizie Splendore s  Reddito: € "
                                         "18.000,00")}));
}

void TestExpiringContracts::doubleClickLoadsTheApplicant()
{
    const auto expired = [](const char *street) {
        return ApplicantFixture::full({{"Cognome", QStringLiteral("ROSSI")},
                                       {"Scadenza", QStringLiteral("01/01/2024")},
                                       {"Preavviso", QStringLiteral("0")},
                                       {"Indirizzo", QString::fromLatin1(street)}});
    };
    // Equal lines: each brings back its own record.
    const QList<Record> records{expired("VIA UNO"), expired("VIA DUE")};
    ApplicantFixture::write(archive(), records);
    QWidget *editor = ApplicantFixture::editor();
    for (int row : {0, 1}) {
        TfrmContrattiScaduti w(editor);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.lstRecords->count(), 2);
        const QRect rect = w.lstRecords->visualRect(w.lstRecords->model()->index(row, 0));
        QTest::mouseClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(w.lstRecords->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(!w.isVisible());
        for (int i = 0; i < kApplicantLayout.count(); ++i) {
            const auto control = kApplicantLayout.field(i).control;
            QCOMPARE(ApplicantFixture::text(editor, QString::fromLatin1(control.data(), qsizetype(control.size()))),
                     records.at(row).text(i));
        }
        QCOMPARE(ApplicantFixture::text(editor, QStringLiteral("lblPosizione")), QString::number(row + 1));
    }
}

QTEST_MAIN(TestExpiringContracts)
#include "test_expiring_contracts.moc"

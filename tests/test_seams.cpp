// The scripted side of the seams is strict: an ask without its scripted answer, and an answer nobody asked for,
// are faults of the test that drives them.

#include "core/Seams.h"

#include <QtTest>

using namespace Seams;

Q_DECLARE_METATYPE(std::function<void()>)

class TestSeams : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        setScriptedAll(true);
        Scripts::clear();
        Messages::clear();
    }
    void cleanup() { Scripts::clear(); }
    void faults_data();
    void faults();
    void scriptedAnswersAreUsedInOrder();
};

void TestSeams::faults_data()
{
    QTest::addColumn<std::function<void()>>("drive");
    QTest::addColumn<QStringList>("faults");
    QTest::newRow("information needs no answer") << std::function<void()>([] {
        Messages::information(nullptr, QStringLiteral("Fatto."));
        Messages::warning(nullptr, QStringLiteral("Attenzione."));
        Messages::error(nullptr, QStringLiteral("Errore."));
        Messages::plain(nullptr, QStringLiteral("Nulla."));
    }) << QStringList{};
    QTest::newRow("question unscripted") << std::function<void()>([] {
        Messages::question(nullptr, QStringLiteral("Salvare la scheda?"));
    }) << QStringList{QStringLiteral("unscripted question: \"Salvare la scheda?\"")};
    QTest::newRow("question with cancel unscripted")
        << std::function<void()>([] { Messages::questionCancel(nullptr, QStringLiteral("Uscire?")); })
        << QStringList{QStringLiteral("unscripted question with Cancel: \"Uscire?\"")};
    QTest::newRow("answer never asked for") << std::function<void()>([] { Messages::setNextAnswer(Answer::No); })
                                            << QStringList{QStringLiteral("scripted answer No never asked for")};
    QTest::newRow("answer dropped by clear") << std::function<void()>([] {
        Messages::setNextAnswer(Answer::Cancel);
        Messages::clear();
    }) << QStringList{QStringLiteral("scripted answer Cancel dropped unused")};
    QTest::newRow("file dialog unscripted")
        << std::function<void()>([] { FileDialog::getOpenFileName(nullptr, QStringLiteral("Scegli il file")); })
        << QStringList{QStringLiteral("unscripted file dialog: \"Scegli il file\"")};
    QTest::newRow("file name replaced unused") << std::function<void()>([] {
        FileDialog::setNextFileName(QStringLiteral("a.pdf"));
        FileDialog::setNextFileName(QStringLiteral("b.pdf"));
        FileDialog::getSaveFileName(nullptr, QStringLiteral("Salva"));
    }) << QStringList{QStringLiteral("scripted file name \"a.pdf\" replaced unused")};
    QTest::newRow("file name never asked for")
        << std::function<void()>([] { FileDialog::setNextFileName(QString()); })
        << QStringList{QStringLiteral("scripted file name \"\" never asked for")};
    QTest::newRow("print dialog unscripted") << std::function<void()>([] { Printing::takeNextPdfFile(); })
                                             << QStringList{QStringLiteral("unscripted print dialog")};
    QTest::newRow("print file never asked for")
        << std::function<void()>([] { Printing::setNextPdfFile(QStringLiteral("x.pdf")); })
        << QStringList{QStringLiteral("scripted print file \"x.pdf\" never asked for")};
    QTest::newRow("every script used") << std::function<void()>([] {
        Messages::setNextAnswer(Answer::No);
        Messages::question(nullptr, QStringLiteral("Eliminare?"));
        FileDialog::setNextFileName(QString());
        FileDialog::getExistingDirectory(nullptr, QStringLiteral("Cartella"));
        Printing::setNextPdfFile(QString());
        Printing::takeNextPdfFile();
    }) << QStringList{};
}

void TestSeams::faults()
{
    QFETCH(std::function<void()>, drive);
    QFETCH(QStringList, faults);
    drive();
    QCOMPARE(Scripts::faults(), faults);
    Scripts::clear();
    QCOMPARE(Scripts::faults(), QStringList{});
}

void TestSeams::scriptedAnswersAreUsedInOrder()
{
    Messages::setNextAnswer(Answer::No);
    Messages::setNextAnswer(Answer::Cancel);
    QCOMPARE(Messages::question(nullptr, QStringLiteral("Primo?")), Answer::No);
    QCOMPARE(Messages::questionCancel(nullptr, QStringLiteral("Secondo?")), Answer::Cancel);
    // Unscripted, a question goes on as Yes once its fault is recorded; information as Ok without one.
    QCOMPARE(Messages::question(nullptr, QStringLiteral("Terzo?")), Answer::Yes);
    QCOMPARE(Messages::show(nullptr, MsgKind::Information, QStringLiteral("Fatto.")), Answer::Ok);
    QCOMPARE(Scripts::faults(), QStringList{QStringLiteral("unscripted question: \"Terzo?\"")});
    FileDialog::setNextFileName(QStringLiteral("/tmp/scelto.pdf"));
    QCOMPARE(FileDialog::getOpenFileName(nullptr, QStringLiteral("Apri")), QStringLiteral("/tmp/scelto.pdf"));
    QCOMPARE(FileDialog::getOpenFileName(nullptr, QStringLiteral("Apri")), QString());
    QCOMPARE(Scripts::faults().size(), 2);
}

QTEST_GUILESS_MAIN(TestSeams)
#include "test_seams.moc"

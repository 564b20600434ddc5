#include "TestSupport.h"
#include "app/PasswordStore.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {
const QString Delivered = QStringLiteral("GIRASOLEBIANCO");

void writeStore(const QByteArray &data)
{
    QFile f(ProgramFolder::file(QStringLiteral("unins000.dll")));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}
} // namespace

class TestPasswordStore : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgramFolder> m_folder;
    QString store() const { return m_folder->file(QStringLiteral("unins000.dll")); }

private slots:
    void init()
    {
        TestSupport::resetSeams();
        m_folder = std::make_unique<TestProgramFolder>();
    }
    void cleanup()
    {
        TestSupport::checkSeams();
        PasswordStore::setWriteFaultHook({});
        m_folder.reset();
    }

    // Every one-byte character at every position, for every length the store holds.
    void scrambleRoundTrip()
    {
        const QRegularExpression capitalsHex(QStringLiteral("^([0-9A-F]{2})*$"));
        for (int length = 0; length <= PasswordStore::MaxLength; ++length) {
            QString plain;
            for (int i = 0; i < length; ++i)
                plain += QChar(char16_t((i * 37 + length * 11) % 256));
            const QString hex = ScramblePassword(plain);
            QCOMPARE(hex.size(), plain.size() * 2);
            QVERIFY2(capitalsHex.match(hex).hasMatch(), qPrintable(hex));
            QCOMPARE(UnscramblePassword(hex), std::optional<QString>(plain));
            QCOMPARE(UnscramblePassword(hex.toLower()), std::optional<QString>(plain));
        }
        QString all;
        for (int c = 0; c < 256; ++c)
            all += QChar(char16_t(c));
        QCOMPARE(UnscramblePassword(ScramblePassword(all)), std::optional<QString>(all));
        // The key feeds back: the same letter does not scramble alike twice.
        const QString aa = ScramblePassword(QStringLiteral("AAAA"));
        QVERIFY(aa.mid(0, 2) != aa.mid(2, 2) || aa.mid(2, 2) != aa.mid(4, 2));
    }

    void unscrambleForms_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("plain");
        const QString ab = ScramblePassword(QStringLiteral("AB"));
        QTest::newRow("empty") << QString() << true << QString();
        QTest::newRow("odd digit ignored") << ab + QStringLiteral("7") << true << QStringLiteral("AB");
        QTest::newRow("single digit") << QStringLiteral("F") << true << QString();
        QTest::newRow("letter outside hex") << ab + QStringLiteral("G1") << false << QString();
        QTest::newRow("blank in a pair") << QStringLiteral(" 1") << false << QString();
        QTest::newRow("sign in a pair") << QStringLiteral("-1") << false << QString();
    }
    void unscrambleForms()
    {
        QFETCH(QString, hex);
        QFETCH(bool, readable);
        QFETCH(QString, plain);
        const auto result = UnscramblePassword(hex);
        QCOMPARE(result.has_value(), readable);
        if (readable)
            QCOMPARE(*result, plain);
    }

    void prepareAndLimits()
    {
        QCOMPARE(PasswordStore::prepare(QStringLiteral("  girasole Bianco\t ")), QStringLiteral("GIRASOLE BIANCO"));
        QCOMPARE(PasswordStore::prepare(QStringLiteral("città")), QStringLiteral("CITTà"));
        QVERIFY(PasswordStore::canStore(QString(255, QChar(u'é'))));
        QVERIFY(PasswordStore::canStore(QString(1, QChar(char16_t(255)))));
        QVERIFY(!PasswordStore::canStore(QString(256, QLatin1Char('A'))));
        QVERIFY(!PasswordStore::canStore(QStringLiteral("EURO€")));
        QVERIFY(!PasswordStore::canStore(QString(1, QChar(char16_t(256)))));
    }

    void deliveredStore()
    {
        QVERIFY(QFile::copy(QStringLiteral(VERSALIA_ASSETS "/unins000.dll"), store()));
        QCOMPARE(PasswordStore::readPassword(), std::optional<QString>(Delivered));
        QCOMPARE(TestSupport::fileBytes(store()),
                 QByteArray("[Accesso]\r\nValore=") + ScramblePassword(Delivered).toLatin1() + "\r\n");
    }

    void readingTheStore_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("password");
        const QByteArray hex = ScramblePassword(QStringLiteral("  SOLE ")).toLatin1();
        QTest::newRow("plain") << "[Accesso]\r\nValore=" + hex + "\r\n" << true << QStringLiteral("SOLE");
        QTest::newRow("small hex digits, LF, no final line end")
            << "[Accesso]\nValore=" + hex.toLower() << true << QStringLiteral("SOLE");
        QTest::newRow("names in any case, blanks and quotes")
            << "; store\r\n[Altro]\r\nValore=00\r\n [ accesso ] \r\n  VALORE  =  \"" + hex + "\"  \r\n"
            << true << QStringLiteral("SOLE");
        QTest::newRow("odd digit") << "[Accesso]\r\nValore=" + hex + "E\r\n" << true << QStringLiteral("SOLE");
        QTest::newRow("no section") << QByteArray("[Altro]\r\nValore=" + hex + "\r\n") << true << QString();
        QTest::newRow("no key") << QByteArray("[Accesso]\r\nChiave=" + hex + "\r\n") << true << QString();
        QTest::newRow("empty file") << QByteArray() << true << QString();
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=GIRASOLE\r\n") << false << QString();
    }
    void readingTheStore()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, readable);
        QFETCH(QString, password);
        writeStore(content);
        const auto read = PasswordStore::readPassword();
        QCOMPARE(read.has_value(), readable);
        if (readable)
            QCOMPARE(*read, password);
    }

    // A store that is there but cannot be opened is a failure, not an empty password.
    void storeThatCannotBeOpened()
    {
        QVERIFY(QDir().mkpath(store()));
        QVERIFY(!PasswordStore::readPassword().has_value());
        QVERIFY(!PasswordStore::writePassword(QStringLiteral("NUOVA")));
    }

    void missingStoreIsEmptyAndNeverCreated()
    {
        QCOMPARE(PasswordStore::readPassword(), std::optional<QString>(QString()));
        QVERIFY(!PasswordStore::writePassword(QStringLiteral("NUOVA")));
        QVERIFY(!QFile::exists(store()));
    }

    // Only the value changes; every other byte of the file stays as the user or the installer left it.
    void writingKeepsTheRest()
    {
        writeStore("; installato\r\n[Altro]\r\nValore=11\r\n\r\n[accesso]\r\nPrima=1\r\n valore = AB \r\nDopo=2\r\n");
        QVERIFY(PasswordStore::writePassword(QStringLiteral("NUOVA")));
        QCOMPARE(TestSupport::fileBytes(store()),
                 "; installato\r\n[Altro]\r\nValore=11\r\n\r\n[accesso]\r\nPrima=1\r\nValore=" +
                     ScramblePassword(QStringLiteral("NUOVA")).toLatin1() + "\r\nDopo=2\r\n");
        // A store lacking the key or its section gets them.
        for (const QByteArray &before :
             {QByteArray("[Accesso]\r\nPrima=1\r\n"), QByteArray("[Altro]\r\nX=2"), QByteArray()}) {
            writeStore(before);
            QVERIFY(PasswordStore::writePassword(QStringLiteral("NUOVA")));
            QCOMPARE(PasswordStore::readPassword(), std::optional<QString>(QStringLiteral("NUOVA")));
            QVERIFY(TestSupport::fileBytes(store()).startsWith(before.left(before.indexOf('\n') + 1)));
        }
    }

    void failedWriteKeepsTheOldValue()
    {
        QVERIFY(QFile::copy(QStringLiteral(VERSALIA_ASSETS "/unins000.dll"), store()));
        const QByteArray before = TestSupport::fileBytes(store());
        QStringList asked;
        PasswordStore::setWriteFaultHook([&asked](const QString &path) {
            asked << path;
            return true;
        });
        QVERIFY(!PasswordStore::writePassword(QStringLiteral("NUOVA")));
        QCOMPARE(asked, QStringList{store()});
        QCOMPARE(TestSupport::fileBytes(store()), before);
        // Nor is a password written that the store could not give back.
        PasswordStore::setWriteFaultHook({});
        QVERIFY(!PasswordStore::writePassword(QString(256, QLatin1Char('A'))));
        QVERIFY(!PasswordStore::writePassword(QStringLiteral("€")));
        QCOMPARE(TestSupport::fileBytes(store()), before);
    }
};

QTEST_GUILESS_MAIN(TestPasswordStore)
#include "test_password_store.moc"

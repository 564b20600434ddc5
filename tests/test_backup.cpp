// Daily safety copies: once a day, retention, copies under a concurrent writer, failures, restore.

#include "app/CopieSicurezza.h"
#include "app/Info.h"
#include "core/Backup.h"
#include "core/IniFile.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kSlip = 2402;

QByteArray records(int count, char fill)
{
    return QByteArray(qsizetype(count) * kSlip, fill);
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray get(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// What a copy must take, by file name, and what it must leave.
QMap<QString, QByteArray> fillProgramFolder(const TestProgramFolder &folder)
{
    const QMap<QString, QByteArray> sources = {
        {QStringLiteral("2024.pse"), records(2, 'a')},
        {QStringLiteral("2023.pse"), records(1, 'b')},
        {QStringLiteral("2024.sca"), QByteArray(1328, 'c')},
        {QStringLiteral("Richiedenti.pro"), QByteArray(5090, 'd')},
        {QStringLiteral("Bollettini.ini"), QByteArray("[Margini Stampa Bollettino PSE]\r\nSuperiore=2\r\n")},
        {QStringLiteral("unins000.dll"), QByteArray("[Accesso]\r\nChiave=xyz\r\n")},
    };
    for (auto it = sources.begin(); it != sources.end(); ++it)
        put(folder.file(it.key()), it.value());
    put(folder.file(QStringLiteral("Guida.pdf")), "%PDF");
    put(folder.file(QStringLiteral("2024.pse.lock")), {});
    QDir(folder.path()).mkdir(QStringLiteral("Documenti_Allegati"));
    put(folder.file(QStringLiteral("Documenti_Allegati/passaporto.pdf")), "%PDF");
    return sources;
}

QString root(const TestProgramFolder &folder)
{
    return folder.file(Backup::rootName());
}

QStringList copyNames(const QString &root)
{
    QStringList names;
    for (const Backup::Copy &c : Backup::list(root))
        names << c.name;
    std::sort(names.begin(), names.end());
    return names;
}

// Every entry under root, hidden staging included.
QStringList everything(const QString &root)
{
    return QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void checkCopyHolds(const QString &dayFolder, const QMap<QString, QByteArray> &expected)
{
    QCOMPARE(QDir(dayFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList(expected.keys()));
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(get(dayFolder + u'/' + it.key()) == it.value(), qPrintable(it.key()));
}
} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void cleanup() { Backup::setFaultHook({}); }

    void copyOnFirstStartOfTheDayOnly();
    void startUpDoesNotWaitForTheCopy();
    void retentionOverASimulatedYear();
    void copyDuringAnAppendIsAStateTheArchiveHad();
    void failingCopyLeavesNoDayFolderAndWarnsOnce_data();
    void failingCopyLeavesNoDayFolderAndWarnsOnce();
    void restoreRoundTripFromTheWindow();
    void restoreThatCannotStageChangesNothing();
    void secondFolderReceivesTheCopies();
};

void TestBackup::copyOnFirstStartOfTheDayOnly()
{
    TestProgramFolder folder;
    const auto sources = fillProgramFolder(folder);
    const QDate day(2024, 3, 15);
    QCOMPARE(Backup::takeDaily(folder.path(), day).outcome, Backup::DailyResult::Taken);
    const QString dayFolder = root(folder) + QStringLiteral("/2024-03-15");
    checkCopyHolds(dayFolder, sources);

    put(folder.file(QStringLiteral("2024.pse")), records(3, 'z'));
    QCOMPARE(Backup::takeDaily(folder.path(), day).outcome, Backup::DailyResult::AlreadyTaken);
    QCOMPARE(get(dayFolder + QStringLiteral("/2024.pse")), records(2, 'a'));

    QCOMPARE(Backup::takeDaily(folder.path(), day.addDays(1)).outcome, Backup::DailyResult::Taken);
    QCOMPARE(get(root(folder) + QStringLiteral("/2024-03-16/2024.pse")), records(3, 'z'));
    QCOMPARE(everything(root(folder)), (QStringList{QStringLiteral("2024-03-15"), QStringLiteral("2024-03-16")}));

    TestProgramFolder empty(QStringLiteral("Nuova"));
    QCOMPARE(Backup::takeDaily(empty.path(), day).outcome, Backup::DailyResult::NothingToCopy);
    QVERIFY(!QFileInfo::exists(root(empty) + QStringLiteral("/2024-03-15")));
}

void TestBackup::startUpDoesNotWaitForTheCopy()
{
    TestProgramFolder folder;
    const auto sources = fillProgramFolder(folder);
    Backup::setFaultHook([](const QString &) {
        QThread::msleep(100); // a slow disk: 600 ms for the six files
        return false;
    });
    QElapsedTimer t;
    t.start();
    DailyCopy::start();
    QVERIFY2(t.elapsed() < 300, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
    DailyCopy::wait();
    checkCopyHolds(root(folder) + QStringLiteral("/2024-03-15"), sources);
    QTest::qWait(20);
    QVERIFY(Seams::Messages::shown().isEmpty());

    // The window that lists the copies opens from the information window.
    TfrmInfo info;
    bool opened = false;
    TestSupport::onNextModal([&opened](QWidget *w) {
        auto *copies = qobject_cast<TfrmCopieSicurezza *>(w);
        QVERIFY(copies);
        opened =
            copies->grdCopie->rowCount() == 1 && copies->grdCopie->item(0, 0)->text() == QStringLiteral("15/03/2024");
        copies->btnChiudi->click();
    });
    info.btnCopieSicurezza->click();
    QVERIFY(opened);
}

void TestBackup::retentionOverASimulatedYear()
{
    TestProgramFolder folder;
    put(folder.file(QStringLiteral("2024.pse")), records(1, 'a'));
    QDir(folder.path()).mkpath(Backup::rootName() + QStringLiteral("/Vecchie foto")); // not ours: never removed
    // An office open Monday to Friday through 2024, then the first working day of 2025.
    for (QDate d(2024, 1, 1); d <= QDate(2024, 12, 31); d = d.addDays(1))
        if (d.dayOfWeek() <= 5)
            QCOMPARE(Backup::takeDaily(folder.path(), d).outcome, Backup::DailyResult::Taken);

    const QStringList firstOfMonths = {u"2024-01-01"_s, u"2024-02-01"_s, u"2024-03-01"_s, u"2024-04-01"_s,
                                       u"2024-05-01"_s, u"2024-06-03"_s, u"2024-07-01"_s, u"2024-08-01"_s,
                                       u"2024-09-02"_s, u"2024-10-01"_s, u"2024-11-01"_s, u"2024-12-02"_s};
    const QStringList lastTenDays = {u"2024-12-18"_s, u"2024-12-19"_s, u"2024-12-20"_s, u"2024-12-23"_s,
                                     u"2024-12-24"_s, u"2024-12-25"_s, u"2024-12-26"_s, u"2024-12-27"_s,
                                     u"2024-12-30"_s, u"2024-12-31"_s};
    QCOMPARE(copyNames(root(folder)), firstOfMonths + lastTenDays);

    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2025, 1, 2)).outcome, Backup::DailyResult::Taken);
    QStringList expected = firstOfMonths.mid(1) + lastTenDays.mid(1);
    expected << QStringLiteral("2025-01-02");
    QCOMPARE(copyNames(root(folder)), expected);
    QVERIFY(QFileInfo::exists(root(folder) + QStringLiteral("/Vecchie foto")));
}

void TestBackup::copyDuringAnAppendIsAStateTheArchiveHad()
{
    TestProgramFolder folder;
    const QString archive = folder.file(QStringLiteral("2024.pse"));
    put(archive, records(5, 'a'));
    QProcess appender;
    appender.start(QStringLiteral(BACKUP_APPENDER), {archive, QString::number(kSlip), QStringLiteral("6"),
                                                     QStringLiteral("300"), QStringLiteral("2000")});
    QVERIFY(appender.waitForReadyRead(10000));

    QStringList taken;
    QDeadlineTimer deadline(20000);
    for (int i = 0; appender.state() != QProcess::NotRunning && !deadline.hasExpired(); ++i) {
        const QString name = QStringLiteral("2024-03-%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        const QString sub = root(folder) + QStringLiteral("/r%1").arg(i);
        QVERIFY(Backup::take(folder.path(), sub, name));
        taken << sub + u'/' + name + QStringLiteral("/2024.pse");
        QTest::qWait(20);
    }
    QVERIFY(appender.state() == QProcess::NotRunning || appender.waitForFinished(10000));
    QCOMPARE(appender.exitStatus(), QProcess::NormalExit);
    QCOMPARE(appender.exitCode(), 0);
    const QByteArray final = get(archive);
    QCOMPARE(final.size(), 305 * kSlip);

    QVERIFY2(taken.size() >= 3, "the appender finished before enough copies ran");
    int midway = 0;
    for (const QString &path : taken) {
        const QByteArray copy = get(path);
        QVERIFY2(copy.size() % kSlip == 0, qPrintable(QStringLiteral("%1 bytes").arg(copy.size())));
        QVERIFY(copy == final.left(copy.size()));
        midway += copy.size() > 5 * kSlip && copy.size() < final.size();
    }
    QVERIFY2(midway > 0, "no copy ran while the appender was writing");
}

void TestBackup::failingCopyLeavesNoDayFolderAndWarnsOnce_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("dayFolderKept");
    QTest::newRow("disk full") << true
                               << QStringLiteral("Attenzione: non è stato possibile eseguire la copia di sicurezza "
                                                 "giornaliera degli archivi.\n\r\n\rImpossibile scrivere la copia del "
                                                 "file Richiedenti.pro.\n\r\n\rGli archivi non sono stati modificati. "
                                                 "Accertarsi che ci sia spazio sul disco e di possedere i privilegi "
                                                 "di scrittura nella cartella di installazione del programma.")
                               << false;
    QTest::newRow("second folder missing")
        << false
        << QStringLiteral("Attenzione: la copia di sicurezza di oggi non è stata salvata nella seconda cartella "
                          "/chiavetta/assente.\n\r\n\rLa cartella /chiavetta/assente non è disponibile.\n\r\n\rLa "
                          "copia nella cartella del programma è stata eseguita.")
        << true;
}

void TestBackup::failingCopyLeavesNoDayFolderAndWarnsOnce()
{
    QFETCH(bool, diskFull);
    QFETCH(QString, message);
    QFETCH(bool, dayFolderKept);
    TestProgramFolder folder;
    const auto sources = fillProgramFolder(folder);
    if (diskFull) // the fifth file of six: four already written into the staging folder
        Backup::setFaultHook([](const QString &to) { return to.endsWith(QStringLiteral("/Richiedenti.pro")); });
    else
        QVERIFY(Backup::setSecondFolder(folder.path(), QStringLiteral("/chiavetta/assente")));

    DailyCopy::start(); // as at start-up: a worker thread, the warning back on this thread
    DailyCopy::wait();
    QTRY_COMPARE(Seams::Messages::shown().size(), 1);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Warning);
    QCOMPARE(Seams::Messages::last().text, QDir::toNativeSeparators(message));
    QCOMPARE(everything(root(folder)), dayFolderKept ? QStringList{QStringLiteral("2024-03-15")} : QStringList());
    for (auto it = sources.begin(); it != sources.end(); ++it)
        QCOMPARE(get(folder.file(it.key())), it.value());

    // The next start of the day tries again, and says nothing when it succeeds.
    Backup::setFaultHook({});
    QVERIFY(Backup::setSecondFolder(folder.path(), QString()));
    DailyCopy::start();
    DailyCopy::wait();
    QTest::qWait(50);
    QCOMPARE(Seams::Messages::shown().size(), 1);
    checkCopyHolds(root(folder) + QStringLiteral("/2024-03-15"), sources);
}

void TestBackup::restoreRoundTripFromTheWindow()
{
    TestProgramFolder folder;
    const auto before = fillProgramFolder(folder);
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 14)).outcome, Backup::DailyResult::Taken);
    // A day's work, then damage: an archive overwritten, a new year begun, the margins changed.
    put(folder.file(QStringLiteral("2024.pse")), records(1, 'x'));
    put(folder.file(QStringLiteral("2025.pse")), records(1, 'n'));
    put(folder.file(QStringLiteral("Bollettini.ini")), "[Margini Stampa Bollettino PSE]\r\nSuperiore=9\r\n");
    QMap<QString, QByteArray> present;
    for (const QString &path : Backup::sourceFiles(folder.path()))
        present.insert(QFileInfo(path).fileName(), get(path));

    TfrmCopieSicurezza w;
    w.show();
    QCOMPARE(w.grdCopie->rowCount(), 1);
    QCOMPARE(w.grdCopie->item(0, 0)->text(), QStringLiteral("14/03/2024"));
    QCOMPARE(w.grdCopie->item(0, 1)->text(), QStringLiteral("6"));

    Seams::Messages::setNextAnswer(Seams::Answer::No);
    w.btnRipristina->click();
    QCOMPARE(get(folder.file(QStringLiteral("2024.pse"))), records(1, 'x'));
    QCOMPARE(Backup::list(root(folder)).size(), 1);

    Seams::Messages::clear();
    Seams::Messages::setNextAnswer(Seams::Answer::Yes);
    w.btnRipristina->click();
    QCOMPARE(Seams::Messages::shown().size(), 2);
    QCOMPARE(Seams::Messages::shown()[0].kind, Seams::MsgKind::Question);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QVERIFY2(Seams::Messages::last().text.startsWith(QStringLiteral(
                 "Ripristino completato dalla copia del 14/03/2024.\n\r\n\rFile ripristinati: 2023.pse, 2024.pse, "
                 "2024.sca, Bollettini.ini, Richiedenti.pro, unins000.dll.\n\r\n\rLo stato precedente è conservato "
                 "nella copia 2024-03-15_103000_prima_del_ripristino")),
             qPrintable(Seams::Messages::last().text));

    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(get(folder.file(it.key())) == it.value(), qPrintable(it.key()));
    QCOMPARE(get(folder.file(QStringLiteral("2025.pse"))), records(1, 'n')); // not in the copy: left alone
    checkCopyHolds(root(folder) + QStringLiteral("/2024-03-15_103000_prima_del_ripristino"), present);
    QVERIFY(QDir(folder.path()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty());

    QCOMPARE(w.grdCopie->rowCount(), 2);
    QCOMPARE(w.grdCopie->item(0, 0)->text(), QStringLiteral("15/03/2024 10:30 (prima del ripristino)"));
    QCOMPARE(w.grdCopie->item(0, 1)->text(), QStringLiteral("7"));
}

void TestBackup::restoreThatCannotStageChangesNothing()
{
    TestProgramFolder folder;
    fillProgramFolder(folder);
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 14)).outcome, Backup::DailyResult::Taken);
    put(folder.file(QStringLiteral("2024.pse")), records(4, 'x'));
    Backup::setFaultHook([](const QString &to) { return to.contains(QStringLiteral(".unins000.dll.ripristino")); });

    const Backup::RestoreResult r =
        Backup::restore(folder.path(), Backup::list(root(folder)).first(), QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
    QVERIFY(!r.ok);
    QVERIFY(r.restored.isEmpty());
    QCOMPARE(r.beforeRestore, QStringLiteral("2024-03-15_090000_prima_del_ripristino"));
    QCOMPARE(get(folder.file(QStringLiteral("2024.pse"))), records(4, 'x'));
    QVERIFY(QDir(folder.path()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty());
}

void TestBackup::secondFolderReceivesTheCopies()
{
    TestProgramFolder folder;
    fillProgramFolder(folder);
    QTemporaryDir usb;
    QCOMPARE(Backup::takeDaily(folder.path(), QDate(2024, 3, 15)).outcome, Backup::DailyResult::Taken);

    TfrmCopieSicurezza w;
    w.show();
    Seams::FileDialog::setNextFileName(usb.path());
    w.btnScegli->click();
    QCOMPARE(IniFile::read(folder.file(Backup::settingsName()), QStringLiteral("Copie di sicurezza"),
                           QStringLiteral("Seconda cartella")),
             usb.path());
    QCOMPARE(w.txtSecondaCartella->text(), QDir::toNativeSeparators(usb.path()));
    const QString usbRoot = usb.filePath(Backup::rootName());
    QCOMPARE(copyNames(usbRoot), QStringList{QStringLiteral("2024-03-15")}); // the newest copy, at once

    const Backup::DailyResult next = Backup::takeDaily(folder.path(), QDate(2024, 3, 16));
    QCOMPARE(next.outcome, Backup::DailyResult::Taken);
    QVERIFY(next.secondError.isEmpty());
    QCOMPARE(copyNames(usbRoot), (QStringList{QStringLiteral("2024-03-15"), QStringLiteral("2024-03-16")}));
    QCOMPARE(get(usbRoot + QStringLiteral("/2024-03-16/Richiedenti.pro")), QByteArray(5090, 'd'));

    // The stick is out at the first start of a day, and in at a later one.
    QTemporaryDir later;
    const QString stick = later.filePath(QStringLiteral("CHIAVETTA"));
    QVERIFY(Backup::setSecondFolder(folder.path(), stick));
    const Backup::DailyResult out = Backup::takeDaily(folder.path(), QDate(2024, 3, 17));
    QCOMPARE(out.outcome, Backup::DailyResult::Taken);
    QCOMPARE(out.secondError, QStringLiteral("La cartella %1 non è disponibile.").arg(QDir::toNativeSeparators(stick)));
    QVERIFY(QDir().mkpath(stick));
    const Backup::DailyResult in = Backup::takeDaily(folder.path(), QDate(2024, 3, 17));
    QCOMPARE(in.outcome, Backup::DailyResult::AlreadyTaken);
    QVERIFY(in.secondError.isEmpty());
    QCOMPARE(copyNames(stick + u'/' + Backup::rootName()), QStringList{QStringLiteral("2024-03-17")});

    w.btnNessuna->click();
    QVERIFY(Backup::secondFolder(folder.path()).isEmpty());
    QVERIFY(w.txtSecondaCartella->text().isEmpty());
    QVERIFY(Seams::Messages::shown().isEmpty());
}

QTEST_MAIN(TestBackup)
#include "test_backup.moc"

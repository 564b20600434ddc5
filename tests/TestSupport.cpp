#include "TestSupport.h"

#include "app/Startup.h"
#include "core/ArchiveFile.h"
#include "core/ProgramFolder.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

TestProgramFolder::TestProgramFolder(const QString &folderName)
{
    QDir(m_dir.path()).mkpath(folderName);
    m_path = QDir(m_dir.path()).filePath(folderName);
    ProgramFolder::setOverride(m_path);
}

TestProgramFolder::~TestProgramFolder()
{
    ProgramFolder::setOverride(QString());
}

QString TestProgramFolder::path() const
{
    return ProgramFolder::path();
}
QString TestProgramFolder::file(const QString &name) const
{
    return ProgramFolder::file(name);
}

void TestProgramFolder::copyFixture(const QString &name, const QString &as)
{
    const QString dst = file(as.isEmpty() ? name : as);
    QFile::remove(dst);
    QFile::copy(TestSupport::dataPath(name), dst);
    QFile(dst).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

namespace TestSupport {
namespace {
// The windows onNextModal still waits for; a wait ends with its window or with the test function.
struct ModalWait {
    QString where;
    bool done = false;
};
QList<std::shared_ptr<ModalWait>> &modalWaits()
{
    static QList<std::shared_ptr<ModalWait>> waits;
    return waits;
}

QStringList pendingFaults()
{
    QStringList faults = Seams::Scripts::faults();
    for (const auto &w : std::as_const(modalWaits()))
        if (!w->done)
            faults << QStringLiteral("no modal window appeared (%1)").arg(w->where);
    return faults;
}

void dropFaults()
{
    Seams::Scripts::clear();
    for (const auto &w : std::as_const(modalWaits()))
        w->done = true; // a timer still armed gives up
    modalWaits().clear();
}
} // namespace

void resetSeams(const QDate &today)
{
    if (const QStringList left = pendingFaults(); !left.isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("left by the previous test function: ") + left.join(u"; ")), __FILE__,
                     __LINE__);
    dropFaults();
    Seams::setScriptedAll(true);
    Seams::Messages::clear();
    Seams::Shell::opened().clear();
    Seams::Sound::played().clear();
    Seams::Sound::stopCount() = 0;
    Seams::Printing::previewCount() = 0;
    Seams::Printing::setNoPrinter(false);
    Seams::FileDialog::asked().clear();
    Seams::Help::shown().clear();
    Startup::registerArchives();
    Seams::AppExit::count() = 0;
    Seams::Clock::setFixed(QDateTime(today, QTime(10, 30)));
    ArchiveFile::setFaultHook({});
}

void checkSeams()
{
    const QStringList faults = pendingFaults();
    dropFaults();
    if (!faults.isEmpty())
        QTest::qFail(qPrintable(faults.join(u"; ")), __FILE__, __LINE__);
}

void onNextModal(const std::function<void(QWidget *)> &action)
{
    auto wait = std::make_shared<ModalWait>();
    wait->where = QString::fromLatin1(QTest::currentTestFunction());
    modalWaits().append(wait);
    auto deadline = std::make_shared<QDeadlineTimer>(5000);
    // Polled, not taken at the first spin: an event loop may run before the window's own (a progress bar).
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [wait, deadline, action, weak = std::weak_ptr<std::function<void()>>(poll)] {
        if (wait->done)
            return;
        if (QWidget *w = QApplication::activeModalWidget()) {
            wait->done = true;
            action(w);
        } else if (!deadline->hasExpired()) {
            if (auto again = weak.lock())
                QTimer::singleShot(10, [again] { (*again)(); });
        }
        // Past the deadline the wait stays open: checkSeams fails the test function.
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

QStringList helpParagraphs()
{
    const auto &shown = Seams::Help::shown();
    return shown.isEmpty() ? QStringList() : shown.last().text.split(QStringLiteral("\r\n\r\n"));
}

QString helpTitle()
{
    const auto &shown = Seams::Help::shown();
    return shown.isEmpty() ? QString() : shown.last().title;
}

QString dataPath(const QString &name)
{
    return QDir(qEnvironmentVariable("VERSALIA_TEST_DATA")).filePath(name);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString fieldAt(const QByteArray &record, int offset, int capacity)
{
    // Windows-1252 from 0x80 to 0x9F, written out here so that a fault of the program's codec shows; its five
    // unassigned bytes read as the control characters Windows gives them. Elsewhere the code page is Latin-1.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    if (offset < 0 || offset >= record.size())
        return QStringLiteral("<outside the record>");
    const int len = qMin(int(uchar(record[offset])), capacity);
    QString s;
    for (int i = 0; i < len && offset + 1 + i < record.size(); ++i) {
        const uchar b = uchar(record[offset + 1 + i]);
        s += QChar(b >= 0x80 && b <= 0x9F ? high[b - 0x80] : char16_t(b));
    }
    return s;
}

void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            QTest::keyClicks(w, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

bool showActive(QWidget *w)
{
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        return false;
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}
bool underWine()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}
} // namespace TestSupport

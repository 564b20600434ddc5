#include "TestSupport.h"

#include "app/Startup.h"
#include "core/ArchiveFile.h"
#include "core/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWidget>

TestProgramFolder::TestProgramFolder(const QString &folderName)
{
    QDir(m_dir.path()).mkpath(folderName);
    m_path = QDir(m_dir.path()).filePath(folderName);
    ProgramFolder::setOverride(m_path);
}

TestProgramFolder::~TestProgramFolder() { ProgramFolder::setOverride(QString()); }

QString TestProgramFolder::path() const { return ProgramFolder::path(); }
QString TestProgramFolder::file(const QString &name) const { return ProgramFolder::file(name); }

void TestProgramFolder::copyFixture(const QString &name, const QString &as)
{
    const QString dst = file(as.isEmpty() ? name : as);
    QFile::remove(dst);
    QFile::copy(TestSupport::dataPath(name), dst);
    QFile(dst).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

namespace TestSupport {
void resetSeams(const QDate &today)
{
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

void onNextModal(const std::function<void(QWidget *)> &action)
{
    QTimer::singleShot(0, [action] {
        QWidget *w = QApplication::activeModalWidget();
        action(w);
    });
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
} // namespace TestSupport

#pragma once
// Shared test fixture: a temporary program folder and every platform seam answered by a test double.

#include "core/Seams.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class QWidget;

class TestProgramFolder {
public:
    // folderName lets a test put blanks into the path.
    explicit TestProgramFolder(const QString &folderName = QStringLiteral("Versalia"));
    ~TestProgramFolder();
    QString path() const; // with trailing separator
    QString file(const QString &name) const;
    // Copies a fixture from tests/data into the program folder.
    void copyFixture(const QString &name, const QString &as = {});

private:
    QTemporaryDir m_dir;
    QString m_path;
};

namespace TestSupport {
// Every seam scripted, the clock fixed, recorded answers cleared.
void resetSeams(const QDate &today = QDate(2024, 3, 15));
// Runs action on the next modal window (or any top-level of class T) once the event loop spins.
void onNextModal(const std::function<void(QWidget *)> &action);
QString dataPath(const QString &name);
// The paragraphs of the help page shown last through the help seam (none: an empty list).
QStringList helpParagraphs();
QString helpTitle();
} // namespace TestSupport

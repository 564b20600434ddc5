#pragma once
// Shared test fixture: a temporary program folder and every platform seam answered by a test double.

#include "core/Seams.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
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
// Every seam scripted, the clock fixed, recorded answers cleared. Faults a test function left behind fail the
// function that calls this.
void resetSeams(const QDate &today = QDate(2024, 3, 15));
// From every test's cleanup(): fails the test function when a question or dialog found no scripted answer,
// when a scripted answer was never used, or when a window awaited by onNextModal never appeared.
void checkSeams();
// Runs action on the next modal window once the event loop spins and one is there; the test function fails
// when none appears within a few seconds.
void onNextModal(const std::function<void(QWidget *)> &action);
QString dataPath(const QString &name);
// The paragraphs of the help page shown last through the help seam (none: an empty list).
QStringList helpParagraphs();
QString helpTitle();

// The raw bytes of a file; "<missing>" when it cannot be read, so that no missing file passes for an empty one.
QByteArray fileBytes(const QString &path);
// A text field read straight from a record's bytes at a hard-coded offset (length byte, then Windows-1252
// text), independent of the layout table and of the program's codec.
QString fieldAt(const QByteArray &record, int offset, int capacity);
// Types any text into w, accented letters and other alphabets included: ASCII letters and digits as their
// keys, anything else as the text of a key a national keyboard or an input method would send.
void typeText(QWidget *w, const QString &text);
// True when the Windows build runs under Wine, which differs from Windows in a few file-system semantics.
bool underWine();
// Shows w and waits until it is exposed and active; false when it never is.
[[nodiscard]] bool showActive(QWidget *w);
} // namespace TestSupport

#pragma once
// Every place where the program touches the desktop (message boxes, shell open, file dialog, printer,
// sound, clock, help) goes through one of these small interfaces, so that tests can observe and answer them.
//
// The scripted side lives here, without widgets; the desktop side (real boxes, dialogs, the printer, the
// player) is installed at start-up by DesktopSeams::install() in core/widgets, and the help window registers
// itself through Help::setWindow. A seam that is neither scripted nor installed does nothing.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class QPrinter;

namespace Seams {

// Message boxes. Warning, error and information boxes carry OK and Cancel (the answer is not used);
// a question carries Yes and No; a plain box carries only OK.
// A QuestionCancel carries Yes, No and Cancel (unsaved changes: save, discard, or stay). A QuestionNo is a
// question whose default (Enter) is No, where Yes destroys something.
enum class MsgKind { Warning, Error, Information, Question, Plain, QuestionCancel, QuestionNo };
enum class Answer { Ok, Cancel, Yes, No, Closed };

struct ShownMessage {
    MsgKind kind;
    QString text;
};

class Messages {
public:
    static void warning(QWidget *parent, const QString &text) { show(parent, MsgKind::Warning, text); }
    static void error(QWidget *parent, const QString &text) { show(parent, MsgKind::Error, text); }
    static void information(QWidget *parent, const QString &text) { show(parent, MsgKind::Information, text); }
    static void plain(QWidget *parent, const QString &text) { show(parent, MsgKind::Plain, text); }
    static Answer question(QWidget *parent, const QString &text) { return show(parent, MsgKind::Question, text); }
    static Answer questionCancel(QWidget *parent, const QString &text)
    {
        return show(parent, MsgKind::QuestionCancel, text);
    }
    static Answer questionNo(QWidget *parent, const QString &text) { return show(parent, MsgKind::QuestionNo, text); }
    static Answer show(QWidget *parent, MsgKind kind, const QString &text);

    // Test double: when scripted, no box is shown; every message is recorded and answered from the queue.
    // With the queue empty a box that only informs is answered Ok; a question is answered as its default
    // button would (No for a QuestionNo, Yes otherwise) and recorded as a fault of the test (Scripts::faults).
    static void setScripted(bool on);
    static void setNextAnswer(Answer a);
    static QList<ShownMessage> &shown();
    static ShownMessage last();
    static void clear(); // the record and the queue; answers still queued become faults
};

// Operating-system "open" of a path, web address or mailto link. The result is ignored by callers.
class Shell {
public:
    static void open(const QString &target);
    static void setScripted(bool on);
    static QStringList &opened();
};

// File-open dialog.
class FileDialog {
public:
    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir = {},
                                   const QString &filter = {});
    // Folder choice; answered from the same scripted next name.
    static QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir = {});
    // Save dialog: where a new file goes; empty when the user cancelled.
    static QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir = {},
                                   const QString &filter = {});
    static void setScripted(bool on);
    // Scripted: the answer of the next dialog; empty = the user cancelled; serves every dialog. A dialog with
    // no name scripted, and a name replaced before a dialog used it, are faults of the test.
    static void setNextFileName(const QString &name);
    static QStringList &asked(); // captions of the dialogs shown, in order
};

// Printer choice and preview. Production shows the print dialog / preview window; tests print to a PDF file.
class Printing {
public:
    // Shows the print dialog for printer; false when the user cancelled. With no printer installed the user
    // is told so and chooses, through the file dialog, the PDF file the print goes to.
    static bool choosePrinter(QPrinter &printer, QWidget *parent);
    static bool hasPrinter();
    // Shows a modal preview; paint is called to render the pages into the given printer.
    static void preview(QPrinter &printer, QWidget *parent, const std::function<void(QPrinter *)> &paint);
    static void setScripted(bool on);
    // Empty = cancel the next print dialog. As with file names, a print dialog with nothing scripted and a
    // file replaced before use are faults of the test.
    static void setNextPdfFile(const QString &path);
    static void setNoPrinter(bool none); // scripted: behave as a computer without printers
    static int &previewCount();
    // The scripted state, read by the desktop side.
    static bool scripted();
    static bool scriptedNoPrinter();
    static QString takeNextPdfFile();
};

// Short sounds played from a file.
class Sound {
public:
    static void play(const QString &path);
    // Silences a sound still playing; nothing happens when none is.
    static void stop();
    static int &stopCount(); // how many times stop was asked
    static void setScripted(bool on);
    static QStringList &played();
};

// Today's date and the time. Overdue, imminent and expiring records depend on it.
class Clock {
public:
    static QDate today();
    static QDateTime now();
    static void setFixed(const QDateTime &when); // invalid = follow the system clock
};

// The help window: a title and a text, shown modally over parent.
class Help {
public:
    static void show(QWidget *parent, const QString &title, const QString &text);
    using Window = std::function<void(QWidget *parent, const QString &title, const QString &text)>;
    static void setWindow(Window window); // the help window registers itself at start-up
    struct Shown {
        QString title;
        QString text;
    };
    static void setScripted(bool on);
    static QList<Shown> &shown();
};

// Ending the application (menu close, "Esci").
class AppExit {
public:
    static void terminate();
    static void setScripted(bool on);
    static int &count(); // how many times termination was asked
};

// Switch every seam to its test double at once.
void setScriptedAll(bool on);

// The scripted side is strict: whatever asks the user something (a question, a file dialog, the print dialog)
// must find its answer scripted, and every answer scripted must be used. Tests check these at the end of
// every test function.
class Scripts {
public:
    // The asks no answer was scripted for and the answers dropped unused, in order, then the answers still
    // waiting.
    static QStringList faults();
    static void clear(); // faults and waiting answers dropped
};

// What the desktop side supplies; each member may stay empty.
struct Desktop {
    std::function<Answer(QWidget *parent, MsgKind kind, const QString &text)> message;
    std::function<QString(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)> openFile,
        saveFile;
    std::function<QString(QWidget *parent, const QString &caption, const QString &dir)> folder;
    std::function<void(const QString &path)> play;
    std::function<void()> stop;
};
void setDesktop(Desktop desktop);

} // namespace Seams

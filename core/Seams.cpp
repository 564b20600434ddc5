#include "core/Seams.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <optional>
#include <utility>

namespace Seams {

namespace {
struct State {
    Desktop desktop;
    Help::Window helpWindow;
    bool msgScripted = false;
    QList<Answer> answers;
    QList<ShownMessage> shown;
    bool shellScripted = false;
    QStringList opened;
    bool fileScripted = false;
    std::optional<QString> nextFile;
    QStringList fileAsked;
    bool noPrinter = false;
    bool printScripted = false;
    std::optional<QString> nextPdf;
    int previews = 0;
    bool soundScripted = false;
    QStringList played;
    int stops = 0;
    bool helpScripted = false;
    QList<Help::Shown> helpShown;
    QDateTime fixedNow;
    bool exitScripted = false;
    int exits = 0;
    QStringList faults;
};
State &st()
{
    static State s;
    return s;
}
QString kindName(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Question:
        return QStringLiteral("question");
    case MsgKind::QuestionCancel:
        return QStringLiteral("question with Cancel");
    case MsgKind::QuestionNo:
        return QStringLiteral("question with No as default");
    default:
        return QStringLiteral("message");
    }
}

QString answerName(Answer a)
{
    switch (a) {
    case Answer::Ok:
        return QStringLiteral("Ok");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::Closed:
        break;
    }
    return QStringLiteral("Closed");
}

void fault(const QString &what)
{
    st().faults.append(what);
}
} // namespace

void setDesktop(Desktop desktop)
{
    st().desktop = std::move(desktop);
}

Answer Messages::show(QWidget *parent, MsgKind kind, const QString &text)
{
    auto &s = st();
    s.shown.append({kind, text});
    if (s.msgScripted) {
        if (!s.answers.isEmpty())
            return s.answers.takeFirst();
        if (kind != MsgKind::Question && kind != MsgKind::QuestionCancel && kind != MsgKind::QuestionNo)
            return Answer::Ok;
        fault(QStringLiteral("unscripted %1: \"%2\"").arg(kindName(kind), text));
        return kind == MsgKind::QuestionNo ? Answer::No : Answer::Yes;
    }
    return s.desktop.message ? s.desktop.message(parent, kind, text) : Answer::Closed;
}

void Messages::setScripted(bool on)
{
    st().msgScripted = on;
}
void Messages::setNextAnswer(Answer a)
{
    st().answers.append(a);
}
QList<ShownMessage> &Messages::shown()
{
    return st().shown;
}
ShownMessage Messages::last()
{
    return st().shown.isEmpty() ? ShownMessage{MsgKind::Plain, QString()} : st().shown.last();
}
void Messages::clear()
{
    st().shown.clear();
    for (Answer a : std::exchange(st().answers, {}))
        fault(QStringLiteral("scripted answer %1 dropped unused").arg(answerName(a)));
}

void Shell::open(const QString &target)
{
    st().opened.append(target);
    if (st().shellScripted)
        return;
    // Callers quote file paths as a shell would; the desktop wants the bare path or address.
    QString t = target;
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        t = t.mid(1, t.size() - 2);
    const bool file = !t.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) && !t.contains(QLatin1String("://"));
    const QUrl url = file ? QUrl::fromLocalFile(t) : QUrl(t, QUrl::TolerantMode);
    // Without a program for it (on Linux, no xdg-open) nothing would happen: the user learns where the file is.
    if (!QDesktopServices::openUrl(url) && file)
        Messages::information(nullptr, QStringLiteral("Nessun programma è associato a questo tipo di file.\n\r\n\r"
                                                      "Il file si trova in:\n\r\n\r") +
                                           QDir::toNativeSeparators(t));
}
void Shell::setScripted(bool on)
{
    st().shellScripted = on;
}
QStringList &Shell::opened()
{
    return st().opened;
}

// Every file dialog is recorded; scripted, it answers the next name instead of showing itself.
static QString askFile(const QString &caption, const std::function<QString()> &dialog)
{
    st().fileAsked.append(caption);
    if (st().fileScripted) {
        if (!st().nextFile) {
            fault(QStringLiteral("unscripted file dialog: \"%1\"").arg(caption));
            return {};
        }
        return *std::exchange(st().nextFile, std::nullopt);
    }
    return dialog ? dialog() : QString();
}
QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    const auto &d = st().desktop.openFile;
    return askFile(caption, d ? [&] { return d(parent, caption, dir, filter); } : std::function<QString()>());
}
QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    const auto &d = st().desktop.folder;
    return askFile(caption, d ? [&] { return d(parent, caption, dir); } : std::function<QString()>());
}
QString FileDialog::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    const auto &d = st().desktop.saveFile;
    return askFile(caption, d ? [&] { return d(parent, caption, dir, filter); } : std::function<QString()>());
}
QStringList &FileDialog::asked()
{
    return st().fileAsked;
}
void FileDialog::setScripted(bool on)
{
    st().fileScripted = on;
}
void FileDialog::setNextFileName(const QString &name)
{
    if (st().nextFile)
        fault(QStringLiteral("scripted file name \"%1\" replaced unused").arg(*st().nextFile));
    st().nextFile = name;
}

// The printer itself is a widget-side matter (core/widgets/DesktopSeams.cpp); its scripted state lives here.
void Printing::setScripted(bool on)
{
    st().printScripted = on;
}
void Printing::setNextPdfFile(const QString &path)
{
    if (st().nextPdf)
        fault(QStringLiteral("scripted print file \"%1\" replaced unused").arg(*st().nextPdf));
    st().nextPdf = path;
}
void Printing::setNoPrinter(bool none)
{
    st().noPrinter = none;
}
int &Printing::previewCount()
{
    return st().previews;
}
bool Printing::scripted()
{
    return st().printScripted;
}
bool Printing::scriptedNoPrinter()
{
    return st().noPrinter;
}
QString Printing::takeNextPdfFile()
{
    if (!st().nextPdf) {
        fault(QStringLiteral("unscripted print dialog"));
        return {};
    }
    return *std::exchange(st().nextPdf, std::nullopt);
}

void Sound::play(const QString &path)
{
    st().played.append(path);
    if (st().soundScripted)
        return;
    if (QFileInfo::exists(path) && st().desktop.play)
        st().desktop.play(path);
}
void Sound::stop()
{
    ++st().stops;
    if (st().soundScripted)
        return;
    if (st().desktop.stop)
        st().desktop.stop();
}
int &Sound::stopCount()
{
    return st().stops;
}
void Sound::setScripted(bool on)
{
    st().soundScripted = on;
}
QStringList &Sound::played()
{
    return st().played;
}

void Help::show(QWidget *parent, const QString &title, const QString &text)
{
    st().helpShown.append({title, text});
    if (st().helpScripted)
        return;
    if (st().helpWindow)
        st().helpWindow(parent, title, text);
}
void Help::setWindow(Window window)
{
    st().helpWindow = std::move(window);
}
void Help::setScripted(bool on)
{
    st().helpScripted = on;
}
QList<Help::Shown> &Help::shown()
{
    return st().helpShown;
}

QDate Clock::today()
{
    return now().date();
}
QDateTime Clock::now()
{
    return st().fixedNow.isValid() ? st().fixedNow : QDateTime::currentDateTime();
}
void Clock::setFixed(const QDateTime &when)
{
    st().fixedNow = when;
}

void AppExit::terminate()
{
    ++st().exits;
    if (!st().exitScripted)
        QCoreApplication::quit();
}
void AppExit::setScripted(bool on)
{
    st().exitScripted = on;
}
int &AppExit::count()
{
    return st().exits;
}

void setScriptedAll(bool on)
{
    AppExit::setScripted(on);
    Messages::setScripted(on);
    Shell::setScripted(on);
    FileDialog::setScripted(on);
    Printing::setScripted(on);
    Sound::setScripted(on);
    Help::setScripted(on);
}

QStringList Scripts::faults()
{
    const State &s = st();
    QStringList all = s.faults;
    for (Answer a : s.answers)
        all << QStringLiteral("scripted answer %1 never asked for").arg(answerName(a));
    if (s.nextFile)
        all << QStringLiteral("scripted file name \"%1\" never asked for").arg(*s.nextFile);
    if (s.nextPdf)
        all << QStringLiteral("scripted print file \"%1\" never asked for").arg(*s.nextPdf);
    return all;
}

void Scripts::clear()
{
    State &s = st();
    s.faults.clear();
    s.answers.clear();
    s.nextFile.reset();
    s.nextPdf.reset();
}

} // namespace Seams

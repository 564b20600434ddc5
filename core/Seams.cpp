#include "core/Seams.h"

#include "core/widgets/SoundPlayer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QUrl>

namespace Seams {

namespace {
struct State {
    bool msgScripted = false;
    QList<Answer> answers;
    QList<ShownMessage> shown;
    bool shellScripted = false;
    QStringList opened;
    bool fileScripted = false;
    QString nextFile;
    QStringList fileAsked;
    bool noPrinter = false;
    bool printScripted = false;
    QString nextPdf;
    int previews = 0;
    bool soundScripted = false;
    QStringList played;
    int stops = 0;
    QDateTime fixedNow;
};
State &st()
{
    static State s;
    return s;
}
} // namespace

Answer Messages::show(QWidget *parent, MsgKind kind, const QString &text)
{
    auto &s = st();
    s.shown.append({kind, text});
    if (s.msgScripted) {
        if (!s.answers.isEmpty())
            return s.answers.takeFirst();
        return kind == MsgKind::Question ? Answer::Yes : Answer::Ok;
    }
    QMessageBox box(parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setWindowTitle(QApplication::applicationName());
    switch (kind) {
    case MsgKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgKind::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgKind::Plain:
        break;
    }
    if (kind == MsgKind::Question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else if (kind == MsgKind::Plain) {
        box.setStandardButtons(QMessageBox::Ok);
    } else {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
    }
    box.exec();
    auto *clicked = box.clickedButton();
    switch (box.standardButton(clicked)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Closed;
    }
}

void Messages::setScripted(bool on) { st().msgScripted = on; }
void Messages::setNextAnswer(Answer a) { st().answers.append(a); }
QList<ShownMessage> &Messages::shown() { return st().shown; }
ShownMessage Messages::last()
{
    return st().shown.isEmpty() ? ShownMessage{MsgKind::Plain, QString()} : st().shown.last();
}
void Messages::clear()
{
    st().shown.clear();
    st().answers.clear();
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
        Messages::information(QApplication::activeWindow(),
                              QStringLiteral("Nessun programma è associato a questo tipo di file.\n\r\n\r"
                                             "Il file si trova in:\n\r\n\r") +
                                  QDir::toNativeSeparators(t));
}
void Shell::setScripted(bool on) { st().shellScripted = on; }
QStringList &Shell::opened() { return st().opened; }

// Every file dialog is recorded; scripted, it answers the next name instead of showing itself.
static QString askFile(const QString &caption, const std::function<QString()> &dialog)
{
    st().fileAsked.append(caption);
    if (st().fileScripted) {
        QString f = st().nextFile;
        st().nextFile.clear();
        return f;
    }
    return dialog();
}
QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return askFile(caption, [&] { return QFileDialog::getOpenFileName(parent, caption, dir, filter); });
}
QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return askFile(caption, [&] { return QFileDialog::getExistingDirectory(parent, caption, dir); });
}
QString FileDialog::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return askFile(caption, [&] { return QFileDialog::getSaveFileName(parent, caption, dir, filter); });
}
QStringList &FileDialog::asked() { return st().fileAsked; }
void FileDialog::setScripted(bool on) { st().fileScripted = on; }
void FileDialog::setNextFileName(const QString &name) { st().nextFile = name; }

bool Printing::hasPrinter()
{
    if (st().printScripted)
        return !st().noPrinter;
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool Printing::choosePrinter(QPrinter &printer, QWidget *parent)
{
    if (!hasPrinter()) {
        // Without a printer the print dialog would write a PDF somewhere silently: ask where it goes.
        // Annulla (or closing the box) cancels the print.
        if (Messages::show(parent, MsgKind::Information,
                           QStringLiteral("Nessuna stampante è installata su questo computer.\n\r\n\r"
                                          "La stampa verrà salvata in un file PDF: scegliere dove salvarlo.")) !=
            Answer::Ok)
            return false;
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString name = printer.docName().isEmpty() ? QStringLiteral("Stampa") : printer.docName();
        QString path = FileDialog::getSaveFileName(parent, QStringLiteral("Salva la stampa in formato PDF"),
                                                   docs + QLatin1Char('/') + name + QStringLiteral(".pdf"),
                                                   QStringLiteral("Documenti PDF (*.pdf)"));
        if (path.isEmpty())
            return false;
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            path += QStringLiteral(".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        Messages::information(parent, QStringLiteral("La stampa viene salvata nel file:\n\r\n\r") + path);
        return true;
    }
    if (st().printScripted) {
        QString pdf = st().nextPdf;
        st().nextPdf.clear();
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void Printing::preview(QPrinter &printer, QWidget *parent, const std::function<void(QPrinter *)> &paint)
{
    ++st().previews;
    if (st().printScripted)
        return;
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *p) { paint(p); });
    dialog.exec();
}
void Printing::setScripted(bool on) { st().printScripted = on; }
void Printing::setNextPdfFile(const QString &path) { st().nextPdf = path; }
void Printing::setNoPrinter(bool none) { st().noPrinter = none; }
int &Printing::previewCount() { return st().previews; }

void Sound::play(const QString &path)
{
    st().played.append(path);
    if (st().soundScripted)
        return;
    if (QFileInfo::exists(path))
        SoundPlayer::play(path);
}
void Sound::stop()
{
    ++st().stops;
    if (st().soundScripted)
        return;
    SoundPlayer::stop();
}
int &Sound::stopCount() { return st().stops; }
void Sound::setScripted(bool on) { st().soundScripted = on; }
QStringList &Sound::played() { return st().played; }

QDate Clock::today() { return now().date(); }
QDateTime Clock::now() { return st().fixedNow.isValid() ? st().fixedNow : QDateTime::currentDateTime(); }
void Clock::setFixed(const QDateTime &when) { st().fixedNow = when; }

namespace {
bool g_exitScripted = false;
int g_exitCount = 0;
} // namespace
void AppExit::terminate()
{
    ++g_exitCount;
    if (!g_exitScripted)
        QCoreApplication::quit();
}
void AppExit::setScripted(bool on) { g_exitScripted = on; }
int &AppExit::count() { return g_exitCount; }

void setScriptedAll(bool on)
{
    AppExit::setScripted(on);
    Messages::setScripted(on);
    Shell::setScripted(on);
    FileDialog::setScripted(on);
    Printing::setScripted(on);
    Sound::setScripted(on);
}

} // namespace Seams

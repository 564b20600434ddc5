#include "core/widgets/DesktopSeams.h"

#include "core/Seams.h"
#include "core/widgets/SoundPlayer.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {
using Seams::Answer;
using Seams::MsgKind;

Answer messageBox(QWidget *parent, MsgKind kind, const QString &text)
{
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
    case MsgKind::QuestionCancel:
    case MsgKind::QuestionNo:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgKind::Plain:
        break;
    }
    if (kind == MsgKind::Question || kind == MsgKind::QuestionNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(kind == MsgKind::QuestionNo ? QMessageBox::No : QMessageBox::Yes);
    } else if (kind == MsgKind::QuestionCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (kind == MsgKind::Plain) {
        box.setStandardButtons(QMessageBox::Ok);
    } else {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
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
} // namespace

namespace DesktopSeams {
void install()
{
    Seams::Desktop d;
    d.message = &messageBox;
    d.openFile = [](QWidget *parent, const QString &caption, const QString &dir, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    };
    d.saveFile = [](QWidget *parent, const QString &caption, const QString &dir, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    };
    d.folder = [](QWidget *parent, const QString &caption, const QString &dir) {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    };
    d.play = &SoundPlayer::play;
    d.stop = &SoundPlayer::stop;
    Seams::setDesktop(std::move(d));
}
} // namespace DesktopSeams

namespace Seams {
bool Printing::hasPrinter()
{
    if (scripted())
        return !scriptedNoPrinter();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool Printing::choosePrinter(QPrinter &printer, QWidget *parent)
{
    if (!hasPrinter()) {
        // Without a printer the print dialog would write a PDF somewhere silently: ask where it goes. Annulla (or
        // closing the box) cancels the print.
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
    if (scripted()) {
        const QString pdf = takeNextPdfFile();
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
    ++previewCount();
    if (scripted())
        return;
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *p) { paint(p); });
    dialog.exec();
}
} // namespace Seams

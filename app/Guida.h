#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class Link;
class Picture;

// Help window: a title, a text, and the link to the PDF guide in the program folder.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *parent = nullptr);
    // The calling protocol in one place: a new window owned by parent, shown modally, freed on close.
    static void showHelp(QWidget *parent, const QString &title, const QString &text);
    // Makes this window the help seam's, for the whole run.
    static void registerAsHelp();

    QLabel *lblTitolo;
    QPlainTextEdit *txtGuida;
    QPushButton *btnChiudi;
    Link *lnkWeb;
    Picture *imgPDF;

    void lnkWebClick();

protected:
    void showEvent(QShowEvent *e) override;
};

#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;
class Picture;

// Replaces the access password once the old one is given and the new one confirmed. Reached only from the
// login window, which comes back, emptied, whenever this window closes.
class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

    Picture *imgLogo;
    QLabel *lblRigo05;
    QLineEdit *txtPasswordOld;
    QLabel *lblRigo06;
    QLineEdit *txtPasswordNew;
    QLabel *lblRigo07;
    QLineEdit *txtConferma;
    QFrame *effPasswordOld;
    QFrame *effPasswordNew;
    QFrame *effConferma;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;

    void txtChange();
    void cmdOKClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
};

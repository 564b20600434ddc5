#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;
class Picture;

// The login window, the first one shown: only the right password opens the main menu.
class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    Picture *imgLogo;
    QLabel *lblRigo05;
    QLineEdit *txtPassword;
    QFrame *effPassword;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;
    QPushButton *btnCambiaPassword;

    void txtPasswordChange();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void txtPasswordKeyDown(int key);
    void showInstead(QStringView instance);
};

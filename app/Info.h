#pragma once
#include <QDialog>

class QPushButton;
class Link;
class Picture;

// Information window: logo, product picture, the vendor's e-mail address.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);
    static QString vendorEmail();

    Picture *imgLogo;
    Picture *imgPannello;
    Link *lnkWeb;
    Picture *imgEmail;
    QPushButton *btnChiudi;
    QPushButton *btnCopieSicurezza;

    void lnkWebClick();
    void btnCopieSicurezzaClick();
};

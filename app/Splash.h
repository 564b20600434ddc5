#pragma once
#include <QDialog>

class QPushButton;
class Link;
class Picture;

// Credits window: a large picture and the vendor's web address.
class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);
    static QString vendorSite();

    Picture *imgSplash;
    Link *lnkWeb;
    Picture *imgWeb;
    QPushButton *btnChiudi;

    void lnkWebClick();

protected:
    void showEvent(QShowEvent *e) override;
};

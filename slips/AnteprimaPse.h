#pragma once
#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QWidget;
class Picture;
struct SlipOnScreen;

// Print preview of the slip: a picture of the right-hand section of the TD 674 form with the slip editor's
// data written over it, one character per box, as the print spreads it.
class TfrmAnteprimaPse : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprimaPse(QWidget *parent = nullptr);

    // Fills the labels from the slip editor's fields as they stand.
    void fillFromEditor();
    void fill(const SlipOnScreen &slip);

    QWidget *panCorpo;
    Picture *imgCorpo;
    QList<QLabel *> txtImporto; // 01 to 08
    QList<QLabel *> txtCents;   // 01 and 02
    QLabel *txtImpLettere;
    QList<QLabel *> txtEse; // 01 to 44
    QList<QLabel *> txtInd; // 01 to 22
    QList<QLabel *> txtCap; // 01 to 05
    QList<QLabel *> txtCom; // 01 to 16
    QPushButton *btnChiudi;

    void btnChiudiClick();

protected:
    void showEvent(QShowEvent *e) override;
};

#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;
class Report;

// Print window of the TD 674 slip: the top and left shift of the whole print in millimetres, stored in
// Bollettini.ini, and the print of the slip editor's current slip onto the pre-printed form.
class TfrmStampaBolTer : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaBolTer(QWidget *parent = nullptr);

    static QString iniPath();
    static QString iniSection();

    // The boxes of the template filled from the slip editor, and the page shifted by the margins on screen.
    static void fillReport(Report &report, int topMm, int leftMm);

    Picture *imgMargini;
    QLineEdit *txtTop;
    QPushButton *btnTopMinus;
    QPushButton *btnTopPlus;
    QPushButton *btnApplicaTop;
    QLineEdit *txtLeft;
    QPushButton *btnLeftMinus;
    QPushButton *btnLeftPlus;
    QPushButton *btnApplicaLeft;
    QPushButton *btnAnnulla;
    QPushButton *btnStampa;
    QPushButton *btnProvaAllineamento;
    QLabel *panInfo; // status line: says when a stored margin could not be used as it was

    void FormShow();
    void btnTopMinusClick();
    void btnTopPlusClick();
    void btnLeftMinusClick();
    void btnLeftPlusClick();
    void btnApplicaTopClick();
    void btnApplicaLeftClick();
    void btnAnnullaClick();
    void btnStampaClick();
    void btnProvaAllineamentoClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    static int marginOf(const QLineEdit *field);
    void step(QLineEdit *field, int delta);
    void apply(const QLineEdit *field, const QString &key);
};

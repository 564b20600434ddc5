#pragma once
#include "core/widgets/SummaryList.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

// Search of the open year's slips by up to ten partial keys at once; the matching slips are listed, can be
// found in the list, printed, and loaded back into the slip editor with a double click.
class TfrmTrovaBollettini : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaBollettini(QWidget *parent = nullptr);

    // Filter panel.
    QWidget *panAvvio;
    QLineEdit *txtIntero;
    QLineEdit *txtSaldato;
    QLineEdit *txtEsecutore;
    QLineEdit *txtComuneRes;
    QLineEdit *txtCapRes;
    QLineEdit *txtIndirizzoRes;
    QLineEdit *txtDataScade;
    QLineEdit *txtDataPaga;
    QLineEdit *txtTimbro;
    QLineEdit *txtNote;
    QPushButton *btnCerca;
    QPushButton *btnAnnulla;
    QLabel *lblConta;
    QLabel *lblAttendere;
    QLabel *lblMemory; // caller tag: "bollettino" lets a chosen slip go into the slip editor

    // Result panel.
    TResultPanel *panContainer;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    TResultList *lstRecords;
    QLabel *lblTrovate;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;

    void FormShow();
    void btnCercaMouseDown();
    void btnCercaClick();
    void lstRecordsDblClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    RecordFilter m_match; // the rule of the last search, kept for handing a slip back
    // Each filter field with the slip field it is compared with, in the order of the Enter chain.
    QList<QPair<QLineEdit *, std::string_view>> m_filters;
};

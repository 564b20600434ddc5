#pragma once
#include "checks/CheckWindow.h"

class QLineEdit;

// Checks the check digit of an 11-digit Italian VAT number and names the office that issued it.
class TfrmPartitaIva : public TCheckWindow {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);

    QLineEdit *txtPartitaIva;

    void btnControllaClick() override;
};

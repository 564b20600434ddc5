#pragma once
#include "checks/CheckWindow.h"

class QLineEdit;

// Checks a payment card number with the Luhn test and names its network from the leading digits.
class TfrmCarta : public TCheckWindow {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget *parent = nullptr);

    QLineEdit *txtNumero;

    void btnControllaClick() override;
};

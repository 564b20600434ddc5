#pragma once
#include "checks/CheckWindow.h"

class QLineEdit;

// Checks a 27-character IBAN with the MOD 97-10 test.
class TfrmIban : public TCheckWindow {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget *parent = nullptr);

    QLineEdit *txtIban;

    void btnControllaClick() override;
};

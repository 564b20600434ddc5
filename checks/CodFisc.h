#pragma once
#include "checks/CheckWindow.h"

class QLineEdit;

// Checks the check character of a 16-character Italian fiscal code.
class TfrmCodFisc : public TCheckWindow {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *parent = nullptr);

    QLineEdit *txtCodFisc;

    void btnControllaClick() override;
};

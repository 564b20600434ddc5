#pragma once
#include "core/widgets/SearchWindow.h"

// Search of the applicant archive by up to ten partial keys. A double click hands the chosen applicant to
// the window named by the context word in lblMemory: "anagrafica", "bollettino" or "scadenzario".
class TfrmTrovaAnagrafica : public TSearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaAnagrafica(QWidget *parent = nullptr);

    QLineEdit *txtCognome;
    QLineEdit *txtNome;
    QLineEdit *txtStatoNasc;
    QLineEdit *txtStatoCit;
    QLineEdit *txtCodFisc;
    QLineEdit *txtIva;
    QLineEdit *txtDatore;
    QLineEdit *txtContratto;
    QLineEdit *txtTipoLavoro;
    QLineEdit *txtNote;
};

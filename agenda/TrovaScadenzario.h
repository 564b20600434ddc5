#pragma once
#include "core/widgets/SearchWindow.h"

// Search of the open year's deadlines by up to ten partial keys; a double click hands the deadline to the
// agenda when the context word is "Scadenzario".
class TfrmTrovaScadenzario : public TSearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaScadenzario(QWidget *parent = nullptr);

    QLineEdit *txtData;
    QLineEdit *txtOra;
    QLineEdit *txtCliente;
    QLineEdit *txtCodFisc;
    QLineEdit *txtOggetto;
    QLineEdit *txtProtocollo;
    QLineEdit *txtStato;
    QLineEdit *txtConsulente;
    QLineEdit *txtDettagli;
    QLineEdit *txtNote;
};

#pragma once
#include "core/widgets/SearchWindow.h"

// Search of the open year's slips by up to ten partial keys at once; the matching slips are listed, can be
// found in the list, printed, and loaded back into the slip editor with a double click.
class TfrmTrovaBollettini : public TSearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaBollettini(QWidget *parent = nullptr);

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
};

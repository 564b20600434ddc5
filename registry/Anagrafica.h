#pragma once
#include "core/widgets/EditorWindow.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The applicant editor: one applicant at a time in 43 text boxes and the province box, saved to and browsed
// in "Richiedenti.pro"; the hub of the registry's other windows.
class TfrmAnagrafica : public TEditorWindow {
    Q_OBJECT
public:
    explicit TfrmAnagrafica(QWidget *parent = nullptr);

    static const QStringList &provinceCodes();

    QFrame *panContainer;
    QLineEdit *txtCognome, *txtNome, *txtCodFisc, *txtSesso, *txtDataNasc, *txtCittaNasc, *txtStatoNasc, *txtIva,
        *txtIndirizzo, *txtCap, *txtComuneRes;
    QComboBox *txtProvRes;
    QLineEdit *txtStatoCit, *txtIngresso, *txtRecapito, *txtTelCasa, *txtTelCel, *txtTelUff, *txtEmail, *txtPermesso,
        *txtScadePer, *txtComuniSog, *txtIban, *txtIntestatario, *txtBanca, *txtCarta, *txtScadeCarta, *txtTipoLavoro,
        *txtPrecedenti, *txtNote, *txtTipoDoc, *txtNumDoc, *txtEnteRil, *txtDataRil, *txtDataSca, *txtCivile,
        *txtConiuge, *txtFigli, *txtDatore, *txtDecorrenza, *txtScadenza, *txtPreavviso, *txtTotale, *txtContratto;
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QPushButton *btnCodFisc, *btnIva, *btnCarta, *btnIban, *btnEmail;
    Picture *cmdFile, *cmdAnteprima, *cmdScaduti;

    void cmdFileClick();
    void cmdTrovaClick();
    void cmdStampaClick();
    void cmdAnteprimaClick();
    void cmdEsportaClick();
    void cmdScadutiClick();
    void btnCodFiscClick();
    void btnIvaClick();
    void btnCartaClick();
    void btnIbanClick();
    void btnEmailClick();
    void txtTotaleExit();

protected:
    bool readyToSave() override;
    void afterShow() override;

private:
    void buildBoxes(QWidget *panel);
};

#pragma once
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class EditorFrame;
class Picture;

// The applicant editor: one applicant at a time in 43 text boxes and the province box, saved to and browsed
// in "Richiedenti.pro"; the hub of the registry's other windows.
class TfrmAnagrafica : public QWidget {
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
    QLabel *lblPosizione, *panInfo;
    QPushButton *btnCodFisc, *btnIva, *btnCarta, *btnIban, *btnEmail, *btnFocus;
    Picture *cmdNuovo, *cmdSalva, *cmdTrova, *cmdFile, *cmdStampa, *cmdAnteprima, *cmdEsporta, *cmdScaduti, *cmdGuida,
        *cmdEsci;
    Picture *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;

    EditorFrame *frame() const { return m_frame; }

    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdFileClick();
    void cmdTrovaClick();
    void cmdStampaClick();
    void cmdAnteprimaClick();
    void cmdEsportaClick();
    void cmdScadutiClick();
    void cmdGuidaClick();
    void btnCodFiscClick();
    void btnIvaClick();
    void btnCartaClick();
    void btnIbanClick();
    void btnEmailClick();
    void txtTotaleExit();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildBoxes(QWidget *panel);
    EditorFrame *m_frame = nullptr;
};

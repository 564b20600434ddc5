#pragma once
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class EditorFrame;
class Picture;

// The slip editor: a year panel, then a work panel laid out like the TD 674 slip it fills.
class TfrmBollettino : public QWidget {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget *parent = nullptr);

    QWidget *panStage; // the slip's drawing area, centred in the window
    // Year panel
    QFrame *panAvvio;
    QLineEdit *txtAnno;
    QPushButton *btnApri;
    Picture *imgGuida, *imgEsci;
    // Work panel
    QFrame *panContainer;
    QLineEdit *txtImporto, *txtCents, *txtImpLettere, *txtCentLettere;
    QLabel *txtIntero;
    QLineEdit *txtEsecutore, *txtIndirizzoRes, *txtCapRes, *txtComuneRes;
    QLineEdit *txtDataScade, *txtDataPaga, *txtTimbro, *txtNote;
    QCheckBox *chkSaldato;
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QLabel *lblFile, *lblPosizione, *panInfo;
    Picture *impEsecutore;
    QPushButton *btnFocus;
    Picture *cmdNuovo, *cmdDuplica, *cmdSalva, *cmdAllega, *cmdTrova, *cmdAnteprima, *cmdStampa, *cmdDaSaldare,
        *cmdScaduti, *cmdEsporta, *cmdGuida, *cmdEsci;
    Picture *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;

    EditorFrame *frame() const { return m_frame; }

    void btnApriClick();
    void emptyFields();
    void cmdNuovoClick() { emptyFields(); }
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void cmdGuidaClick();
    void cmdTrovaClick();
    void impEsecutoreClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdDaSaldareClick();
    void cmdScadutiClick();
    void cmdEsportaClick();
    void cmdAllegaClick();
    void txtImportoKeyUp();
    void txtCentsKeyUp();
    void txtCentsExit();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildYearPanel();
    void buildWorkPanel();
    EditorFrame *m_frame = nullptr;
};

#pragma once
#include "core/widgets/EditorWindow.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;

// The slip editor: a year panel, then a work panel laid out like the TD 674 slip it fills.
class TfrmBollettino : public TEditorWindow {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget *parent = nullptr);

    QWidget *panStage; // the slip's drawing area, centred in the window
    // Year panel
    QFrame *panAvvio;
    Picture *imgGuida, *imgEsci;
    // Work panel
    QFrame *panContainer;
    QLineEdit *txtImporto, *txtCents, *txtImpLettere, *txtCentLettere;
    QLabel *txtIntero;
    QLineEdit *txtEsecutore, *txtIndirizzoRes, *txtCapRes, *txtComuneRes;
    QLineEdit *txtDataScade, *txtDataPaga, *txtTimbro, *txtNote;
    QCheckBox *chkSaldato;
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    Picture *impEsecutore;
    Picture *cmdDuplica, *cmdAllega, *cmdAnteprima, *cmdDaSaldare, *cmdScaduti;

    void emptyFields() { startNew(); }
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
    bool readyToSave() override;
    void yearOpened(const QString &year) override;
    void afterShow() override;

private:
    void buildYearPanel();
    void buildWorkPanel();
};

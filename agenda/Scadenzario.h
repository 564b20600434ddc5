#pragma once
#include "core/widgets/EditorWindow.h"

#include <functional>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The agenda: a start panel (year, imminent deadlines, calendar), then a working panel holding one
// deadline or appointment of the open year's archive.
class TfrmScadenzario : public TEditorWindow {
    Q_OBJECT
public:
    explicit TfrmScadenzario(QWidget *parent = nullptr);

    // The applicant search lives with the registry; it is handed in from there. It must be a dialog
    // with a hidden label "lblMemory". While none is registered the import command stays disabled.
    using ApplicantSearchFactory = std::function<QDialog *(QWidget *owner)>;
    static void setApplicantSearchFactory(ApplicantSearchFactory factory);

    QWidget *panStage; // both panels, centred in the window
    // Start panel
    QFrame *panAvvio;
    QLabel *lblInfo05, *lblApri, *lblInfo06, *lblOK, *icoIstruzioni;
    QPushButton *btnOK;
    Picture *imgPresenti, *imgAssenti, *btnGiorno, *btnMese, *imgGuida, *imgEsci;
    QCalendarWidget *calAppuntamenti;
    // Working panel
    QFrame *panContainer;
    QGroupBox *grpData, *grpOra;
    QComboBox *txtGiorno, *txtMese, *txtOreApp, *txtMinutiApp;
    QLabel *lblAnno, *lblData, *lblOra;
    QLineEdit *txtAvviso, *txtCliente, *txtCodFisc, *txtRecapito, *txtOggetto, *txtTipologia, *txtProtocollo,
        *txtApertura, *txtChiusura, *txtStato, *txtConsulente, *txtDettagli, *txtOfficina, *txtCosto, *txtContatto,
        *txtNote;
    QCheckBox *chkDaConfermare, *chkEffettuata;
    Picture *cmdDuplica, *cmdImporta, *cmdDaConfermare, *cmdDaEffettuare, *cmdEffettuate;
    Picture *btnCodFisc, *impApertura, *impChiusura;

    // The year the user opened with Apri; a loaded record may show another one in lblAnno.
    QString openYear() const { return m_openYear; }

    void ResetDeadlineForm() { startNew(); }
    bool ShowDeadline(const Record &record, qint64 position) { return showRecord(record, position); }
    void cmdImportaClick();
    void cmdStampaClick();
    void btnCodFiscClick();
    void impAperturaClick();
    void impChiusuraClick();
    void btnOKClick();
    void btnGiornoClick();
    void btnMeseClick();
    void cmdTrovaClick();
    void cmdEsportaClick();
    void cmdDaConfermareClick();
    void cmdDaEffettuareClick();
    void cmdEffettuateClick();
    // The imminent-deadline indicator: red banner and OK enabled, or blue banner and OK disabled.
    void showImminent(bool present);

    // The four drop-down fields and their lists.
    QList<QComboBox *> dropDowns() const;

protected:
    bool readyToSave() override;
    void yearOpened(const QString &year) override;
    void afterReset() override;
    void afterLoad() override;
    void afterDuplicate() override;
    void afterShow() override;
    void beforeClose() override;

private:
    void buildStartPanel();
    void buildWorkPanel();
    void applyFieldRules();
    QString m_openYear;
};

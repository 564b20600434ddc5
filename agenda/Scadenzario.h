#pragma once
#include <QWidget>
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
class EditorFrame;
class Picture;
class Record;

// The agenda: a start panel (year, imminent deadlines, calendar), then a working panel holding one
// deadline or appointment of the open year's archive.
class TfrmScadenzario : public QWidget {
    Q_OBJECT
public:
    explicit TfrmScadenzario(QWidget *parent = nullptr);

    // The applicant search lives with the registry; it is handed in from there. It must be a dialog
    // with a hidden label "lblMemory". While none is registered the import command stays disabled.
    using ApplicantSearchFactory = std::function<QDialog *(QWidget *owner)>;
    static void setApplicantSearchFactory(ApplicantSearchFactory factory);

    // Start panel
    QFrame *panAvvio;
    QLabel *lblInfo05, *lblApri, *lblInfo06, *lblOK, *icoIstruzioni;
    QLineEdit *txtAnno;
    QPushButton *btnApri, *btnOK;
    Picture *imgPresenti, *imgAssenti, *btnGiorno, *btnMese, *imgGuida, *imgEsci;
    QCalendarWidget *calAppuntamenti;
    QLabel *lblFile;
    // Working panel
    QFrame *panContainer;
    QGroupBox *grpData, *grpOra;
    QComboBox *txtGiorno, *txtMese, *txtOreApp, *txtMinutiApp;
    QLabel *lblAnno, *lblData, *lblOra, *lblPosizione, *panInfo;
    QLineEdit *txtAvviso, *txtCliente, *txtCodFisc, *txtRecapito, *txtOggetto, *txtTipologia, *txtProtocollo,
        *txtApertura, *txtChiusura, *txtStato, *txtConsulente, *txtDettagli, *txtOfficina, *txtCosto, *txtContatto,
        *txtNote;
    QCheckBox *chkDaConfermare, *chkEffettuata;
    Picture *cmdNuovo, *cmdDuplica, *cmdImporta, *cmdSalva, *cmdTrova, *cmdStampa, *cmdEsporta, *cmdDaConfermare,
        *cmdDaEffettuare, *cmdEffettuate, *cmdGuida, *cmdEsci;
    Picture *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;
    Picture *btnCodFisc, *impApertura, *impChiusura;

    EditorFrame *frame() const { return m_frame; }
    // The year the user opened with Apri; a loaded record may show another one in lblAnno.
    QString openYear() const { return m_openYear; }

    void btnApriClick();
    void ResetDeadlineForm();
    void ShowDeadline(const Record &record, qint64 position);
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdNuovoClick() { ResetDeadlineForm(); }
    void cmdDuplicaClick();
    void cmdImportaClick();
    void cmdSalvaClick();
    void cmdStampaClick();
    void imgGuidaClick();
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
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildStartPanel();
    void buildWorkPanel();
    void afterLoad();
    void applyFieldRules();
    EditorFrame *m_frame = nullptr;
    QString m_openYear;
};

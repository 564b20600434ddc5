#pragma once
// The applicant sheet: one A4 page of forty labelled rows filled from the applicant editor's controls as
// they stand on screen, saved or not. Both the print and the preview dialog fill it here.

#include <QDialog>
#include <QString>

class QPushButton;
class Report;

namespace ApplicantSheet {
// Loads the template, fills it from frmAnagrafica and prepares it. False when the template is missing.
bool prepare(Report &report);
// "Stampa eseguita in data dd/mm/yyyy alle ore HH:mm:ss", from the clock.
QString footer();
} // namespace ApplicantSheet

// The two small dialogs that hold the sheet: Annulla closes, the right button fills the sheet and prints
// or previews it, then closes.
class TSheetDialog : public QDialog {
    Q_OBJECT
public:
    enum class Output { Print, Preview };
    TSheetDialog(const QString &name, const QString &caption, const QString &action, Output output, QWidget *parent);

    QPushButton *btnAnnulla;
    QPushButton *btnStampa;

    void btnAnnullaClick();
    void btnStampaClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    Output m_output;
};

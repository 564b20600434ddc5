#pragma once
#include "core/Backup.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// Safety copies window, opened from the information window: lists the copies (date, files, size),
// restores one, and chooses the second folder that receives the same copies.
class TfrmCopieSicurezza : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCopieSicurezza(QWidget *parent = nullptr);

    QTableWidget *grdCopie;
    QPushButton *btnRipristina;
    QLineEdit *txtSecondaCartella;
    QPushButton *btnScegli;
    QPushButton *btnNessuna;
    QPushButton *btnChiudi;

    void FormShow();
    void btnRipristinaClick();
    void btnScegliClick();
    void btnNessunaClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    QList<Backup::Copy> m_copies;
};

// Today's safety copy at start-up, on a worker thread so that the login window is not delayed. The worker
// touches no widget; a failure is reported once, on the GUI thread, through the message seam.
namespace DailyCopy {
void start();
void wait(); // a copy still running at the end of the program
// The warning for a finished daily copy; empty when there is nothing to report.
QString failureText(const Backup::DailyResult &result);
} // namespace DailyCopy

#pragma once
#include "core/Backup.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// Safety copies window, opened from the main menu and from the information window: lists the copies (date,
// files, size), takes today's copy at once, restores one (the password only when asked), and chooses the
// second folder that receives the same copies. Copies and restores run off the interface thread.
class TfrmCopieSicurezza : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCopieSicurezza(QWidget *parent = nullptr);

    QTableWidget *grdCopie;
    QPushButton *btnRipristina;
    QCheckBox *chkPassword;
    QPushButton *btnCopiaAdesso;
    QLineEdit *txtSecondaCartella;
    QPushButton *btnScegli;
    QPushButton *btnNessuna;
    QPushButton *btnChiudi;

    void FormShow();
    void btnRipristinaClick();
    void btnCopiaAdessoClick();
    void btnScegliClick();
    void btnNessunaClick();

    // The restore window's messages for a finished restore.
    static QString restoreText(const Backup::RestoreResult &result, const QString &when);

protected:
    void showEvent(QShowEvent *e) override;

private:
    QList<Backup::Copy> m_copies;
};

// Today's safety copy at start-up, on a worker thread so that the login window is not delayed. A restore cut
// short is finished or undone first, and the user told, before the day's copy is taken. The worker touches no
// widget; what it has to say is shown on the GUI thread through the message seam.
namespace DailyCopy {
void start();
void wait(); // a copy still running at the end of the program
// The warning for a finished daily copy; empty when there is nothing to report.
QString failureText(const Backup::DailyResult &result);
// What the start says about a restore it found cut short; empty when there was none.
QString recoveryText(const Backup::RecoveryResult &result);
// How the copies and the start check a password store before restoring it.
bool passwordParses(const QString &storePath);
} // namespace DailyCopy

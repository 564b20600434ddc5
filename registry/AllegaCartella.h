#pragma once
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;

// Attachments: three slots (file name and description) of the record on screen in the applicant or the slip
// editor. Chosen files are copied into the attachments folder; the slots go back into the editor's six
// hidden labels on "Applica e chiudi" and reach the archive with the editor's next save.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget *parent = nullptr);
    // The calling protocol: a new window owned by the editor, tagged with its context word ("anagrafica",
    // "bollettino"), the editor's six labels put into the slots, shown modally and freed on close.
    static void attachFor(QWidget *editor, const QString &context);

    QLineEdit *txtFile01, *txtFile02, *txtFile03;
    Picture *imgCancella01, *imgCancella02, *imgCancella03;
    QPushButton *btnSfoglia01, *btnSfoglia02, *btnSfoglia03;
    QPushButton *btnApri01, *btnApri02, *btnApri03;
    QLineEdit *txtDesc01, *txtDesc02, *txtDesc03;
    QPushButton *btnApplica, *btnAnnulla;
    QLabel *panInfo;
    QLabel *lblMemory;

    // Slot handlers; slot is 0, 1 or 2.
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();

protected:
    // Delete or Backspace in a name box clears it, as the icon beside it does, for those who work by keyboard.
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    struct Slot {
        QLineEdit *file;
        QLineEdit *desc;
        QPushButton *apri;
    };
    std::array<Slot, 3> m_slots{};
};

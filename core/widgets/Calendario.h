#pragma once
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

// Date import: "Importa" writes the chosen day as dd/mm/yyyy into the editor field named by the caller tag.
// The day is picked on the calendar or typed into txtData; what is typed is what is imported, or nothing.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);
    // The date-field protocol: a new calendar owned by parent, tagged, shown modally, freed on close.
    static void pickDate(QWidget *parent, const QString &callerTag);

    QLabel *lblCampo001;
    QLineEdit *txtData;
    QCalendarWidget *calAppuntamenti;
    QLabel *lblSuggerimento;
    QPushButton *btnImportaData;
    QPushButton *btnAnnulla;
    QLabel *lblMemory;

    void btnImportaDataClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSelectedDate();
    void readTypedText();
    bool m_fromTyping = false;
};

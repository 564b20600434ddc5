#pragma once
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

// Date import: "Importa" writes the chosen day as dd/mm/yyyy into the editor field named by the caller tag.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);
    // The date-field protocol: a new calendar owned by parent, tagged, shown modally, freed on close.
    static void pickDate(QWidget *parent, const QString &callerTag);

    QLabel *lblCampo001;
    QCalendarWidget *calAppuntamenti;
    QPushButton *btnImportaData;
    QPushButton *btnAnnulla;
    QLabel *lblMemory;

    void btnImportaDataClick();
};

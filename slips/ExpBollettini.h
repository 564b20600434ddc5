#pragma once
#include "core/Spreadsheet.h"

#include <QDialog>

class QLabel;
class Picture;
class TExportGrid;

// Every slip of the open year in a grid, exported to a spreadsheet file in the program folder.
class TfrmExpBollettini : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExpBollettini(QWidget *parent = nullptr);

    Picture *imgLogo;
    TExportGrid *grdRecords;
    Picture *cmdEsporta;
    Picture *cmdGuida;
    Picture *cmdEsci;
    QLabel *panInfo;

    void FormShow();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    // The grid's rows as the export writes them.
    SpreadsheetExport description() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    // The message for an archive that could not be read whole; empty when it was. Such a grid is never
    // exported over an earlier, complete file.
    QString m_readFailure;
};

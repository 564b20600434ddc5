#pragma once
#include "core/widgets/ExportWindow.h"

// The whole applicant archive in a grid, exported to a spreadsheet file in the program folder.
class TfrmExpAnagrafica : public TExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpAnagrafica(QWidget *parent = nullptr);
};

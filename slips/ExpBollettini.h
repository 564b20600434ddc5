#pragma once
#include "core/widgets/ExportWindow.h"

// Every slip of the open year in a grid, exported to a spreadsheet file in the program folder.
class TfrmExpBollettini : public TExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpBollettini(QWidget *parent = nullptr);
};

#pragma once
#include "core/widgets/ExportWindow.h"

// The whole archive open in the agenda, in order of entry, exported to a spreadsheet file.
class TfrmExpScadenzario : public TExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpScadenzario(QWidget *parent = nullptr);
};

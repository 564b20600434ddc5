#pragma once
#include "core/widgets/ExportWindow.h"

// The deadlines of the month picked on the editor's calendar, by day and time.
class TfrmExpMensili : public TExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpMensili(QWidget *parent = nullptr);
};

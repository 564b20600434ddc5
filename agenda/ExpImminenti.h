#pragma once
#include "core/widgets/ExportWindow.h"

// The deadlines of this year and early next year that have entered their notice days, in time order.
class TfrmExpImminenti : public TExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpImminenti(QWidget *parent = nullptr);
};

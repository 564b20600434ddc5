#pragma once
#include "core/widgets/ExportWindow.h"

// The deadlines of the day picked on the editor's calendar, in time order.
class TfrmExpGiornaliere : public TExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpGiornaliere(QWidget *parent = nullptr);
};

#pragma once
#include "core/widgets/SummaryList.h"

// The unpaid slips of the open year whose due date has passed.
class TfrmScadute : public TSummaryList {
    Q_OBJECT
public:
    explicit TfrmScadute(QWidget *parent = nullptr);
};

#pragma once
#include "core/widgets/SummaryList.h"

// Payments still to make, past or future (the class name is the historical one).
class TfrmConfermati : public TSummaryList {
    Q_OBJECT
public:
    explicit TfrmConfermati(QWidget *parent = nullptr);
};

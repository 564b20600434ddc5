#pragma once
#include "core/widgets/SummaryList.h"

// Payments made: the year's history (the class name is the historical one).
class TfrmNonConfermati : public TSummaryList {
    Q_OBJECT
public:
    explicit TfrmNonConfermati(QWidget *parent = nullptr);
};

#pragma once
#include "core/widgets/SummaryList.h"

// Every slip of the open year not yet marked as paid.
class TfrmDaSaldare : public TSummaryList {
    Q_OBJECT
public:
    explicit TfrmDaSaldare(QWidget *parent = nullptr);
};

#pragma once
#include "core/widgets/SummaryList.h"

// The applicants whose employment contract has expired or is within its days of notice; a double click
// loads the applicant into the applicant editor.
class TfrmContrattiScaduti : public TSummaryList {
    Q_OBJECT
public:
    explicit TfrmContrattiScaduti(QWidget *parent = nullptr);
};

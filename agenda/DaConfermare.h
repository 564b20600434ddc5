#pragma once
#include "core/widgets/SummaryList.h"

// Appointments still waiting for confirmation.
class TfrmDaConfermare : public TSummaryList {
    Q_OBJECT
public:
    explicit TfrmDaConfermare(QWidget *parent = nullptr);
};

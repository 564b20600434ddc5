#pragma once
#include "registry/ApplicantSheet.h"

// Prints the applicant sheet of the applicant on the editor's screen.
class TfrmStampaAnagrafica : public TSheetDialog {
    Q_OBJECT
public:
    explicit TfrmStampaAnagrafica(QWidget *parent = nullptr);
};

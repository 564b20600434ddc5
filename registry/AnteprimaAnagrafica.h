#pragma once
#include "registry/ApplicantSheet.h"

// Shows the applicant sheet of the applicant on the editor's screen in the preview window.
class TfrmAnteprimaAnagrafica : public TSheetDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprimaAnagrafica(QWidget *parent = nullptr);
};

#include "registry/StampaAnagrafica.h"

TfrmStampaAnagrafica::TfrmStampaAnagrafica(QWidget *parent)
    : TSheetDialog(QStringLiteral("frmStampaAnagrafica"), QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa"),
                   Output::Print, parent) {}

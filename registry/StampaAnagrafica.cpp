#include "registry/StampaAnagrafica.h"
#include "core/widgets/WindowNames.h"

TfrmStampaAnagrafica::TfrmStampaAnagrafica(QWidget *parent)
    : TSheetDialog(WindowNames::stampaAnagrafica.toString(), QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa"),
                   Output::Print, parent)
{
}

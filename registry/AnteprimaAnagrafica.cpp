#include "registry/AnteprimaAnagrafica.h"
#include "core/widgets/WindowNames.h"

TfrmAnteprimaAnagrafica::TfrmAnteprimaAnagrafica(QWidget *parent)
    : TSheetDialog(WindowNames::anteprimaAnagrafica.toString(), QStringLiteral(" Anteprima di stampa"),
                   QStringLiteral("Mostra anteprima"), Output::Preview, parent)
{
}

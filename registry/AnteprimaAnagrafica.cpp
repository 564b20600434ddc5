#include "registry/AnteprimaAnagrafica.h"

TfrmAnteprimaAnagrafica::TfrmAnteprimaAnagrafica(QWidget *parent)
    : TSheetDialog(QStringLiteral("frmAnteprimaAnagrafica"), QStringLiteral(" Anteprima di stampa"),
                   QStringLiteral("Mostra anteprima"), Output::Preview, parent) {}

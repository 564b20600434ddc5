// The agenda editor's commands that open the lists, the search and the export.
#include "agenda/Confermati.h"
#include "agenda/DaConfermare.h"
#include "agenda/ExpGiornaliere.h"
#include "agenda/ExpImminenti.h"
#include "agenda/ExpMensili.h"
#include "agenda/ExpScadenzario.h"
#include "agenda/NonConfermati.h"
#include "agenda/Scadenzario.h"
#include "agenda/TrovaScadenzario.h"
#include "core/widgets/WindowStyle.h"

#include <QLabel>

using WindowStyle::runModal;

void TfrmScadenzario::btnOKClick()
{
    runModal<TfrmExpImminenti>(this);
}
void TfrmScadenzario::btnGiornoClick()
{
    runModal<TfrmExpGiornaliere>(this);
}
void TfrmScadenzario::btnMeseClick()
{
    runModal<TfrmExpMensili>(this);
}
void TfrmScadenzario::cmdEsportaClick()
{
    runModal<TfrmExpScadenzario>(this);
}
// The class names are swapped on purpose: TfrmConfermati lists the payments still to make.
void TfrmScadenzario::cmdDaEffettuareClick()
{
    runModal<TfrmConfermati>(this);
}
void TfrmScadenzario::cmdEffettuateClick()
{
    runModal<TfrmNonConfermati>(this);
}
void TfrmScadenzario::cmdDaConfermareClick()
{
    runModal<TfrmDaConfermare>(this);
}

void TfrmScadenzario::cmdTrovaClick()
{
    runModal<TfrmTrovaScadenzario>(this, [](auto &w) { w.lblMemory->setText(QStringLiteral("Scadenzario")); });
}

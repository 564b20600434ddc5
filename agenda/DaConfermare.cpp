#include "agenda/DaConfermare.h"

#include "agenda/DeadlineLists.h"
#include "core/Record.h"
#include "core/widgets/WindowNames.h"

TfrmDaConfermare::TfrmDaConfermare(QWidget *parent)
    : TSummaryList(DeadlineLists::statusList(WindowNames::daConfermare.toString(),
                                             QStringLiteral("Riepilogo appuntamenti da confermare"), "DaConfermare",
                                             FieldCodec::yes()),
                   parent)
{
}

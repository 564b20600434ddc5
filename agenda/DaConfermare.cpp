#include "agenda/DaConfermare.h"

#include "agenda/DeadlineLists.h"
#include "core/Record.h"

TfrmDaConfermare::TfrmDaConfermare(QWidget *parent)
    : TSummaryList(DeadlineLists::statusList(QStringLiteral("frmDaConfermare"),
                                             QStringLiteral("Riepilogo appuntamenti da confermare"), "DaConfermare",
                                             FieldCodec::yes()),
                   parent)
{
}

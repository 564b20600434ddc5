#include "agenda/Confermati.h"

#include "agenda/DeadlineLists.h"
#include "core/Record.h"

TfrmConfermati::TfrmConfermati(QWidget *parent)
    : TSummaryList(DeadlineLists::statusList(QStringLiteral("frmConfermati"),
                                             QStringLiteral("Riepilogo pagamenti da effettuare"), "Effettuata",
                                             FieldCodec::no()),
                   parent)
{
}

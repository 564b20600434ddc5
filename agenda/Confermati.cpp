#include "agenda/Confermati.h"

#include "agenda/DeadlineLists.h"
#include "core/Record.h"
#include "core/widgets/WindowNames.h"

TfrmConfermati::TfrmConfermati(QWidget *parent)
    : TSummaryList(DeadlineLists::statusList(WindowNames::confermati.toString(),
                                             QStringLiteral("Riepilogo pagamenti da effettuare"), "Effettuata",
                                             FieldCodec::no()),
                   parent)
{
}

#include "agenda/NonConfermati.h"

#include "agenda/DeadlineLists.h"
#include "core/Record.h"

TfrmNonConfermati::TfrmNonConfermati(QWidget *parent)
    : TSummaryList(DeadlineLists::statusList(QStringLiteral("frmNonConfermati"),
                                             QStringLiteral("Riepilogo pagamenti effettuati"), "Effettuata",
                                             FieldCodec::yes()),
                   parent)
{
}

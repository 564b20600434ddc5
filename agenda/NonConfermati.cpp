#include "agenda/NonConfermati.h"

#include "agenda/DeadlineLists.h"
#include "core/Record.h"
#include "core/widgets/WindowNames.h"

TfrmNonConfermati::TfrmNonConfermati(QWidget *parent)
    : TSummaryList(DeadlineLists::statusList(WindowNames::nonConfermati.toString(),
                                             QStringLiteral("Riepilogo pagamenti effettuati"), "Effettuata",
                                             FieldCodec::yes()),
                   parent)
{
}

#include "slips/DaSaldare.h"

#include "core/widgets/WindowNames.h"
#include "slips/SlipLists.h"

TfrmDaSaldare::TfrmDaSaldare(QWidget *parent)
    : TSummaryList(SlipLists::listConfig(WindowNames::daSaldare.toString(),
                                         QStringLiteral("Riepilogo bollettini non saldati"),
                                         [] { return RecordFilter(&SlipLists::unpaid); }),
                   parent)
{
}

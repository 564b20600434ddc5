#include "slips/DaSaldare.h"

#include "slips/SlipLists.h"
#include "core/widgets/WindowNames.h"

TfrmDaSaldare::TfrmDaSaldare(QWidget *parent)
    : TSummaryList(SlipLists::listConfig(WindowNames::daSaldare.toString(),
                                         QStringLiteral("Riepilogo bollettini non saldati"),
                                         [] { return RecordFilter(&SlipLists::unpaid); }),
                   parent) {}

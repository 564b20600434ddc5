#include "slips/DaSaldare.h"

#include "slips/SlipLists.h"

TfrmDaSaldare::TfrmDaSaldare(QWidget *parent)
    : TSummaryList(SlipLists::listConfig(QStringLiteral("frmDaSaldare"),
                                         QStringLiteral("Riepilogo bollettini non saldati"),
                                         [] { return RecordFilter(&SlipLists::unpaid); }),
                   parent) {}

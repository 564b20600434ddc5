#include "slips/Scadute.h"

#include "core/Seams.h"
#include "core/widgets/WindowNames.h"
#include "slips/SlipLists.h"

TfrmScadute::TfrmScadute(QWidget *parent)
    : TSummaryList(SlipLists::listConfig(WindowNames::scadute.toString(),
                                         QStringLiteral("Riepilogo bollettini scaduti e non saldati"),
                                         [] {
                                             // Today is read once per building, not once per slip.
                                             const QDate today = Seams::Clock::today();
                                             return RecordFilter([today](const RecordView &slip) {
                                                 return SlipLists::overdue(slip, today);
                                             });
                                         }),
                   parent)
{
}

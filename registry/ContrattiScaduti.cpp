#include "registry/ContrattiScaduti.h"

#include "core/Seams.h"
#include "core/widgets/WindowNames.h"
#include "registry/ApplicantLists.h"
#include "registry/ApplicantRecord.h"

namespace {
SummaryListConfig config()
{
    SummaryListConfig c;
    c.name = WindowNames::contrattiScaduti.toString();
    c.caption = QStringLiteral(" Riepilogo contratti in scadenza o scaduti");
    c.reportTitle = QStringLiteral("Riepilogo contratti in scadenza o scaduti");
    c.variant = SummaryReport::Variant::Dati;
    c.layout = &kApplicantLayout;
    c.archivePath = &ApplicantLists::archivePath;
    c.selection = [] {
        const QDate today = Seams::Clock::today();
        return RecordFilter([today](const RecordView &r) { return ApplicantLists::expiring(r, today); });
    };
    c.line = [](const RecordView &r) { return ApplicantLists::expiringLine()(r); };
    c.editor = ApplicantLists::editorName();
    return c;
}
} // namespace

TfrmContrattiScaduti::TfrmContrattiScaduti(QWidget *parent) : TSummaryList(config(), parent) {}

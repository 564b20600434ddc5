#include "core/widgets/SummaryReport.h"

#include "core/Seams.h"
#include "core/report/Report.h"
#include "core/widgets/ReportPrinting.h"

namespace SummaryReport {

bool print(QWidget *parent, const QString &title, Variant variant, const QStringList &lines)
{
    Report report;
    const QString path = variant == Variant::Schede ? QStringLiteral(":/reports/Riepilogo_schede.json")
                                                    : QStringLiteral(":/reports/Riepilogo_dati.json");
    if (!report.load(path)) {
        Seams::Messages::error(parent,
                               QStringLiteral("Attenzione: il modello di stampa del riepilogo non è disponibile."));
        return false;
    }
    report.setText(QStringLiteral("txtTitolo"), title);
    report.clearText(QStringLiteral("txtRiepilogo"));
    for (const QString &line : lines)
        report.addLine(QStringLiteral("txtRiepilogo"), line);
    // 12.822 report units per line, and 10 units of space under the lines.
    const double height = Report::unitsToMm(lines.size() * 12.822);
    report.setObjectHeight(QStringLiteral("txtRiepilogo"), height);
    report.setBandHeight(QStringLiteral("MasterData"), height + Report::unitsToMm(10));
    report.prepare();
    return ReportPrinting::print(report, parent);
}

} // namespace SummaryReport

#include "core/widgets/ReportPrinting.h"

#include "core/Seams.h"

#include <QPrinter>
#include <cmath>

namespace ReportPrinting {
bool hasLayout(const Report &report, const QPrinter &printer)
{
    const QPageLayout layout = printer.pageLayout();
    const QSizeF have = layout.pageSize().size(QPageSize::Millimeter);
    const QSizeF want = report.pageSize().size(QPageSize::Millimeter);
    return printer.fullPage() && layout.orientation() == report.orientation() &&
           std::abs(have.width() - want.width()) < 0.5 && std::abs(have.height() - want.height()) < 0.5;
}

bool applyLayout(const Report &report, QPrinter &printer)
{
    printer.setFullPage(true);
    const bool accepted = printer.setPageLayout(report.pageLayout());
    return accepted && hasLayout(report, printer);
}

bool render(const Report &report, QPrinter &printer, const Report::Overlay &overlay)
{
    return report.render(&printer, printer.resolution(), overlay);
}

QString documentName(const QStringList &parts)
{
    QStringList kept;
    for (const QString &part : parts) {
        QString clean;
        for (QChar c : part.simplified())
            if (c.unicode() >= 0x20 && !QStringLiteral("\\/:*?\"<>|").contains(c))
                clean += c;
        if (!clean.trimmed().isEmpty())
            kept << clean.trimmed();
    }
    return kept.join(QLatin1Char('_'));
}

bool print(Report &report, QWidget *parent, const Report::Overlay &overlay)
{
    if (report.pageCount() == 0)
        report.prepare();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.name());
    applyLayout(report, printer);
    if (!Seams::Printing::choosePrinter(printer, parent))
        return false;
    // The dialog (or the driver behind it) may hand back another paper or orientation: put ours back.
    if (!hasLayout(report, printer) && !applyLayout(report, printer))
        Seams::Messages::warning(
            parent, QStringLiteral("Attenzione: la stampante scelta non accetta il formato di pagina di questa stampa "
                                   "(%1 x %2 mm).\n\r\n\rLa stampa potrebbe risultare spostata o tagliata.")
                        .arg(qRound(report.paperSizeMm().width()))
                        .arg(qRound(report.paperSizeMm().height())));
    if (!render(report, printer, overlay)) {
        Seams::Messages::warning(parent, QStringLiteral("Attenzione: non è stato possibile completare la stampa."));
        return false;
    }
    return true;
}

void preview(Report &report, QWidget *parent)
{
    if (report.pageCount() == 0)
        report.prepare();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.name());
    applyLayout(report, printer);
    Seams::Printing::preview(printer, parent, [&report](QPrinter *target) {
        if (!hasLayout(report, *target))
            applyLayout(report, *target);
        render(report, *target);
    });
}
} // namespace ReportPrinting

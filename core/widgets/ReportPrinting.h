#pragma once
// A prepared report on the printer: the print dialog through the printing seam, the page layout put back when
// a driver changed it, and the preview.

#include "core/report/Report.h"

class QPrinter;
class QWidget;

namespace ReportPrinting {
// Print dialog (printer, copies), then the pages (prepared now when they were not). False when cancelled or
// the printer failed.
bool print(Report &report, QWidget *parent, const Report::Overlay &overlay = {});
// Modal preview of the pages.
void preview(Report &report, QWidget *parent);
// Puts the report's page layout on the printer; false when the printer did not keep it.
bool applyLayout(const Report &report, QPrinter &printer);
bool hasLayout(const Report &report, const QPrinter &printer);
// The prepared pages into a printer already set up.
bool render(const Report &report, QPrinter &printer, const Report::Overlay &overlay = {});
// A print's name as users recognise it ("Bollettino_ROSSI MARIO_2024-03-15"): the parts joined by "_", without
// the characters a file name cannot hold.
QString documentName(const QStringList &parts);
} // namespace ReportPrinting

#pragma once
#include <QString>

class QWidget;
class Report;

// The alignment test print of the TD 674 slip: held against a blank form on a window or a lamp, it shows
// which way and by how much to move the print. It draws the outline of every box of the slip template (the
// very boxes the slip print fills, shifted by the margins in the same way), crosshairs at the corners of the
// three sections, and, fixed to the paper, millimetre scales along the top and left edges and the margins
// in use. Settings are never written.
namespace AlignmentPrint {
QString templatePath();
// The slip template turned into outlines and crosshairs, with the page shifted by the margins. False when
// the template cannot be loaded.
bool build(Report &report, int topMm, int leftMm);
// The print dialog, then the page. Reports a missing template itself; the caller's window stays open.
void print(QWidget *parent, int topMm, int leftMm);
} // namespace AlignmentPrint

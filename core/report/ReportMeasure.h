#pragma once
// Text measurement shared by the layout and the painting of a report: text is measured at a fixed high
// resolution, so that the layout does not depend on the printer's.

#include "core/report/Report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

class QPaintDevice;

namespace ReportMeasure {
constexpr double kEps = 0.001; // mm
const QPaintDevice *device();
QFont font(const ReportObject &o);
double mmFromPx(double px);
double pxFromMm(double mm);
// The words of text in lines no wider than widthPx; a word wider than that is cut where the width ends.
QStringList wrapParagraph(const QString &text, const QFontMetricsF &fm, double widthPx);
// The longest start of text that fits in widthMm.
QString fitWidth(const QString &text, const QFont &font, double widthMm);
// Where the first line of a text box starts, from the box's top.
double firstLineOffset(const ReportObject &o, int lines, double pitch);
} // namespace ReportMeasure

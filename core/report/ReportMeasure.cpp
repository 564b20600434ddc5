#include "core/report/ReportMeasure.h"

#include <QImage>

namespace {
constexpr double kMeasureDpi = 1200.0;
} // namespace

namespace ReportMeasure {
const QPaintDevice *device()
{
    static QImage image = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dpm = qRound(kMeasureDpi / 0.0254);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return &image;
}

QFont font(const ReportObject &o)
{
    QFont f(o.fontName);
    f.setPointSizeF(o.fontSize);
    f.setBold(o.bold);
    f.setItalic(o.italic);
    f.setUnderline(o.underline);
    return f;
}

double mmFromPx(double px)
{
    return px * 25.4 / kMeasureDpi;
}
double pxFromMm(double mm)
{
    return mm * kMeasureDpi / 25.4;
}

QStringList wrapParagraph(const QString &text, const QFontMetricsF &fm, double widthPx)
{
    QStringList out;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '));
    for (int i = 0; i < words.size(); ++i) {
        QString word = words[i];
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (fm.horizontalAdvance(candidate) <= widthPx || (line.isEmpty() && word.isEmpty())) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty())
            out.append(line);
        line.clear();
        // A word wider than the box is cut wherever the box ends.
        while (fm.horizontalAdvance(word) > widthPx && word.size() > 1) {
            int n = word.size() - 1;
            while (n > 1 && fm.horizontalAdvance(word.left(n)) > widthPx)
                --n;
            out.append(word.left(n));
            word = word.mid(n);
        }
        line = word;
    }
    out.append(line);
    return out;
}

// The longest start of text that fits in widthMm. A clip alone would hide the rest on paper but leave it in
// the page's text, where a reader or a search would still find it.
QString fitWidth(const QString &text, const QFont &font, double widthMm)
{
    const QFontMetricsF fm(font, device());
    const double width = pxFromMm(widthMm);
    if (fm.horizontalAdvance(text) <= width)
        return text;
    qsizetype lo = 0, hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.left(lo);
}

// Where the first line of a text box starts, from the box's top.
double firstLineOffset(const ReportObject &o, int lines, double pitch)
{
    const double free = o.rect.height() - lines * pitch;
    if (free <= 0)
        return 0;
    if (o.alignment & Qt::AlignVCenter)
        return free / 2;
    if (o.alignment & Qt::AlignBottom)
        return free;
    return 0;
}
} // namespace ReportMeasure

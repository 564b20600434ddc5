#include "core/report/Report.h"

#include "core/report/ReportMeasure.h"

#include <algorithm>
#include <cmath>

QSizeF Report::paperSizeMm() const
{
    const QSizeF s = m_pageSize.size(QPageSize::Millimeter);
    return m_orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QPageLayout Report::pageLayout() const
{
    QPageLayout layout(m_pageSize, m_orientation, QMarginsF(), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

ReportObject *Report::find(const QString &name)
{
    for (auto &b : m_bands)
        for (auto &o : b.objects)
            if (o.name == name)
                return &o;
    return nullptr;
}

const ReportObject *Report::find(const QString &name) const
{
    return const_cast<Report *>(this)->find(name);
}

ReportBand *Report::band(const QString &name)
{
    for (auto &b : m_bands)
        if (b.name == name)
            return &b;
    return nullptr;
}

bool Report::setText(const QString &name, const QString &text)
{
    ReportObject *o = find(name);
    if (!o || o->kind != ReportObject::Kind::Text)
        return false;
    o->text = text;
    return true;
}

bool Report::clearText(const QString &name)
{
    return setText(name, QString());
}

bool Report::addLine(const QString &name, const QString &line)
{
    ReportObject *o = find(name);
    if (!o || o->kind != ReportObject::Kind::Text)
        return false;
    // Every added line ends with a line break, so that an empty line added first is kept as a line.
    if (!o->text.isEmpty() && !o->text.endsWith(QLatin1Char('\n')))
        o->text += QLatin1Char('\n');
    o->text += line + QLatin1Char('\n');
    return true;
}

bool Report::setObjectHeight(const QString &name, double mm)
{
    ReportObject *o = find(name);
    if (!o)
        return false;
    o->rect.setHeight(mm);
    return true;
}

bool Report::setBandHeight(const QString &name, double mm)
{
    ReportBand *b = band(name);
    if (!b)
        return false;
    b->height = mm;
    return true;
}

QStringList Report::layoutLines(const ReportObject &o)
{
    if (o.text.isEmpty())
        return {};
    if (o.singleLine) {
        QString text = o.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        return {text};
    }
    QString text = o.text;
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!o.wordWrap)
        return lines;
    const QFontMetricsF fm(ReportMeasure::font(o), ReportMeasure::device());
    QStringList wrapped;
    for (const QString &line : lines)
        wrapped += ReportMeasure::wrapParagraph(line, fm, ReportMeasure::pxFromMm(o.rect.width()));
    return wrapped;
}

double Report::linePitch(const ReportObject &o)
{
    if (o.lineHeight > 0)
        return o.lineHeight;
    return ReportMeasure::mmFromPx(QFontMetricsF(ReportMeasure::font(o), ReportMeasure::device()).lineSpacing());
}

namespace {
// Vertical extents (mm from the band's top) that must not be cut by a page break.
struct Extent {
    double from, to;
};

QList<Extent> unbreakable(const ReportBand &band)
{
    QList<Extent> out;
    for (const ReportObject &o : band.objects) {
        if (o.kind == ReportObject::Kind::Text) {
            const QStringList lines = Report::layoutLines(o);
            const double pitch = Report::linePitch(o);
            if (lines.size() > 1) {
                // A text box of several lines may break between any two of them.
                const double y0 = o.rect.top() + ReportMeasure::firstLineOffset(o, lines.size(), pitch);
                for (int i = 0; i < lines.size(); ++i)
                    out.append({y0 + i * pitch, y0 + (i + 1) * pitch});
                continue;
            }
        }
        out.append({std::min(o.rect.top(), o.rect.bottom()), std::max(o.rect.top(), o.rect.bottom())});
    }
    return out;
}
} // namespace

double Report::effectiveHeight(const ReportBand &band) const
{
    double h = band.height;
    for (const ReportObject &o : band.objects) {
        double bottom = std::max(o.rect.top(), o.rect.bottom());
        if (o.kind == ReportObject::Kind::Text) {
            // A box holding more lines than its height grows, and its band with it.
            const QStringList lines = layoutLines(o);
            const double pitch = linePitch(o);
            bottom = std::max(bottom, o.rect.top() + ReportMeasure::firstLineOffset(o, lines.size(), pitch) +
                                          lines.size() * pitch);
        }
        h = std::max(h, bottom);
    }
    return h;
}

void Report::prepare()
{
    m_pages.clear();
    m_snapshot = m_bands;
    m_preparedMargins = m_margins;

    const double top = m_margins.top();
    const double bottom = paperSizeMm().height() - m_margins.bottom();
    QList<Placement> page;
    double y = top;
    auto newPage = [&] {
        m_pages.append(page);
        page.clear();
        y = top;
    };

    QList<int> order;
    for (auto kind : {ReportBand::Kind::Title, ReportBand::Kind::Data, ReportBand::Kind::Footer})
        for (int i = 0; i < m_snapshot.size(); ++i)
            if (m_snapshot[i].kind == kind)
                order.append(i);

    for (int index : order) {
        const ReportBand &band = m_snapshot[index];
        const double height = effectiveHeight(band);
        if (band.kind != ReportBand::Kind::Data) {
            if (y + height > bottom + ReportMeasure::kEps && y > top + ReportMeasure::kEps)
                newPage();
            page.append({index, y, 0, height});
            y += height;
            continue;
        }

        // Possible break points: the ends of the unbreakable extents, allowed where no extent straddles them.
        QList<Extent> extents = unbreakable(band);
        std::sort(extents.begin(), extents.end(), [](const Extent &a, const Extent &b) { return a.from < b.from; });
        QList<double> points;
        for (const Extent &e : extents)
            points.append(e.to);
        points.append(height);
        std::sort(points.begin(), points.end());
        QList<double> breaks;
        double reach = -1e9;
        int next = 0;
        double contentEnd = 0;
        for (const Extent &e : extents)
            contentEnd = std::max(contentEnd, e.to);
        for (double p : points) {
            while (next < extents.size() && extents[next].from < p - ReportMeasure::kEps)
                reach = std::max(reach, extents[next++].to);
            if (reach <= p + ReportMeasure::kEps && (breaks.isEmpty() || p > breaks.last() + ReportMeasure::kEps))
                breaks.append(p);
        }

        double from = 0;
        for (;;) {
            const double avail = bottom - y;
            if (height - from <= avail + ReportMeasure::kEps) {
                page.append({index, y, from, height});
                y += height - from;
                break;
            }
            double to = from;
            for (double b : breaks)
                if (b > from + ReportMeasure::kEps && b <= from + avail + ReportMeasure::kEps)
                    to = b;
            if (to <= from + ReportMeasure::kEps) {
                if (y > top + ReportMeasure::kEps) {
                    newPage();
                    continue;
                }
                // Nothing fits even on an empty page: cut where the page ends.
                to = from + std::max(avail, 1.0);
            }
            page.append({index, y, from, to});
            y += to - from;
            if (contentEnd <= to + ReportMeasure::kEps)
                break; // only empty space is left: it does not start a page of its own
            from = to;
            newPage();
        }
    }
    m_pages.append(page);
}

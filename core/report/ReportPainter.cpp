#include "core/report/Report.h"

#include "core/Formats.h"
#include "core/Seams.h"
#include "core/report/ReportMeasure.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

void Report::paintObject(QPainter &p, const ReportObject &o, const QPointF &origin, const QRectF &clip, double kx,
                         double ky) const
{
    auto dev = [&](const QRectF &mm) {
        return QRectF((origin.x() + mm.left()) * kx, (origin.y() + mm.top()) * ky, mm.width() * kx, mm.height() * ky);
    };
    const QRectF clipDev(clip.left() * kx, clip.top() * ky, clip.width() * kx, clip.height() * ky);
    QRectF rectMm = o.rect.normalized();
    QStringList lines;
    double pitch = 0;
    double y0 = 0;
    if (o.kind == ReportObject::Kind::Text) {
        // A box holding more lines than its height grows downwards (as its band did when laid out).
        lines = layoutLines(o);
        pitch = linePitch(o);
        y0 = rectMm.top() + ReportMeasure::firstLineOffset(o, lines.size(), pitch);
        rectMm.setBottom(std::max(rectMm.bottom(), y0 + lines.size() * pitch));
    }
    const QRectF box = dev(rectMm);
    const QRectF visible = o.kind == ReportObject::Kind::Text ? box.intersected(clipDev) : clipDev;
    if (visible.isEmpty())
        return;

    p.save();
    p.setClipRect(visible);
    switch (o.kind) {
    case ReportObject::Kind::Text: {
        if (o.fill.alpha() > 0)
            p.fillRect(box, o.fill);
        const QString date = Formats::dateText(Seams::Clock::today());
        const QString time = Formats::timeText(Seams::Clock::now().time());
        p.setFont(ReportMeasure::font(o));
        p.setPen(o.color);
        const int flags =
            int(o.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
        for (int i = 0; i < lines.size(); ++i) {
            const QRectF lineRect = dev(QRectF(o.rect.left(), y0 + i * pitch, o.rect.width(), pitch));
            // Each line belongs to the one segment that holds its middle (a clip alone would leave the hidden
            // copy in the page's text).
            const double middle = lineRect.center().y();
            if (middle < clipDev.top() || middle >= clipDev.bottom())
                continue;
            QString text = lines[i];
            if (o.expressions)
                text.replace(QStringLiteral("[DATE]"), date).replace(QStringLiteral("[TIME]"), time);
            if (o.singleLine)
                text = ReportMeasure::fitWidth(text, ReportMeasure::font(o), o.rect.width());
            p.drawText(lineRect, flags, text);
        }
        if (o.frameWidth > 0) {
            p.setPen(QPen(o.frameColor, o.frameWidth * kx));
            p.drawRect(box);
        }
        break;
    }
    case ReportObject::Kind::Rectangle:
        p.setPen(o.frameWidth > 0 ? QPen(o.frameColor, o.frameWidth * kx) : QPen(Qt::NoPen));
        p.setBrush(o.fill.alpha() > 0 ? QBrush(o.fill) : QBrush(Qt::NoBrush));
        p.drawRect(box);
        break;
    case ReportObject::Kind::Line: {
        p.setPen(QPen(o.frameColor, std::max(o.frameWidth, 0.05) * kx));
        const QRectF r = dev(o.rect);
        p.drawLine(r.topLeft(), r.bottomRight());
        break;
    }
    case ReportObject::Kind::Picture:
        if (o.picture.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
            QSvgRenderer svg(o.picture);
            if (svg.isValid())
                svg.render(&p, box);
        } else {
            const QImage image(o.picture);
            if (!image.isNull())
                p.drawImage(box, image);
        }
        break;
    }
    p.restore();
}

void Report::paintPage(QPainter &painter, int page, double dpiX, double dpiY) const
{
    if (page < 0 || page >= m_pages.size())
        return;
    const double kx = dpiX / 25.4;
    const double ky = dpiY / 25.4;
    const QSizeF paper = paperSizeMm();
    for (const Placement &pl : m_pages[page]) {
        const ReportBand &band = m_snapshot[pl.band];
        const QPointF origin(m_preparedMargins.left(), pl.pageY - pl.from);
        // Page-wide, the height of the segment: what lies outside belongs to another page.
        const QRectF clip(-paper.width(), pl.pageY, 3 * paper.width(), pl.to - pl.from);
        for (const ReportObject &o : band.objects)
            paintObject(painter, o, origin, clip, kx, ky);
    }
}

bool Report::render(QPagedPaintDevice *device, double dpi, const Overlay &overlay) const
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    // Millimetres go to device pixels through the device's resolution; the painter stays unscaled so that
    // fonts keep their point sizes.
    for (int i = 0; i < m_pages.size(); ++i) {
        if (i > 0 && !device->newPage())
            return false;
        paintPage(painter, i, dpi, dpi);
        if (overlay)
            overlay(painter, i, dpi);
    }
    return painter.end();
}

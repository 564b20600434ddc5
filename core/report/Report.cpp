#include "core/report/Report.h"

#include "core/Formats.h"
#include "core/Seams.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kEps = 0.001; // mm
// Text is measured at a fixed high resolution, so that layout does not depend on the printer's.
constexpr double kMeasureDpi = 1200.0;

const QPaintDevice *measureDevice()
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

QFont objectFont(const ReportObject &o)
{
    QFont f(o.fontName);
    f.setPointSizeF(o.fontSize);
    f.setBold(o.bold);
    f.setItalic(o.italic);
    f.setUnderline(o.underline);
    return f;
}

double mmFromMeasure(double px) { return px * 25.4 / kMeasureDpi; }
double measureFromMm(double mm) { return mm * kMeasureDpi / 25.4; }

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

QColor colorValue(const QJsonValue &v, const QColor &fallback)
{
    if (!v.isString())
        return fallback;
    const QColor c = QColor::fromString(v.toString());
    return c.isValid() ? c : fallback;
}

Qt::Alignment alignmentValue(const QJsonObject &o)
{
    Qt::Alignment a;
    const QString h = o.value(QStringLiteral("align")).toString(QStringLiteral("left"));
    const QString v = o.value(QStringLiteral("valign")).toString(QStringLiteral("top"));
    a |= h == QStringLiteral("center")  ? Qt::AlignHCenter
         : h == QStringLiteral("right") ? Qt::AlignRight
                                        : Qt::AlignLeft;
    a |= v == QStringLiteral("center")   ? Qt::AlignVCenter
         : v == QStringLiteral("bottom") ? Qt::AlignBottom
                                         : Qt::AlignTop;
    return a;
}

// Keys of "defaults" apply to every object that does not set them itself.
QJsonObject withDefaults(const QJsonObject &object, const QJsonObject &defaults)
{
    QJsonObject merged = defaults;
    for (auto it = object.begin(); it != object.end(); ++it)
        merged.insert(it.key(), it.value());
    return merged;
}

bool parseObject(const QJsonObject &j, ReportObject &o, QString &error)
{
    o.name = j.value(QStringLiteral("name")).toString();
    const QString type = j.value(QStringLiteral("type")).toString(QStringLiteral("text"));
    if (type == QStringLiteral("text"))
        o.kind = ReportObject::Kind::Text;
    else if (type == QStringLiteral("rectangle"))
        o.kind = ReportObject::Kind::Rectangle;
    else if (type == QStringLiteral("line"))
        o.kind = ReportObject::Kind::Line;
    else if (type == QStringLiteral("picture"))
        o.kind = ReportObject::Kind::Picture;
    else {
        error = QStringLiteral("unknown object type \"%1\" (%2)").arg(type, o.name);
        return false;
    }
    o.rect = QRectF(j.value(QStringLiteral("left")).toDouble(), j.value(QStringLiteral("top")).toDouble(),
                    j.value(QStringLiteral("width")).toDouble(), j.value(QStringLiteral("height")).toDouble());
    o.text = j.value(QStringLiteral("text")).toString();
    const QJsonObject font = j.value(QStringLiteral("font")).toObject();
    o.fontName = font.value(QStringLiteral("name")).toString(o.fontName);
    o.fontSize = font.value(QStringLiteral("size")).toDouble(o.fontSize);
    const QString style = font.value(QStringLiteral("style")).toString();
    o.bold = style.contains(QStringLiteral("bold"));
    o.italic = style.contains(QStringLiteral("italic"));
    o.underline = style.contains(QStringLiteral("underline"));
    o.color = colorValue(j.value(QStringLiteral("color")), o.color);
    o.fill = colorValue(j.value(QStringLiteral("fill")), o.fill);
    o.alignment = alignmentValue(j);
    o.wordWrap = j.value(QStringLiteral("wordWrap")).toBool(false);
    o.lineHeight = j.value(QStringLiteral("lineHeight")).toDouble(0);
    o.expressions = j.value(QStringLiteral("expressions")).toBool(false);
    o.singleLine = j.value(QStringLiteral("singleLine")).toBool(false);
    o.frameColor = colorValue(j.value(QStringLiteral("frameColor")), o.frameColor);
    o.frameWidth = j.value(QStringLiteral("frameWidth")).toDouble(o.kind == ReportObject::Kind::Text ? 0 : 0.2);
    o.picture = j.value(QStringLiteral("picture")).toString();
    return true;
}

} // namespace

bool Report::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("%1: %2").arg(path, f.errorString());
        return false;
    }
    if (!loadJson(f.readAll())) {
        m_error = QStringLiteral("%1: %2").arg(path, m_error);
        return false;
    }
    return true;
}

bool Report::loadJson(const QByteArray &json)
{
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (!doc.isObject()) {
        m_error = pe.errorString();
        return false;
    }
    const QJsonObject root = doc.object();
    m_name = root.value(QStringLiteral("name")).toString();

    const QJsonObject page = root.value(QStringLiteral("page")).toObject();
    const QJsonValue paper = page.value(QStringLiteral("paper"));
    if (paper.isObject()) {
        const QJsonObject p = paper.toObject();
        const QSizeF size(p.value(QStringLiteral("width")).toDouble(), p.value(QStringLiteral("height")).toDouble());
        if (size.isEmpty()) {
            m_error = QStringLiteral("paper without a size");
            return false;
        }
        // ExactMatch: the default fuzzy match would snap a custom size to the nearest named paper.
        m_pageSize =
            QPageSize(size, QPageSize::Millimeter, p.value(QStringLiteral("name")).toString(), QPageSize::ExactMatch);
    } else if (paper.toString(QStringLiteral("A4")) == QStringLiteral("A4")) {
        m_pageSize = QPageSize(QPageSize::A4);
    } else {
        m_error = QStringLiteral("unknown paper \"%1\"").arg(paper.toString());
        return false;
    }
    m_orientation = page.value(QStringLiteral("orientation")).toString() == QStringLiteral("landscape")
                        ? QPageLayout::Landscape
                        : QPageLayout::Portrait;
    const QJsonObject margins = page.value(QStringLiteral("margins")).toObject();
    m_margins = QMarginsF(
        margins.value(QStringLiteral("left")).toDouble(), margins.value(QStringLiteral("top")).toDouble(),
        margins.value(QStringLiteral("right")).toDouble(), margins.value(QStringLiteral("bottom")).toDouble());

    const QJsonObject defaults = root.value(QStringLiteral("defaults")).toObject();
    m_bands.clear();
    for (const QJsonValue &bv : root.value(QStringLiteral("bands")).toArray()) {
        const QJsonObject jb = bv.toObject();
        ReportBand band;
        band.name = jb.value(QStringLiteral("name")).toString();
        const QString kind = jb.value(QStringLiteral("kind")).toString(QStringLiteral("data"));
        if (kind == QStringLiteral("title"))
            band.kind = ReportBand::Kind::Title;
        else if (kind == QStringLiteral("footer"))
            band.kind = ReportBand::Kind::Footer;
        else if (kind == QStringLiteral("data"))
            band.kind = ReportBand::Kind::Data;
        else {
            m_error = QStringLiteral("unknown band kind \"%1\" (%2)").arg(kind, band.name);
            return false;
        }
        band.height = jb.value(QStringLiteral("height")).toDouble();
        for (const QJsonValue &ov : jb.value(QStringLiteral("objects")).toArray()) {
            ReportObject o;
            if (!parseObject(withDefaults(ov.toObject(), defaults), o, m_error))
                return false;
            band.objects.append(o);
        }
        m_bands.append(band);
    }
    m_pages.clear();
    m_snapshot.clear();
    m_error.clear();
    return true;
}

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

const ReportObject *Report::find(const QString &name) const { return const_cast<Report *>(this)->find(name); }

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

bool Report::clearText(const QString &name) { return setText(name, QString()); }

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
    const QFontMetricsF fm(objectFont(o), measureDevice());
    QStringList wrapped;
    for (const QString &line : lines)
        wrapped += wrapParagraph(line, fm, measureFromMm(o.rect.width()));
    return wrapped;
}

double Report::linePitch(const ReportObject &o)
{
    if (o.lineHeight > 0)
        return o.lineHeight;
    return mmFromMeasure(QFontMetricsF(objectFont(o), measureDevice()).lineSpacing());
}

namespace {
// The longest start of text that fits in widthMm. A clip alone would hide the rest on paper but leave it in
// the page's text, where a reader or a search would still find it.
QString fitWidth(const QString &text, const QFont &font, double widthMm)
{
    const QFontMetricsF fm(font, measureDevice());
    const double width = measureFromMm(widthMm);
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
                const double y0 = o.rect.top() + firstLineOffset(o, lines.size(), pitch);
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
            bottom = std::max(bottom, o.rect.top() + firstLineOffset(o, lines.size(), pitch) + lines.size() * pitch);
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
            if (y + height > bottom + kEps && y > top + kEps)
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
            while (next < extents.size() && extents[next].from < p - kEps)
                reach = std::max(reach, extents[next++].to);
            if (reach <= p + kEps && (breaks.isEmpty() || p > breaks.last() + kEps))
                breaks.append(p);
        }

        double from = 0;
        for (;;) {
            const double avail = bottom - y;
            if (height - from <= avail + kEps) {
                page.append({index, y, from, height});
                y += height - from;
                break;
            }
            double to = from;
            for (double b : breaks)
                if (b > from + kEps && b <= from + avail + kEps)
                    to = b;
            if (to <= from + kEps) {
                if (y > top + kEps) {
                    newPage();
                    continue;
                }
                // Nothing fits even on an empty page: cut where the page ends.
                to = from + std::max(avail, 1.0);
            }
            page.append({index, y, from, to});
            y += to - from;
            if (contentEnd <= to + kEps)
                break; // only empty space is left: it does not start a page of its own
            from = to;
            newPage();
        }
    }
    m_pages.append(page);
}

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
        y0 = rectMm.top() + firstLineOffset(o, lines.size(), pitch);
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
        p.setFont(objectFont(o));
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
                text = fitWidth(text, objectFont(o), o.rect.width());
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

bool Report::hasLayout(const QPrinter &printer) const
{
    const QPageLayout layout = printer.pageLayout();
    const QSizeF have = layout.pageSize().size(QPageSize::Millimeter);
    const QSizeF want = m_pageSize.size(QPageSize::Millimeter);
    return printer.fullPage() && layout.orientation() == m_orientation && std::abs(have.width() - want.width()) < 0.5 &&
           std::abs(have.height() - want.height()) < 0.5;
}

bool Report::applyLayout(QPrinter &printer) const
{
    printer.setFullPage(true);
    const bool accepted = printer.setPageLayout(pageLayout());
    return accepted && hasLayout(printer);
}

bool Report::render(QPrinter *printer, const Overlay &overlay) const
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    // Millimetres go to device pixels through the printer's resolution; the painter stays unscaled so that
    // fonts keep their point sizes.
    const double dpi = printer->resolution();
    for (int i = 0; i < m_pages.size(); ++i) {
        if (i > 0 && !printer->newPage())
            return false;
        paintPage(painter, i, dpi, dpi);
        if (overlay)
            overlay(painter, i, dpi);
    }
    return painter.end();
}

bool Report::print(QWidget *parent, const Overlay &overlay)
{
    if (m_pages.isEmpty())
        prepare();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_name);
    applyLayout(printer);
    if (!Seams::Printing::choosePrinter(printer, parent))
        return false;
    // The dialog (or the driver behind it) may hand back another paper or orientation: put ours back.
    if (!hasLayout(printer) && !applyLayout(printer))
        Seams::Messages::warning(
            parent, QStringLiteral("Attenzione: la stampante scelta non accetta il formato di pagina di questa stampa "
                                   "(%1 x %2 mm).\n\r\n\rLa stampa potrebbe risultare spostata o tagliata.")
                        .arg(qRound(paperSizeMm().width()))
                        .arg(qRound(paperSizeMm().height())));
    if (!render(&printer, overlay)) {
        Seams::Messages::warning(parent, QStringLiteral("Attenzione: non è stato possibile completare la stampa."));
        return false;
    }
    return true;
}

void Report::preview(QWidget *parent)
{
    if (m_pages.isEmpty())
        prepare();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_name);
    applyLayout(printer);
    Seams::Printing::preview(printer, parent, [this](QPrinter *target) {
        if (!hasLayout(*target))
            applyLayout(*target);
        render(target);
    });
}

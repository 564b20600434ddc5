#include "core/report/Report.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Reading a report template (JSON): page, margins, bands and their objects.
namespace {
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

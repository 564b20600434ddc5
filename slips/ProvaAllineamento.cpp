#include "slips/ProvaAllineamento.h"

#include "core/Seams.h"
#include "core/report/Report.h"
#include "core/widgets/ReportPrinting.h"

#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace {
constexpr double kOutline = 0.1; // mm: thin enough to see the pre-printed box through it
constexpr double kCrossArm = 3;  // mm each way from a section corner
constexpr double kCrossGap = 2;  // mm between a section's boxes and its corners

// Sections by box name: suffix _A, _B or _C; the character boxes of section B carry only a number; the
// unsuffixed lines belong to section A.
QChar sectionOf(const QString &name)
{
    static const QRegularExpression suffix(QStringLiteral("_([ABC])$"));
    const auto m = suffix.match(name);
    if (m.hasMatch())
        return m.captured(1).at(0);
    return name.back().isDigit() ? u'B' : u'A';
}

ReportObject line(const QPointF &from, const QPointF &to)
{
    ReportObject o;
    o.kind = ReportObject::Kind::Line;
    o.rect = QRectF(from, to);
    o.frameWidth = kOutline;
    return o;
}

QString signedMm(int mm)
{
    return mm > 0 ? QStringLiteral("+%1").arg(mm) : QString::number(mm);
}

// Ticks every millimetre, longer every 5 and 10, numbered every 10: fixed to the paper, so the print's
// shift can be read against the sheet's own edges.
void paintScales(QPainter &p, const QSizeF &paper, double k)
{
    p.setPen(QPen(Qt::black, kOutline * k));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(5);
    p.setFont(font);
    auto tick = [](int mm) { return mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 2.5 : 1.5; };
    for (int x = 1; x < paper.width(); ++x) {
        p.drawLine(QPointF(x * k, 0), QPointF(x * k, tick(x) * k));
        if (x % 10 == 0)
            p.drawText(QRectF((x - 3) * k, 4.3 * k, 6 * k, 2.5 * k), Qt::AlignCenter, QString::number(x));
    }
    for (int y = 1; y < paper.height(); ++y) {
        p.drawLine(QPointF(0, y * k), QPointF(tick(y) * k, y * k));
        if (y % 10 == 0)
            p.drawText(QRectF(4.5 * k, (y - 1.25) * k, 6 * k, 2.5 * k), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::number(y));
    }
}

void paintLegend(QPainter &p, int topMm, int leftMm, double k)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    const QStringList lines = {
        QStringLiteral("PROVA DI ALLINEAMENTO - BOLLETTINO TD 674"),
        QStringLiteral("Margine superiore: %1 mm    Margine sinistro: %2 mm").arg(signedMm(topMm), signedMm(leftMm)),
    };
    const QStringList hints = {
        QStringLiteral("Sovrapporre il foglio a un bollettino in bianco contro la luce: ogni riquadro stampato deve "
                       "coincidere con quello prestampato."),
        QStringLiteral("Riquadri stampati troppo in basso: diminuire il margine superiore; troppo in alto: "
                       "aumentarlo."),
        QStringLiteral("Riquadri stampati troppo a destra: diminuire il margine sinistro; troppo a sinistra: "
                       "aumentarlo."),
    };
    double y = 110;
    for (const QString &text : lines) {
        p.drawText(QPointF(20 * k, y * k), text);
        y += 6;
    }
    font.setBold(false);
    font.setPointSizeF(8);
    p.setFont(font);
    for (const QString &text : hints) {
        p.drawText(QPointF(20 * k, y * k), text);
        y += 5;
    }
}
} // namespace

namespace AlignmentPrint {

QString templatePath()
{
    return QStringLiteral(":/reports/repBollettino_Blank.json");
}

bool build(Report &report, int topMm, int leftMm)
{
    if (!report.load(templatePath()))
        return false;
    report.setTopMargin(topMm);
    report.setLeftMargin(leftMm);
    for (ReportBand &band : report.bands()) {
        std::map<QChar, QRectF> sections;
        for (ReportObject &o : band.objects) {
            if (o.kind != ReportObject::Kind::Text)
                continue;
            o.kind = ReportObject::Kind::Rectangle;
            o.text.clear();
            o.fill = Qt::transparent;
            o.frameColor = Qt::black;
            o.frameWidth = kOutline;
            QRectF &area = sections[sectionOf(o.name)];
            area = area.isNull() ? o.rect : area.united(o.rect);
        }
        double bottom = band.height;
        for (const auto &[section, area] : sections) {
            const QRectF r = area.adjusted(-kCrossGap, -kCrossGap, kCrossGap, kCrossGap);
            for (const QPointF &c : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
                band.objects << line(c - QPointF(kCrossArm, 0), c + QPointF(kCrossArm, 0));
                band.objects << line(c - QPointF(0, kCrossArm), c + QPointF(0, kCrossArm));
            }
            bottom = std::max(bottom, r.bottom() + kCrossArm + 1);
        }
        band.height = bottom;
    }
    report.prepare();
    return true;
}

void print(QWidget *parent, int topMm, int leftMm)
{
    Report report;
    if (!build(report, topMm, leftMm)) {
        Seams::Messages::error(parent,
                               QStringLiteral("Attenzione: il modello di stampa del bollettino non è disponibile."));
        return;
    }
    const QSizeF paper = report.paperSizeMm();
    ReportPrinting::print(report, parent, [paper, topMm, leftMm](QPainter &painter, int, double dpi) {
        const double k = dpi / 25.4;
        paintScales(painter, paper, k);
        paintLegend(painter, topMm, leftMm, k);
    });
}

} // namespace AlignmentPrint

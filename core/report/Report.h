#pragma once
// The report engine: templates made of one page, bands and named objects placed in millimetres, filled by
// name, laid out into pages (a data band may split across pages, line by line) and painted on any paged
// device (the printer and its preview: core/widgets/ReportPrinting). Templates are data files under reports/,
// compiled into ":/reports/".

#include <QColor>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;
class QPainter;

struct ReportObject {
    enum class Kind { Text, Rectangle, Line, Picture };

    QString name;
    Kind kind = Kind::Text;
    QRectF rect; // mm from the band's top-left corner; a line runs from topLeft() to bottomRight()

    // Text box. Lines are separated by '\n'.
    QString text;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 10; // pt
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = Qt::black;
    QColor fill = Qt::transparent;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    double lineHeight = 0; // mm between lines; 0 = the font's own line spacing
    // [DATE] and [TIME] are replaced by the date and time of printing only in boxes marked as expressions;
    // every other box prints its text literally, brackets included.
    bool expressions = false;
    // One line whatever the text holds: line breaks print as blanks, and what passes the box's width is cut.
    bool singleLine = false;

    // Rectangle and line (frameWidth 0 = no frame); a rectangle is filled with fill.
    QColor frameColor = Qt::black;
    double frameWidth = 0.2; // mm

    // Picture: a resource path or a file, stretched to rect.
    QString picture;
};

struct ReportBand {
    enum class Kind {
        Title,  // once, at the top of the first page
        Data,   // may split across pages
        Footer, // once, after the data
    };
    QString name;
    Kind kind = Kind::Data;
    double height = 0; // mm
    QList<ReportObject> objects;
};

class Report {
public:
    Report() = default;

    // Loads a template (JSON). False, with errorString(), when the file is missing or malformed.
    bool load(const QString &path);
    bool loadJson(const QByteArray &json);
    QString errorString() const { return m_error; }
    // The template's name; what a print is called (the PDF file proposed for it, the print queue's entry).
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    // Report units are pixels at 96 per inch.
    static double unitsToMm(double units) { return units * 25.4 / 96.0; }

    // Page
    QPageSize pageSize() const { return m_pageSize; }
    void setPageSize(const QPageSize &size) { m_pageSize = size; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    QMarginsF margins() const { return m_margins; } // mm, may be negative
    void setMargins(const QMarginsF &mm) { m_margins = mm; }
    void setTopMargin(double mm) { m_margins.setTop(mm); }
    void setLeftMargin(double mm) { m_margins.setLeft(mm); }
    QSizeF paperSizeMm() const; // as oriented
    // The layout handed to the printer: exact paper size, our orientation, full page (margins are ours).
    QPageLayout pageLayout() const;

    // Objects and bands by name; nullptr when there is none.
    ReportObject *find(const QString &name);
    const ReportObject *find(const QString &name) const;
    ReportBand *band(const QString &name);
    QList<ReportBand> &bands() { return m_bands; }
    const QList<ReportBand> &bands() const { return m_bands; }

    // Text box operations; false when there is no text box of that name.
    bool setText(const QString &name, const QString &text);
    bool clearText(const QString &name);
    bool addLine(const QString &name, const QString &line);
    bool setObjectHeight(const QString &name, double mm);
    bool setBandHeight(const QString &name, double mm);

    // Lays the bands out into pages, discarding pages prepared earlier.
    void prepare();
    int pageCount() const { return m_pages.size(); }

    // Drawn over each prepared page in device pixels (dpi given): what belongs to the paper itself, unmoved
    // by the page margins.
    using Overlay = std::function<void(QPainter &painter, int page, double dpi)>;

    // Paints the prepared pages into a device already set up (page layout, output) whose resolution is dpi.
    bool render(QPagedPaintDevice *device, double dpi, const Overlay &overlay = {}) const;
    // One prepared page; dpi converts millimetres into the painter's device pixels.
    void paintPage(QPainter &painter, int page, double dpiX, double dpiY) const;

    // Text lines of a text box as laid out (explicit lines, then word wrap) and their distance in mm.
    static QStringList layoutLines(const ReportObject &object);
    static double linePitch(const ReportObject &object);

private:
    struct Placement {
        int band;        // index into m_snapshot
        double pageY;    // mm from the top of the paper where the segment starts
        double from, to; // segment of the band, mm from its top
    };

    double effectiveHeight(const ReportBand &band) const;
    void paintObject(QPainter &painter, const ReportObject &object, const QPointF &originMm, const QRectF &clipMm,
                     double kx, double ky) const;

    QString m_name;
    QString m_error;
    QPageSize m_pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins;
    QList<ReportBand> m_bands;

    QList<ReportBand> m_snapshot; // the bands as they were when prepared
    QMarginsF m_preparedMargins;
    QList<QList<Placement>> m_pages;
};

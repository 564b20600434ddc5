#include "tests/PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
QString run(const QStringList &args)
{
    QProcess p;
    p.start(PdfText::tool(), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    // Ligatures (fi, fl) come back as their letters.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

double mm(const QString &points)
{
    return points.toDouble() * 25.4 / 72.0;
}

QString unescape(QString s)
{
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    return s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

QString bbox(const QString &pdf)
{
    return run({QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
}
} // namespace

namespace PdfText {
QString tool()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

int pageCount(const QString &pdf)
{
    return int(bbox(pdf).count(QStringLiteral("<page ")));
}

QString title(const QString &pdf)
{
    static const QRegularExpression re(QStringLiteral("<title>([^<]*)</title>"));
    return unescape(re.match(bbox(pdf)).captured(1));
}

QString pageText(const QString &pdf, int page)
{
    return run({QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), pdf, QStringLiteral("-")});
}

QList<Word> words(const QString &pdf)
{
    QList<Word> out;
    static const QRegularExpression re(QStringLiteral(
        R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
    int page = 0;
    auto it = re.globalMatch(bbox(pdf));
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.captured(0) == QStringLiteral("<page ")) {
            ++page;
            continue;
        }
        out.append(
            {page, unescape(m.captured(5)),
             QRectF(QPointF(mm(m.captured(1)), mm(m.captured(2))), QPointF(mm(m.captured(3)), mm(m.captured(4))))});
    }
    return out;
}

QSizeF pageSizeMm(const QString &pdf, int page)
{
    static const QRegularExpression re(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    auto it = re.globalMatch(bbox(pdf));
    for (int i = 1; it.hasNext(); ++i) {
        const auto m = it.next();
        if (i == page)
            return QSizeF(mm(m.captured(1)), mm(m.captured(2)));
    }
    return {};
}
} // namespace PdfText

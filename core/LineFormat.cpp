#include "core/LineFormat.h"

LineFormat &LineFormat::column(int field, int width)
{
    m_pieces.append({field, -1, width, {}});
    m_width += width;
    return *this;
}

LineFormat &LineFormat::joined(int first, int second, int width)
{
    m_pieces.append({first, second, width, {}});
    m_width += width;
    return *this;
}

LineFormat &LineFormat::tail(int field)
{
    m_pieces.append({field, -1, -1, {}});
    return *this;
}

LineFormat &LineFormat::literal(const QString &text)
{
    m_pieces.append({-1, -1, int(text.size()), text});
    m_width += int(text.size());
    return *this;
}

int LineFormat::width() const
{
    return m_width;
}

QString LineFormat::operator()(const RecordView &record) const
{
    QString line;
    line.reserve(m_width);
    for (const auto &p : m_pieces) {
        if (p.field < 0) {
            line += p.text;
            continue;
        }
        // The field-to-text rule has trimmed it already.
        QString t = record.text(p.field);
        if (p.second >= 0)
            t += QLatin1Char(' ') + record.text(p.second);
        if (p.width < 0) {
            line += t;
        } else if (t.size() >= p.width) {
            line += QStringView(t).left(p.width);
        } else {
            line += t;
            line.resize(line.size() + p.width - t.size(), QLatin1Char(' '));
        }
    }
    return line;
}

#include "core/Spreadsheet.h"

#include "core/Cp1252.h"
#include "core/ProgramFolder.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>

namespace {
// Pieces are gathered in a buffer and handed to the device a megabyte at a time: a large archive is written
// in a few calls, and the first failing write stops the rest.
class Writer {
public:
    explicit Writer(QIODevice &device) : m_device(device) { m_buf.reserve(kChunk + 4096); }

    void raw(QByteArrayView ascii)
    {
        m_buf.append(ascii);
        if (m_buf.size() >= kChunk)
            flush();
    }

    void number(int n) { raw(QByteArray::number(n)); }

    // Windows-1252 with the three markup characters as entities, so a cell shows exactly its text. A
    // character the code page lacks becomes a numeric reference, which spreadsheet programs show as typed.
    // Control characters (a record written by another program may hold any byte) are written as blanks.
    void text(QStringView t)
    {
        for (qsizetype i = 0; i < t.size(); ++i) {
            const char16_t u = t[i].unicode();
            if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
                m_buf.append(' ');
            } else if (u == u'<') {
                m_buf.append("&lt;");
            } else if (u == u'>') {
                m_buf.append("&gt;");
            } else if (u == u'&') {
                m_buf.append("&amp;");
            } else if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
                m_buf.append(char(u));
            } else if (Cp1252::canEncode(t[i])) {
                m_buf.append(Cp1252::encode(t.sliced(i, 1)));
            } else {
                char32_t code = u;
                if (QChar::isHighSurrogate(u) && i + 1 < t.size() && t[i + 1].isLowSurrogate())
                    code = QChar::surrogateToUcs4(u, t[++i].unicode());
                m_buf.append("&#").append(QByteArray::number(uint(code))).append(';');
            }
        }
        if (m_buf.size() >= kChunk)
            flush();
    }

    bool ok() const { return m_ok; }

    bool flush()
    {
        if (m_ok && !m_buf.isEmpty() && m_device.write(m_buf) != m_buf.size())
            m_ok = false;
        m_buf.clear();
        return m_ok;
    }

private:
    static constexpr qsizetype kChunk = 1 << 20;
    QIODevice &m_device;
    QByteArray m_buf;
    bool m_ok = true;
};

// Blanks (and control characters) removed at both ends, without copying the text.
QStringView trimmed(QStringView t)
{
    qsizetype b = 0, e = t.size();
    while (b < e && t[b].unicode() <= 32)
        ++b;
    while (e > b && t[e - 1].unicode() <= 32)
        --e;
    return t.sliced(b, e - b);
}

constexpr char kHead[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";
constexpr char kAfterName[] = "</x:Name>"
                              "<x:WorksheetOptions>"
                              "<x:Selected/>"
                              "<x:Panes>"
                              "<x:Pane>"
                              "<x:Number>1</x:Number>"
                              "<x:ActiveRow>3</x:ActiveRow>"
                              "</x:Pane>"
                              "</x:Panes>"
                              "<x:ProtectContents>False</x:ProtectContents>"
                              "<x:ProtectObjects>False</x:ProtectObjects>"
                              "<x:ProtectScenarios>False</x:ProtectScenarios>"
                              "</x:WorksheetOptions>"
                              "</x:ExcelWorksheet>"
                              "</x:ExcelWorksheets>"
                              "</x:ExcelWorkbook>"
                              "</xml><![endif]-->"
                              "</head>"
                              "<body>"
                              "<table x:str>";
// sdnum marks the cell as text for LibreOffice, which ignores x:str.
constexpr char kHeadingCell[] = "<td sdnum=\"1040;0;@\" style=\"text-align: left; font-weight: bold;\" width=";
constexpr char kDataCell[] = "<td sdnum=\"1040;0;@\" style=\"text-align: left;\">";
constexpr char kTail[] = "</table></body></html>";
} // namespace

bool WriteSpreadsheetFile(const SpreadsheetExport &d, QIODevice &device)
{
    Writer w(device);
    w.raw(kHead);
    w.text(d.sheetName);
    w.raw(kAfterName);
    w.raw("<tr>");
    for (const auto &c : d.columns) {
        w.raw(kHeadingCell);
        w.number(c.width);
        w.raw(">");
        w.text(c.heading);
        w.raw("</td>");
    }
    w.raw("</tr>");
    const qsizetype columns = d.columns.size();
    for (const QStringList &row : d.rows) {
        if (!w.ok())
            return false;
        w.raw("<tr>");
        for (qsizetype c = 0; c < columns; ++c) {
            w.raw(kDataCell);
            if (c < row.size())
                w.text(trimmed(row.at(c)));
            w.raw("</td>");
        }
        w.raw("</tr>");
    }
    w.raw(kTail);
    return w.flush();
}

bool WriteSpreadsheetFile(const SpreadsheetExport &d)
{
    // Written beside it and renamed over it once complete: a failure (a full disk) keeps the earlier export.
    QSaveFile file(ProgramFolder::file(d.fileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Flushed here: Qt 6.4's commit() reports success when its own final flush fails.
    if (!WriteSpreadsheetFile(d, file) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

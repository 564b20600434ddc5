#include "core/ResultLines.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"

#include <algorithm>
#include <cstring>

namespace ResultLines {
namespace {
inline char16_t upperAZ(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}
inline char16_t lowerAZ(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}
} // namespace

bool lessFolded(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    qsizetype i = 0;
    for (;;) {
        // Lines of one list share long stretches (the same payer, padding, separators): skip equal stretches
        // four characters at a time and fold only where the codes differ.
        while (i + 4 <= n) {
            quint64 x, y;
            std::memcpy(&x, pa + i, sizeof x);
            std::memcpy(&y, pb + i, sizeof y);
            if (x != y)
                break;
            i += 4;
        }
        const qsizetype end = std::min(n, i + 4);
        for (; i < end; ++i) {
            if (pa[i] == pb[i])
                continue;
            const char16_t ca = upperAZ(pa[i]), cb = upperAZ(pb[i]);
            if (ca != cb)
                return ca < cb;
        }
        if (i >= n)
            return a.size() < b.size();
    }
}

void sortFolded(QStringList &lines)
{
    std::stable_sort(lines.begin(), lines.end(), lessFolded);
}

bool containsFolded(const QString &line, const QString &keyLower)
{
    const qsizetype m = keyLower.size(), n = line.size();
    if (m == 0 || m > n)
        return false;
    const char16_t *l = reinterpret_cast<const char16_t *>(line.constData());
    const char16_t *k = reinterpret_cast<const char16_t *>(keyLower.constData());
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (lowerAZ(l[i]) != k[0])
            continue;
        qsizetype j = 1;
        while (j < m && lowerAZ(l[i + j]) == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

bool collect(const QString &path, const RecordLayout &layout, const RecordFilter &select, const LineBuilder &line,
             QStringList &out, QList<qint64> *positions, const Progress &progress, QString *failure)
{
    ArchiveFile file(path, layout.size());
    if (failure)
        *failure = ArchiveTexts::accessFailure();
    if (!file.open(ArchiveFile::Mode::ReadOrCreate))
        return false;
    const qint64 total = file.count();
    out.reserve(out.size() + total);
    if (positions)
        positions->reserve(positions->size() + total);
    const bool read = file.scan([&](const char *bytes, qint64 position) {
        const RecordView r(layout, bytes);
        if (!select || select(r)) {
            out.append(line(r));
            if (positions)
                positions->append(position);
        }
        return !progress || progress(position, total);
    });
    if (failure)
        *failure = file.failureText();
    return read;
}

std::optional<FoundRecord> lastEqualLine(const QString &path, const RecordLayout &layout, const RecordFilter &select,
                                         const LineBuilder &line, const QString &chosen)
{
    const QString wanted = chosen.trimmed();
    ArchiveFile file(path, layout.size());
    if (!file.open(ArchiveFile::Mode::ReadOrCreate))
        return std::nullopt;
    std::optional<FoundRecord> last;
    const bool read = file.scan([&](const char *bytes, qint64 position) {
        const RecordView r(layout, bytes);
        if ((!select || select(r)) && line(r).trimmed() == wanted)
            last = FoundRecord{r.toRecord(), position};
        return true;
    });
    return read ? last : std::nullopt;
}

std::optional<FoundRecord> chosenRecord(const QString &path, const RecordLayout &layout, const RecordFilter &select,
                                        const LineBuilder &line, const QString &chosen, qint64 position)
{
    if (position > 0) {
        ArchiveFile file(path, layout.size());
        QByteArray bytes;
        if (!file.open(ArchiveFile::Mode::ReadOrCreate))
            return std::nullopt;
        if (position <= file.count() && file.read(position, bytes)) {
            const RecordView r(layout, bytes.constData());
            if ((!select || select(r)) && line(r).trimmed() == chosen.trimmed())
                return FoundRecord{Record(layout, bytes), position};
        }
    }
    return lastEqualLine(path, layout, select, line, chosen);
}
} // namespace ResultLines

#pragma once
// The lines of a list or search window, without the window: case-folded order and find, one pass over an
// archive collecting the lines of the selected records, and finding the record of a chosen line again.

#include "core/RecordView.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace ResultLines {
// Ascending by character code with the letters a to z folded to capitals.
bool lessFolded(const QString &a, const QString &b);
// Sorted once, stably: lines equal but for case keep their file order.
void sortFolded(QStringList &lines);
// keyLower has A to Z already in small letters; the line's A to Z are folded while comparing.
// An empty key matches nothing.
bool containsFolded(const QString &line, const QString &keyLower);

// Called for every record read with the records read so far and the archive's count; false stops the pass.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// One pass over the archive (opened for reading, created empty when missing): the line of every selected
// record and, when positions is given, the record's position beside it. False when the archive cannot be
// opened or a read fails; the lines read until then stay in out. A pass stopped by progress is no failure.
// failure receives the message for a failed pass (another workstation holding the archive or the access
// failure).
bool collect(const QString &path, const RecordLayout &layout, const RecordFilter &select, const LineBuilder &line,
             QStringList &out, QList<qint64> *positions = nullptr, const Progress &progress = {},
             QString *failure = nullptr);

// One pass over the archive: among the records the window would list (select) whose line equals chosen (both
// trimmed), the last one in the file, which is the one the editor keeps. Records the window would not list are
// skipped, so a paid twin of an unpaid slip never replaces it. Nothing when no line is equal or the archive
// cannot be opened or read.
struct FoundRecord {
    Record record;
    qint64 position;
};
std::optional<FoundRecord> lastEqualLine(const QString &path, const RecordLayout &layout, const RecordFilter &select,
                                         const LineBuilder &line, const QString &chosen);
// The record of a chosen line: the one at the position the line was listed from, when it is still selected
// and still gives that line; otherwise (another copy of the program overwrote it) lastEqualLine. A position
// of 0 means unknown.
std::optional<FoundRecord> chosenRecord(const QString &path, const RecordLayout &layout, const RecordFilter &select,
                                        const LineBuilder &line, const QString &chosen, qint64 position);
} // namespace ResultLines

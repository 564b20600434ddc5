#pragma once
// What the agenda's lists share: the imminence rule, the chronological key, the grid of the deadline
// lists, the summary line, the status selections and handing a chosen deadline back to the editor.
#include "core/widgets/ExportWindow.h"
#include "core/widgets/SummaryList.h"

#include <QDate>

class TfrmScadenzario;

namespace DeadlineLists {
QString editorName(); // "frmScadenzario"
// The archive open in the editor.
QString archivePath();
// The archive of a calendar year in the program folder.
QString yearArchive(int year);

// Notice days as a whole number; empty, non-numeric or negative counts as 0.
int noticeDays(const QString &text);
// From N days before the deadline up to its own day, in calendar days. A date that cannot be read is never
// imminent.
bool imminent(const RecordView &deadline, const QDate &today);
// Month, day, hour and minute, two digits each.
QString sortKey(const RecordView &deadline);

// The imminent check of the editor's start panel: this year's archive (created when missing) and next
// year's when it exists, so that early January is signalled in late December. Records that cannot be read
// are skipped; a read failure ends the scan with what was read. True when something is imminent.
bool anyImminent(const QDate &today);
// Banner, OK and the warning sound, once per showing.
void showIndicator(TfrmScadenzario *editor);

// The grid of the imminent, daily and monthly lists (after "N."), the last column being the key.
QList<ExportColumn> listColumns();
// The archive export: the same without the key.
QList<ExportColumn> archiveColumns();
// Rows in order of their key (the last column), case-insensitively; equal keys keep their reading order.
QList<int> chronological(const QList<QStringList> &rows);

// The line of the status lists and of the search.
const LineFormat &summaryLine();
// The editor's calendar date.
QDate chosenDate();
// Status lists: the named yes/no field, trimmed, equal to the text.
RecordFilter flagIs(std::string_view field, const QString &text);
SummaryListConfig statusList(const QString &name, const QString &title, std::string_view field, const QString &text);
// A deadline chosen in a list or search into the editor, with its position.
void showInEditor(const Record &record, qint64 position);
} // namespace DeadlineLists

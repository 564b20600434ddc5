#pragma once
// What the slip lists and the slip search share: where the open year's archive is, which slips are unpaid or
// overdue, and the lines they show.

#include "core/widgets/SummaryList.h"

#include <QDate>
#include <QString>

namespace SlipLists {
QString editorName(); // "frmBollettino"
// The open year's archive, from the slip editor's hidden lblFile.
QString archivePath();

// The paid field, trimmed, is exactly "No".
bool unpaid(const RecordView &slip);
// Unpaid and due strictly before today. A due date that is no date is never overdue.
bool overdue(const RecordView &slip, const QDate &today);

// Payer 44, street 22, postcode 5, town 16, due date 10, amount 11: 142 characters.
const LineFormat &summaryLine();
// As the summary line with the payer cut to 40, then "  Saldato: " and the paid field: 151 characters.
const LineFormat &searchLine();

// A summary list over the open year's slips that hands a chosen slip back to the slip editor.
SummaryListConfig listConfig(const QString &name, const QString &title, std::function<RecordFilter()> selection);
} // namespace SlipLists

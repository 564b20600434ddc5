#pragma once
// What the applicant search, the expiring-contracts list and the applicant export share: where the archive
// is, the lines they show, which contracts are expiring, and where a chosen applicant goes.

#include "core/widgets/SummaryList.h"

#include <QDate>
#include <QString>

namespace ApplicantLists {
QString editorName(); // "frmAnagrafica"
// "Richiedenti.pro" in the program folder.
QString archivePath();

// Name 28 ("surname name"), "  C.F. ", fiscal code 16, "  Datore: ", employer 24, "  Tel. ", phone 14,
// "  Note: " and the whole note.
const LineFormat &searchLine();
// Name 30, fiscal code 16, phone 15, expiry 10, employer 30, then "  Reddito: € " and the income unpadded.
const LineFormat &expiringLine();
// The contract expiry minus the days of notice is today or earlier. An expiry that is no date or days of
// notice that are no whole number never list the applicant.
bool expiring(const RecordView &applicant, const QDate &today);

// The chosen applicant into the window its context word names: "anagrafica" the whole record and its
// position into the applicant editor; "bollettino" the payer fields of the slip editor; "scadenzario" the
// client fields of the deadline editor. Any other word writes nothing.
void handBack(const QString &context, const Record &applicant, qint64 position);
} // namespace ApplicantLists

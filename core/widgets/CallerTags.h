#pragma once
// Who an auxiliary window writes into. The opener puts a caller tag into the window's lblMemory; when the user
// confirms, the window writes exactly the controls this table names, of exactly that long-lived window, found
// among that window's own controls (never in a window it opened, which may carry controls of the same names).

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class QWidget;

namespace CallerTags {
enum class From {
    Calendar,        // one date field
    ApplicantSearch, // an applicant's texts; no controls: the whole record into the applicant editor
    Attachments,     // file and description of the three slots, in slot order
};

// The window a tag names; empty when the tag is unknown there.
QStringView window(From from, const QString &tag);
// The controls the tag writes into, in the table's order; empty when the tag is unknown, its window is not
// there or one of its controls is missing.
QList<QWidget *> controls(From from, const QString &tag);
// The values into those controls (line edits, labels and drop-downs take them as they are, never cut); false,
// with nothing written, when controls() is empty or the values do not match them in number.
bool write(From from, const QString &tag, const QStringList &values);
// The texts the controls hold now.
QStringList read(From from, const QString &tag);
} // namespace CallerTags

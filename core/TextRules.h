#pragma once
// What a one-line text field may hold, as plain text functions: the rules the input fields apply to every edit
// made on the user's behalf, free of any control so that they can be checked on their own.

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace TextRules {

// The built-in rules of a field, combined as flags.
enum Rule : unsigned {
    Digits = 1,  // digits only; anything else refuses the whole text
    Upper = 2,   // letters a to z in capitals
    Trim = 4,    // blanks trimmed at both ends
    Archive = 8, // only what the archive's code page can store
};

// A rule of a window's own: the text as the field keeps it, or nothing to refuse the edit whole.
using TextRule = std::function<std::optional<QString>(const QString &)>;

struct Outcome {
    QString text;
    QString refused;       // characters left out, for the status hint
    bool rejected = false; // the whole change is refused
};

// The text as a field with these rules keeps it. Outside digit fields line breaks and other control characters
// become blanks (CR LF counted once).
Outcome apply(const QString &text, unsigned rules, const QList<TextRule> &own = {});

// Text as the archive (Windows-1252) can store it: letters outside the code page become their base letter
// (ł -> l, ș -> s, ễ -> e), letters it has stay (é, ñ, ö, š); what has no Latin form goes to refused.
QString archiveText(const QString &text, QString *refused = nullptr);
// The status hint naming refused characters.
QString refusedHint(const QString &refused);

// An amount as typed: digits and at most one comma, or nothing.
std::optional<QString> amountText(const QString &text);

} // namespace TextRules

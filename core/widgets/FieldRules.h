#pragma once
// The rule set of a text field: every rule about what a field may hold (digits only, capitals, trimming, the
// archive's code page) is one rule set per field, applied to whatever changes the text on the user's behalf:
// a typed key, a paste, a drop. The rules themselves are plain text functions (core/TextRules.h).

#include "core/TextRules.h"

class QLineEdit;
class QLabel;

namespace Input {

enum class DigitsRule {
    Editor, // digits, Backspace, Delete, Left, Right, Home, End (and Enter, Tab for moving on)
    Strict, // as Editor but Tab, Home and End are swallowed too
};
// Typed keys other than digits are discarded; a paste or drop holding anything but digits is refused whole.
void digitsOnly(QLineEdit *field, DigitsRule rule = DigitsRule::Editor);

// After every typed change the text is replaced by its upper-case form (letters a to z only). Letters the
// archive cannot store are written as their base letter, as archiveCharsOnly does.
void upperCase(QLineEdit *field);
// After every typed change: blanks trimmed at both ends, letters a to z in capitals.
void trimUpper(QLineEdit *field);

// A text field holds only what its archive can store (TextRules::archiveText); what has no Latin form is
// refused with a hint naming it in status (or in the window's panInfo when status is null); the rest of a
// paste is kept. Line breaks and other control characters become blanks.
void archiveCharsOnly(QLineEdit *field, QLabel *status);

// A rule of a window's own, applied with the field's other rules to every edit made on the user's behalf. The
// field's validator belongs to its rules: add a rule here rather than setting another validator.
using TextRules::TextRule;
void addRule(QLineEdit *field, TextRule rule);

using TextRules::archiveText;
using TextRules::refusedHint;

// After every change, typed or pasted: blanks trimmed at both ends, the case kept (e-mail addresses).
void trimmedText(QLineEdit *field);
// An amount: only digits and at most one comma get in, typed or pasted; anything else is refused whole.
void amountChars(QLineEdit *field);

} // namespace Input

#pragma once
// The input conventions of the editing windows, as reusable behaviours attached to existing controls.
//
// Every rule about what a field may hold (digits only, capitals, trimming, the archive's code page) is one rule
// set per field, applied to whatever changes the text on the user's behalf: a typed key, a paste, a drop.

#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <optional>

class QAbstractItemView;
class QWidget;
class QLineEdit;
class QLabel;
class QFrame;
class QComboBox;

namespace Input {

// Application-wide conventions, installed once (every function below installs them too):
// - a text field entered by any move but a mouse click (Enter, Tab, the program's focus after a message) has its
//   whole text selected, so typing replaces it; coming back to the window leaves it as it was;
// - Enter or Return on a focused push button clicks it, and a button or picture that takes the focus from the
//   keyboard or from the program shows its focus mark.
void installApplicationBehaviours();

// The yellow rectangle behind a field, named "eff" + the field's name without its "txt" prefix unless a
// name is given; visible only while the field has the focus.
QFrame *highlight(QWidget *field, const QString &effName = {});

// Enter in from moves the focus to to.
void enterMoves(QWidget *from, QWidget *to);
// Enter moves along the chain: chain[i] -> chain[i + 1].
void enterChain(const QList<QWidget *> &chain);
// The field that follows field: its Enter target, otherwise the next tab stop of its window.
QWidget *nextField(QWidget *field);

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

// A text field holds only what its archive can store (Windows-1252): letters outside the code page become
// their base letter (ł -> l, ș -> s, ễ -> e), letters it has stay as they are (é, ñ, ö, š), and what has no
// Latin form is refused with a hint naming it in status (or in the window's panInfo when status is null);
// the rest of a paste is kept. Line breaks and other control characters become blanks.
void archiveCharsOnly(QLineEdit *field, QLabel *status);

// A rule of a window's own, applied with the field's other rules to every edit made on the user's behalf: it
// returns the text as the field keeps it, or nothing to refuse the edit whole. The field's validator belongs to
// its rules: add a rule here rather than setting another validator.
using TextRule = std::function<std::optional<QString>(const QString &)>;
void addRule(QLineEdit *field, TextRule rule);

// The rule above as a function: text as the archive can store it; the characters left out go to refused.
QString archiveText(const QString &text, QString *refused = nullptr);
// The status hint naming refused characters.
QString refusedHint(const QString &refused);

// Read-only date field: Backspace or Delete empties it; any other key, a click on it or on its calendar picture
// runs openCalendar. When a date has been imported the next field is entered with its text selected.
void dateField(QLineEdit *field, std::function<void()> openCalendar);

// Hints written into the status line while the mouse is over a control, emptied when it leaves. A control
// with a keyboard shortcut (property "shortcutText") shows it after its hint.
void statusHints(QLabel *status, const QList<QPair<QWidget *, QString>> &hints);

// Runs handler on every key release in field (the amount in words follows the typing).
void onKeyUp(QWidget *field, std::function<void()> handler);
// Runs handler when field loses the focus to another control of its window; switching to another window
// (a message, a print window) is not leaving the field.
void onExit(QWidget *field, std::function<void()> handler);

// After every change, typed or pasted: blanks trimmed at both ends, the case kept (e-mail addresses).
void trimmedText(QLineEdit *field);
// An amount: only digits and at most one comma get in, typed or pasted; anything else is refused whole.
void amountChars(QLineEdit *field);
// Enter or Return on the current line of a list does what a double click does.
void enterActivates(QAbstractItemView *view, std::function<void()> handler);
// Drop-down lists (editable combo boxes).
// No item selected, the text kept (an editable combo would otherwise empty its text with the selection).
void clearListSelection(QComboBox *box);
// A text that is none of the list's values (trimmed, exact, with case) becomes empty.
void keepOnlyListed(QComboBox *box);
// Values are only picked from the list: typed keys, pasting and the wheel are refused; Backspace or Delete
// empties the field; F4 or Alt+Down opens the list. The selection is cleared whenever the field takes the
// focus, and a value outside the list is dropped when the field is left; until then a stored value outside
// the list shows as stored.
void pickOnly(QComboBox *box);
// A list that also takes a typed value: the list selection is cleared whenever the field takes the focus, the
// text kept, so that leaving the field never puts back a value the user replaced.
void listWithText(QComboBox *box);

} // namespace Input

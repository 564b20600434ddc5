#pragma once
// The input conventions of the editing windows, as reusable behaviours attached to existing controls.

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class QWidget;
class QLineEdit;
class QLabel;
class QFrame;
class QComboBox;

namespace Input {

// The yellow rectangle behind a field, named "eff" + the field's name without its "txt" prefix unless a
// name is given; visible only while the field has the focus.
QFrame *highlight(QWidget *field, const QString &effName = {});

// Enter in from moves the focus to to.
void enterMoves(QWidget *from, QWidget *to);
// Enter moves along the chain: chain[i] -> chain[i + 1].
void enterChain(const QList<QWidget *> &chain);

enum class DigitsRule {
    Editor, // digits, Backspace, Delete, Left, Right (and Enter, Tab for moving on)
    Strict, // as Editor but Tab, Home and End are swallowed too
};
void digitsOnly(QLineEdit *field, DigitsRule rule = DigitsRule::Editor);

// After every typed change the text is replaced by its upper-case form (letters a to z only).
void upperCase(QLineEdit *field);
// After every typed change: blanks trimmed at both ends, letters a to z in capitals.
void trimUpper(QLineEdit *field);

// A text field accepts only characters its archive can store (Windows-1252). Anything else, typed or
// pasted, is refused at once with a short hint in the status line.
void archiveCharsOnly(QLineEdit *field, QLabel *status);

// Read-only date field: Backspace or Delete empties it, any other key runs openCalendar.
void dateField(QLineEdit *field, std::function<void()> openCalendar);

// Hints written into the status line while the mouse is over a control, emptied when it leaves.
void statusHints(QLabel *status, const QList<QPair<QWidget *, QString>> &hints);

// Runs handler on every key release in field (the amount in words follows the typing).
void onKeyUp(QWidget *field, std::function<void()> handler);
// Runs handler when field loses the focus.
void onExit(QWidget *field, std::function<void()> handler);

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

} // namespace Input

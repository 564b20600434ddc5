#pragma once
// The keyboard and focus conventions of the windows, as behaviours attached to existing controls.

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class QAbstractItemView;
class QWidget;
class QLineEdit;
class QLabel;
class QFrame;

namespace Input {

// Application-wide conventions, installed once (every function of the input behaviours installs them too):
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

// Enter or Return on the current line of a list does what a double click does.
void enterActivates(QAbstractItemView *view, std::function<void()> handler);

} // namespace Input

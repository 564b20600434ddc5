#pragma once
// Drop-down lists (editable combo boxes).

class QComboBox;

namespace Input {

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

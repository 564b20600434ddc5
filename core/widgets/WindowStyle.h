#pragma once
#include <functional>

class QAbstractScrollArea;
class QWidget;

namespace WindowStyle {
enum class Border {
    Fixed,    // the window keeps its size
    Sizeable, // the user may resize it (lists that want all the width the screen has)
};
// A title bar without system buttons; the window can be left only through its own buttons: a close request
// from the window manager (its close button, Alt+F4) is ignored, and in a dialog Escape presses the window's
// own "Annulla" or "Chiudi" when it has one. The window is kept wide enough for its whole caption.
void fixedDialog(QWidget *window, Border border = Border::Fixed);
// Centred on the screen, or on the given window.
void centre(QWidget *window, QWidget *over = nullptr);
// Fills the screen's available area, also where no window manager honours the maximised state.
void maximise(QWidget *window);
// Sizes window so that list shows lines of the given number of characters whole, in the list's font, within
// the screen's available width; where the screen is too narrow for the font, the font is made just small
// enough.
void fitLines(QWidget *window, QAbstractScrollArea *list, int chars);

// An auxiliary window: a new one owned by owner each time, prepared, shown modally and freed on close.
template <class W> void runModal(QWidget *owner, const std::function<void(W &)> &prepare = {})
{
    W w(owner);
    if (prepare)
        prepare(w);
    w.exec();
}
} // namespace WindowStyle

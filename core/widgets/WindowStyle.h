#pragma once
class QWidget;

namespace WindowStyle {
// Fixed single border without system buttons; the window can be left only through its own buttons.
void fixedDialog(QWidget *window);
// Centred on the screen, or on the given window.
void centre(QWidget *window, QWidget *over = nullptr);
} // namespace WindowStyle

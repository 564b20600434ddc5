#pragma once
// The small controls every editor lays out by hand, made one way: named, placed, and showing data as plain text.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class Picture;

namespace Controls {
// A one-line field at geometry; maxLength 0 leaves Qt's default.
QLineEdit *field(QWidget *parent, const char *name, QRect geometry, int maxLength, Qt::Alignment align = Qt::AlignLeft);
// A caption sized to its text at at.
QLabel *caption(QWidget *parent, const QString &text, QPoint at, const char *name = nullptr);
// A hidden label that carries data between windows (position, file, attachments).
QLabel *hidden(QWidget *parent, const char *name, const QString &design = {});
// A clickable picture from the icon set, at at (left where the layout puts it when at is null).
Picture *picture(QWidget *parent, const char *name, const char *svg, QSize size, QPoint at = {});
// "btnFocus": invisible, yet able to hold the focus, so a save or a preview can take it away from the field being
// edited (running that field's leaving rules). Not a tab stop: the program puts the focus there, the user never does.
QPushButton *focusHolder(QWidget *parent);
// Sets a text that another window hands over (a search, the calendar) whole, even past the box's length limit:
// the limit is for typing, and comes back once the text is short enough again.
void setWholeText(QLineEdit *box, const QString &text);
// The longest text typing may make: the box's limit before any whole text was set.
int typingLimit(const QLineEdit *box);
// "panInfo": the window's status line, white on slate blue (5.6:1), whatever its panel's style says of labels.
QLabel *statusLine(QWidget *parent, const QString &text);
} // namespace Controls

#include "core/widgets/WindowStyle.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace WindowStyle {
void fixedDialog(QWidget *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
}

void centre(QWidget *window, QWidget *over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (auto *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect g = window->frameGeometry();
        g.moveCenter(area.center());
        window->move(g.topLeft());
    }
}
} // namespace WindowStyle

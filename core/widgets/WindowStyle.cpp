#include "core/widgets/WindowStyle.h"

#include "core/widgets/Keyboard.h"
#include "core/widgets/Picture.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

#include <cmath>

namespace WindowStyle {
namespace {
// The window's own ways out, in the order Escape looks for them.
constexpr const char *kOwnExits[] = {"btnAnnulla", "btnChiudi", "cmdEsci"};

class FixedWindow : public QObject {
public:
    explicit FixedWindow(QWidget *window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o != m_window)
            return false;
        switch (e->type()) {
        case QEvent::Close:
            // A close the program asks for (its own buttons) is not spontaneous; the window manager's is.
            if (e->spontaneous()) {
                e->ignore();
                return true;
            }
            break;
        case QEvent::KeyPress: {
            auto *k = static_cast<QKeyEvent *>(e);
            // Only auxiliary windows (dialogs): Escape in the login window must not end the program.
            if (k->key() != Qt::Key_Escape || k->modifiers() != Qt::NoModifier || !qobject_cast<QDialog *>(m_window))
                break;
            for (const char *name : kOwnExits) {
                auto *w = m_window->findChild<QWidget *>(QLatin1String(name));
                if (!w || !w->isVisible() || !w->isEnabled())
                    continue;
                if (auto *b = qobject_cast<QAbstractButton *>(w))
                    b->click();
                else if (auto *p = qobject_cast<Picture *>(w))
                    p->click();
                else
                    continue;
                return true;
            }
            // Without a way out of its own the window stays.
            return true;
        }
        case QEvent::Show:
            fitCaption();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The window manager cuts a caption longer than the window: keep room for it and the title bar's margins.
    void fitCaption()
    {
        const QFontMetrics fm(QApplication::font("QMdiSubWindowTitleBar"));
        const int wanted = fm.horizontalAdvance(m_window->windowTitle()) + 96;
        if (m_window->width() >= wanted)
            return;
        QLayout *l = m_window->layout();
        if (l && l->sizeConstraint() == QLayout::SetFixedSize) {
            // A window sized by its layout keeps that: an invisible strut in the layout widens it.
            const QMargins m = l->contentsMargins();
            l->addItem(new QSpacerItem(wanted - m.left() - m.right(), 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
            l->activate();
        } else if (m_window->minimumWidth() == m_window->maximumWidth()) {
            m_window->setFixedWidth(wanted);
        } else {
            m_window->setMinimumWidth(wanted);
        }
        m_window->resize(wanted, m_window->height());
    }

    QWidget *m_window;
};

class LineFit : public QObject {
public:
    LineFit(QWidget *window, QAbstractScrollArea *list, int chars)
        : QObject(list), m_window(window), m_list(list), m_chars(chars)
    {
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show && !e->spontaneous())
            fit();
        return false;
    }

private:
    void fit()
    {
        QScreen *screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
        const int available = screen ? screen->availableGeometry().width() : 1600;
        // Besides the text: the window's margins, the list's frame and vertical scroll bar, a little air, and
        // the border the window manager draws.
        const int chrome = qMax(m_window->width() - m_list->width(), 0) + 2 * m_list->frameWidth() +
                           m_list->verticalScrollBar()->sizeHint().width() + 8;
        const int border = 16;
        const auto textWidth = [&](const QFont &f) {
            return int(std::ceil(QFontMetricsF(f).horizontalAdvance(QString(m_chars, u'M'))));
        };
        QFont font = m_list->font();
        while (textWidth(font) + chrome + border > available && font.pointSizeF() > 7.0)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        m_list->setFont(font);
        const int width = qMin(textWidth(font) + chrome, available - border);
        if (width <= m_window->width())
            return;
        m_window->resize(width, m_window->height());
        // A window already on screen (a search showing its results) stays whole on the screen.
        if (m_window->isVisible())
            centre(m_window);
    }

    QWidget *m_window;
    QAbstractScrollArea *m_list;
    int m_chars;
};
} // namespace

void fixedDialog(QWidget *window, Border border)
{
    Input::installApplicationBehaviours();
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (border == Border::Fixed)
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    window->setWindowFlags(flags);
    // Nothing asks the window manager for the buttons the window does not have.
    window->setWindowFlag(Qt::WindowSystemMenuHint, false);
    window->setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    window->setWindowFlag(Qt::WindowCloseButtonHint, false);
    window->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    new FixedWindow(window);
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

void maximise(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->setGeometry(screen->availableGeometry());
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void fitLines(QWidget *window, QAbstractScrollArea *list, int chars)
{
    // Sizes are known only once the list is laid out, that is when it is shown.
    auto *fit = new LineFit(window, list, chars);
    list->installEventFilter(fit);
}
} // namespace WindowStyle

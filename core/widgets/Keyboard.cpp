#include "core/widgets/Keyboard.h"

#include "core/widgets/InputFilter.h"
#include "core/widgets/Picture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>

namespace Input {

using detail::Filter;
using detail::isEnter;

namespace {

void placeBehind(QWidget *field, QFrame *eff)
{
    eff->setGeometry(field->geometry().adjusted(-3, -3, 3, 3));
    eff->stackUnder(field);
}

// ---- application-wide conventions ---------------------------------------------------------------------

// A field holding only its placeholder ("0,00", "00", "0"): typing must replace it, never join it.
bool onlyPlaceholder(const QString &text)
{
    static const QRegularExpression zeros(QStringLiteral("^0+(,0+)?$"));
    return zeros.match(text).hasMatch();
}

class AppBehaviours : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::FocusIn:
            focusIn(o, static_cast<QFocusEvent *>(e));
            break;
        case QEvent::FocusOut:
            focusOut(o, static_cast<QFocusEvent *>(e));
            break;
        case QEvent::MouseButtonRelease:
            mouseEntered(o);
            break;
        case QEvent::KeyPress:
            return keyPress(o, static_cast<QKeyEvent *>(e));
        default:
            break;
        }
        return false;
    }

private:
    void focusIn(QObject *o, QFocusEvent *e)
    {
        if (e->reason() == Qt::MouseFocusReason) {
            // The click that entered the field places the cursor after this event: the placeholder is
            // selected once the button is released.
            if (auto *edit = qobject_cast<QLineEdit *>(o); edit && onlyPlaceholder(edit->text()))
                m_clicked = edit;
            return;
        }
        if (auto *edit = qobject_cast<QLineEdit *>(o)) {
            // Typing replaces what the field held, however the field was entered. Coming back to a window (from
            // a message, another program or a context menu about to paste) is not entering: the field keeps its
            // cursor and selection as they were.
            if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
                edit->selectAll();
            return;
        }
        if (qobject_cast<QAbstractButton *>(o) || qobject_cast<Picture *>(o)) {
            // The style draws the focus mark only after a keyboard move; a move by Enter or by the program
            // must show it as well.
            auto *w = static_cast<QWidget *>(o);
            w->window()->setAttribute(Qt::WA_KeyboardFocusChange);
            w->update();
        }
    }

    static void focusOut(QObject *o, QFocusEvent *e)
    {
        // A long text shows its start once the field is left, not where typing stopped.
        if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
            return;
        if (auto *edit = qobject_cast<QLineEdit *>(o); edit && !qobject_cast<QComboBox *>(edit->parentWidget()))
            edit->setCursorPosition(0);
    }

    void mouseEntered(QObject *o)
    {
        if (m_clicked && o == m_clicked.data() && m_clicked->hasFocus() && onlyPlaceholder(m_clicked->text()))
            m_clicked->selectAll();
        if (o == m_clicked.data())
            m_clicked.clear();
    }

    static bool keyPress(QObject *o, QKeyEvent *e)
    {
        if (!isEnter(e))
            return false;
        auto *button = qobject_cast<QAbstractButton *>(o);
        // Check boxes and radio buttons keep Space: Enter there is no click for office users.
        if (!button || qobject_cast<QCheckBox *>(o) || qobject_cast<QRadioButton *>(o))
            return false;
        if (!e->isAutoRepeat() && button->isEnabled())
            button->click();
        return true;
    }

    QPointer<QLineEdit> m_clicked;
};

// Enter targets set by enterMoves, for nextField.
QHash<QWidget *, QPointer<QWidget>> &enterTargets()
{
    static QHash<QWidget *, QPointer<QWidget>> targets;
    return targets;
}

} // namespace

void installApplicationBehaviours()
{
    static QPointer<AppBehaviours> installed;
    if (installed || !qApp)
        return;
    installed = new AppBehaviours(qApp);
    qApp->installEventFilter(installed);
}

QFrame *highlight(QWidget *field, const QString &effName)
{
    installApplicationBehaviours();
    auto *parent = field->parentWidget();
    auto *eff = new QFrame(parent);
    QString name = effName;
    if (name.isEmpty()) {
        name = field->objectName();
        if (name.startsWith(QLatin1String("txt")))
            name = name.mid(3);
        name.prepend(QLatin1String("eff"));
    }
    eff->setObjectName(name);
    eff->setStyleSheet(QStringLiteral("background-color: #FFE94D; border-radius: 3px;"));
    eff->setFrameShape(QFrame::NoFrame);
    eff->hide();
    placeBehind(field, eff);
    // The highlight may be destroyed before its field when their window closes.
    QPointer<QFrame> guard(eff);
    new Filter(field, [field, guard](QObject *, QEvent *e) {
        QFrame *eff = guard;
        if (!eff)
            return false;
        switch (e->type()) {
        case QEvent::FocusIn:
            placeBehind(field, eff);
            eff->show();
            break;
        case QEvent::FocusOut:
            eff->hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            placeBehind(field, eff);
            break;
        default:
            break;
        }
        return false;
    });
    return eff;
}

void enterMoves(QWidget *from, QWidget *to)
{
    installApplicationBehaviours();
    QPointer<QWidget> target(to);
    enterTargets().insert(from, target);
    QObject::connect(from, &QObject::destroyed, [from] { enterTargets().remove(from); });
    new Filter(from, [target](QObject *, QEvent *e) {
        if (!isEnter(e))
            return false;
        if (target)
            target->setFocus(Qt::OtherFocusReason);
        return true;
    });
}

void enterChain(const QList<QWidget *> &chain)
{
    for (int i = 0; i + 1 < chain.size(); ++i)
        enterMoves(chain[i], chain[i + 1]);
}

QWidget *nextField(QWidget *field)
{
    if (QWidget *to = enterTargets().value(field))
        return to;
    for (QWidget *w = field->nextInFocusChain(); w && w != field; w = w->nextInFocusChain()) {
        if (w->window() == field->window() && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return nullptr;
}

void dateField(QLineEdit *field, std::function<void()> openCalendar)
{
    installApplicationBehaviours();
    field->setReadOnly(true);
    field->setCursor(Qt::PointingHandCursor);
    const auto open = [field, openCalendar] {
        QPointer<QLineEdit> guard(field);
        const QString before = field->text();
        openCalendar();
        // A date imported: the next field is entered as by Enter, its text selected for typing over.
        if (guard && guard->text() != before)
            if (QWidget *next = nextField(guard)) {
                next->setFocus(Qt::TabFocusReason);
                if (auto *edit = qobject_cast<QLineEdit *>(next))
                    edit->selectAll();
            }
    };
    // Its picture says it opens a calendar, and opens it too.
    QAction *calendar = field->addAction(QIcon(QStringLiteral(":/icons/calendar.svg")), QLineEdit::TrailingPosition);
    calendar->setObjectName(field->objectName() + QStringLiteral("Calendario"));
    QObject::connect(calendar, &QAction::triggered, field, open);
    field->setToolTip(QStringLiteral("Fare clic sul campo, o premere un tasto, per scegliere la data sul calendario."));
    new Filter(field, [field, open](QObject *, QEvent *e) {
        if (e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::MouseButtonDblClick) {
            // The field takes no typing: a click (or a double click) is the way to its calendar.
            if (static_cast<QMouseEvent *>(e)->button() != Qt::LeftButton || !field->isEnabled())
                return false;
            if (e->type() == QEvent::MouseButtonRelease)
                open();
            return true;
        }
        if (e->type() != QEvent::KeyPress)
            return false;
        auto *k = static_cast<QKeyEvent *>(e);
        switch (k->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            field->clear();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
            return false;
        default:
            break;
        }
        // Keys held with Alt or Control are the window's shortcuts, not a request for the calendar.
        if (k->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
            return false;
        open();
        return true;
    });
}

void statusHints(QLabel *status, const QList<QPair<QWidget *, QString>> &hints)
{
    QPointer<QLabel> line(status);
    for (const auto &[w, hint] : hints) {
        w->setStatusTip(hint);
        new Filter(w, [line, hint = hint](QObject *o, QEvent *e) {
            if (!line)
                return false;
            if (e->type() == QEvent::Enter) {
                const QString keys = o->property("shortcutText").toString();
                line->setText(keys.isEmpty() ? hint : hint + QStringLiteral(" (") + keys + QLatin1Char(')'));
            } else if (e->type() == QEvent::Leave) {
                line->clear();
            }
            return false;
        });
    }
}

void onKeyUp(QWidget *field, std::function<void()> handler)
{
    new Filter(field, [handler](QObject *, QEvent *e) {
        if (e->type() == QEvent::KeyRelease)
            handler();
        return false;
    });
}

void onExit(QWidget *field, std::function<void()> handler)
{
    new Filter(field, [handler](QObject *, QEvent *e) {
        if (e->type() != QEvent::FocusOut)
            return false;
        const auto reason = static_cast<QFocusEvent *>(e)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            handler();
        return false;
    });
}

void enterActivates(QAbstractItemView *view, std::function<void()> handler)
{
    installApplicationBehaviours();
    new Filter(view, [view, handler](QObject *, QEvent *e) {
        if (e->type() == QEvent::FocusIn) {
            // Entered with Tab, the list's line under the focus mark is selected, so that Enter opens it: a
            // search with a single result would otherwise need an arrow key that moves nowhere.
            const auto reason = static_cast<QFocusEvent *>(e)->reason();
            if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && view->selectionModel() &&
                !view->selectionModel()->hasSelection()) {
                QModelIndex line = view->currentIndex();
                if (!line.isValid())
                    line = view->model()->index(0, 0, view->rootIndex());
                if (line.isValid())
                    view->selectionModel()->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect |
                                                                      QItemSelectionModel::Rows);
            }
            return false;
        }
        if (!isEnter(e))
            return false;
        // Consumed either way: Enter in a list must never reach the window's default button.
        if (view->currentIndex().isValid() && view->selectionModel()->isSelected(view->currentIndex()))
            handler();
        return true;
    });
}

} // namespace Input

#include "core/widgets/DropDowns.h"

#include "core/widgets/InputFilter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Input {

using detail::Filter;

namespace {
class PickOnlyFilter : public QObject {
public:
    explicit PickOnlyFilter(QComboBox *box) : QObject(box), m_box(box) { box->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::FocusIn:
            if (static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason)
                clearListSelection(m_box);
            return false;
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason)
                keepOnlyListed(m_box);
            return false;
        case QEvent::KeyPress:
            return key(static_cast<QKeyEvent *>(e));
        case QEvent::Wheel:
            return true; // the wheel would pick values the user never chose
        default:
            return false;
        }
    }

private:
    bool key(QKeyEvent *k)
    {
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            m_box->setEditText(QString());
            return true;
        default:
            break;
        }
        if (k->key() == Qt::Key_F4 || (k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier))) {
            clearListSelection(m_box);
            m_box->showPopup();
            m_box->view()->setCurrentIndex(QModelIndex()); // the first Down picks the first value
        }
        return true;
    }
    QComboBox *m_box;
};
} // namespace

void clearListSelection(QComboBox *box)
{
    const QString text = box->currentText();
    const QSignalBlocker block(box);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

void keepOnlyListed(QComboBox *box)
{
    if (box->findText(box->currentText().trimmed(), Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        box->setEditText(QString());
}

void pickOnly(QComboBox *box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    new PickOnlyFilter(box);
}

void listWithText(QComboBox *box)
{
    new Filter(box, [box](QObject *, QEvent *e) {
        if (e->type() == QEvent::FocusIn)
            clearListSelection(box);
        return false;
    });
}

} // namespace Input

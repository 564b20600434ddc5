#include "core/widgets/Input.h"

#include "core/Cp1252.h"
#include "core/Routines.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QValidator>

namespace Input {

namespace {

// One small event filter per behaviour keeps each rule independent of the others.
class Filter : public QObject {
public:
    using Fn = std::function<bool(QObject *, QEvent *)>;
    Filter(QObject *target, Fn fn) : QObject(target), m_fn(std::move(fn)) { target->installEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override { return m_fn(o, e); }

private:
    Fn m_fn;
};

bool isEnter(QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const int k = static_cast<QKeyEvent *>(e)->key();
    return k == Qt::Key_Return || k == Qt::Key_Enter;
}

void placeBehind(QWidget *field, QFrame *eff)
{
    eff->setGeometry(field->geometry().adjusted(-3, -3, 3, 3));
    eff->stackUnder(field);
}

class ArchiveCharsValidator : public QValidator {
public:
    ArchiveCharsValidator(QObject *parent, QLabel *status) : QValidator(parent), m_status(status) {}
    State validate(QString &input, int &) const override
    {
        for (QChar c : input) {
            if (!Cp1252::canEncode(c)) {
                if (m_status)
                    m_status->setText(QStringLiteral("Carattere non ammesso: «%1» non può essere archiviato.").arg(c));
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    QPointer<QLabel> m_status;
};

void replaceKeepingCursor(QLineEdit *field, const QString &text)
{
    if (text == field->text())
        return;
    const int pos = field->cursorPosition();
    field->setText(text);
    field->setCursorPosition(qMin(pos, int(text.size())));
}

} // namespace

QFrame *highlight(QWidget *field, const QString &effName)
{
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
    QPointer<QWidget> target(to);
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

void digitsOnly(QLineEdit *field, DigitsRule rule)
{
    new Filter(field, [rule](QObject *, QEvent *e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto *k = static_cast<QKeyEvent *>(e);
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return false;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return rule == DigitsRule::Strict;
        default:
            break;
        }
        const QString t = k->text();
        return !(t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9'));
    });
}

void upperCase(QLineEdit *field)
{
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [field](const QString &t) { replaceKeepingCursor(field, UpperAZ(t)); });
}

void trimUpper(QLineEdit *field)
{
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [field](const QString &t) { replaceKeepingCursor(field, UpperAZ(t.trimmed())); });
}

void archiveCharsOnly(QLineEdit *field, QLabel *status) { field->setValidator(new ArchiveCharsValidator(field, status)); }

void dateField(QLineEdit *field, std::function<void()> openCalendar)
{
    field->setReadOnly(true);
    new Filter(field, [field, openCalendar](QObject *, QEvent *e) {
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
            openCalendar();
            return true;
        }
    });
}

void statusHints(QLabel *status, const QList<QPair<QWidget *, QString>> &hints)
{
    QPointer<QLabel> line(status);
    for (const auto &[w, hint] : hints) {
        w->setStatusTip(hint);
        new Filter(w, [line, hint = hint](QObject *, QEvent *e) {
            if (!line)
                return false;
            if (e->type() == QEvent::Enter)
                line->setText(hint);
            else if (e->type() == QEvent::Leave)
                line->clear();
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
        if (e->type() == QEvent::FocusOut)
            handler();
        return false;
    });
}

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

} // namespace Input

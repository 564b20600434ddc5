#include "core/widgets/Input.h"

#include "core/Cp1252.h"
#include "core/Routines.h"
#include "core/widgets/Picture.h"

#include <QAbstractButton>
#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
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
    const auto *k = static_cast<QKeyEvent *>(e);
    const auto mods = k->modifiers() & ~Qt::KeypadModifier;
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

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

// ---- the rule set of a text field ---------------------------------------------------------------------

enum Rule : unsigned {
    Digits = 1,
    Upper = 2,
    Trim = 4,
    Archive = 8,
};

struct Outcome {
    QString text;
    QString refused;
    bool rejected = false; // the whole change is refused
};

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

Outcome applyRules(const QString &in, unsigned rules, const QList<TextRule> &own)
{
    Outcome out;
    if (rules & Digits) {
        const QString t = (rules & Trim) ? in.trimmed() : in;
        out.rejected = !IsAllDigits(t);
        out.text = t;
        for (const auto &rule : own) {
            if (out.rejected)
                break;
            const auto kept = rule(out.text);
            out.rejected = !kept;
            out.text = kept.value_or(out.text);
        }
        return out;
    }
    // A one-line field never holds a line break: each break (CR LF counted once) becomes one blank.
    QString text;
    text.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in[i];
        if (c == QLatin1Char('\r') && i + 1 < in.size() && in[i + 1] == QLatin1Char('\n'))
            continue;
        text += isControl(c) ? QChar(QLatin1Char(' ')) : c;
    }
    if (rules & Archive)
        text = archiveText(text, &out.refused);
    if (rules & Trim)
        text = text.trimmed();
    if (rules & Upper)
        text = UpperAZ(text);
    for (const auto &rule : own) {
        const auto kept = rule(text);
        if (!kept) {
            out.rejected = true;
            break;
        }
        text = *kept;
    }
    out.text = text;
    return out;
}

// Letters without a canonical decomposition, written as the letter they are read as.
char16_t baseLetter(char16_t c)
{
    static const QHash<char16_t, char16_t> table = {
        {u'ł', u'l'}, {u'Ł', u'L'}, {u'đ', u'd'}, {u'Đ', u'D'}, {u'ı', u'i'}, {u'ħ', u'h'}, {u'Ħ', u'H'},
        {u'ŧ', u't'}, {u'Ŧ', u'T'}, {u'ŀ', u'l'}, {u'Ŀ', u'L'}, {u'ĸ', u'k'}, {u'ŋ', u'n'}, {u'Ŋ', u'N'},
        {u'ſ', u's'}, {u'ƀ', u'b'}, {u'Ɨ', u'I'}, {u'ɨ', u'i'}, {u'ǥ', u'g'}, {u'Ǥ', u'G'}, {u'ƶ', u'z'},
        {u'Ƶ', u'Z'}, {u'ə', u'e'}, {u'Ə', u'E'}, {u'ȷ', u'j'}, {u'ɗ', u'd'}, {u'Ɗ', u'D'}, {u'ƙ', u'k'},
        {u'Ƙ', u'K'}, {u'ɓ', u'b'}, {u'Ɓ', u'B'}, {u'ƴ', u'y'}, {u'Ƴ', u'Y'},
    };
    return table.value(c, 0);
}

// The Latin form of one character outside the code page, or nothing when it has none.
QString latinForm(const QString &c)
{
    if (c.size() == 1)
        if (const char16_t b = baseLetter(c[0].unicode()))
            return QString(QChar(b));
    // Decomposition without the marks: ș -> s, ễ -> e, İ -> I; compatibility forms too (ĳ -> ij, Ａ -> A).
    QString base;
    for (QChar d : c.normalized(QString::NormalizationForm_KD)) {
        const auto cat = d.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing)
            continue;
        if (const char16_t b = baseLetter(d.unicode()))
            d = QChar(b);
        if (!d.isLetter() || d.unicode() > 0x24F || !Cp1252::canEncode(d))
            return {};
        base += d;
    }
    return base;
}

class RuleSet;

class RulesValidator : public QValidator {
public:
    RulesValidator(QObject *parent, const RuleSet *rules) : QValidator(parent), m_rules(rules) {}
    State validate(QString &input, int &) const override;

private:
    const RuleSet *m_rules;
};

// The one object that holds a field's rules: a validator refuses what the rules refuse whole, and every edit
// made on the user's behalf (typed, pasted, dropped) is rewritten as the rules say. Texts the program puts
// into the field (a loaded record) stay as they are.
class RuleSet : public QObject {
public:
    explicit RuleSet(QLineEdit *field) : QObject(field), m_field(field)
    {
        setObjectName(QStringLiteral("inputRules"));
        field->setValidator(new RulesValidator(this, this));
        connect(field, &QLineEdit::textEdited, this, &RuleSet::edited);
    }
    static RuleSet *of(QLineEdit *field)
    {
        // By name and dynamic_cast: findChild<RuleSet *> needs a Q_OBJECT class from Qt 6.5 on.
        if (auto *r = dynamic_cast<RuleSet *>(
                field->findChild<QObject *>(QStringLiteral("inputRules"), Qt::FindDirectChildrenOnly)))
            return r;
        return new RuleSet(field);
    }
    void add(unsigned rules) { m_rules |= rules; }
    void add(TextRule rule) { m_own.append(std::move(rule)); }
    void setStatus(QLabel *status) { m_status = status; }
    Outcome apply(const QString &text) const { return applyRules(text, m_rules, m_own); }

private:
    void edited(const QString &text)
    {
        const Outcome o = apply(text);
        if (!o.refused.isEmpty())
            if (QLabel *status = statusLine())
                status->setText(refusedHint(o.refused));
        if (o.rejected || o.text == text)
            return;
        // The cursor keeps its place among the characters that stay.
        const int pos = m_field->cursorPosition();
        const int shift = int(text.size() - o.text.size());
        m_field->setText(o.text);
        m_field->setCursorPosition(qBound(0, pos - qMax(0, shift), int(o.text.size())));
    }
    QLabel *statusLine() const
    {
        if (m_status)
            return m_status;
        return m_field->window()->findChild<QLabel *>(QStringLiteral("panInfo"));
    }

    QLineEdit *m_field;
    unsigned m_rules = 0;
    QList<TextRule> m_own;
    QPointer<QLabel> m_status;
};

QValidator::State RulesValidator::validate(QString &input, int &) const
{
    return m_rules->apply(input).rejected ? Invalid : Acceptable;
}

void addRules(QLineEdit *field, unsigned rules)
{
    installApplicationBehaviours();
    RuleSet::of(field)->add(rules);
}

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

void digitsOnly(QLineEdit *field, DigitsRule rule)
{
    addRules(field, Digits);
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
        case Qt::Key_Escape: // the window's own way out
            return false;
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return rule == DigitsRule::Strict;
        default:
            break;
        }
        // The clipboard keys stay: what they bring in passes the same rule as a typed key.
        for (auto key : {QKeySequence::Paste, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll,
                         QKeySequence::Undo, QKeySequence::Redo})
            if (k->matches(key))
                return false;
        const QString t = k->text();
        return !(t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9'));
    });
}

void addRule(QLineEdit *field, TextRule rule)
{
    installApplicationBehaviours();
    RuleSet::of(field)->add(std::move(rule));
}

void upperCase(QLineEdit *field) { addRules(field, Upper | Archive); }

void trimUpper(QLineEdit *field) { addRules(field, Trim | Upper | Archive); }

void archiveCharsOnly(QLineEdit *field, QLabel *status)
{
    addRules(field, Archive);
    RuleSet::of(field)->setStatus(status);
}

QString archiveText(const QString &text, QString *refused)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (Cp1252::canEncode(c) && !c.isSurrogate()) {
            out += c;
            continue;
        }
        // A character beyond the basic plane is a surrogate pair: one character, never half of one.
        const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString one = text.mid(i, n);
        i += n - 1;
        const QString latin = latinForm(one);
        if (!latin.isEmpty())
            out += latin;
        else if (refused && !refused->contains(one))
            *refused += one;
    }
    return out;
}

QString refusedHint(const QString &refused)
{
    const bool one = refused.size() == 1 || (refused.size() == 2 && refused[0].isHighSurrogate());
    return one ? QStringLiteral("Carattere non ammesso: «%1» non può essere archiviato.").arg(refused)
               : QStringLiteral("Caratteri non ammessi: «%1» non possono essere archiviati.").arg(refused);
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

void trimmedText(QLineEdit *field)
{
    addRule(field, [](const QString &t) -> std::optional<QString> { return t.trimmed(); });
}

void amountChars(QLineEdit *field)
{
    addRule(field, [](const QString &t) -> std::optional<QString> {
        if (t.count(QLatin1Char(',')) > 1)
            return std::nullopt;
        for (QChar c : t)
            if (c != QLatin1Char(',') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
                return std::nullopt;
        return t;
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

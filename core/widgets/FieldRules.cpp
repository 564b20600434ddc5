#include "core/widgets/FieldRules.h"

#include "core/widgets/InputFilter.h"
#include "core/widgets/Keyboard.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>

namespace Input {

using detail::Filter;
using TextRules::Archive;
using TextRules::Digits;
using TextRules::Outcome;
using TextRules::Trim;
using TextRules::Upper;

namespace {

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
    Outcome apply(const QString &text) const { return TextRules::apply(text, m_rules, m_own); }

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

} // namespace

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

void upperCase(QLineEdit *field)
{
    addRules(field, Upper | Archive);
}

void trimUpper(QLineEdit *field)
{
    addRules(field, Trim | Upper | Archive);
}

void archiveCharsOnly(QLineEdit *field, QLabel *status)
{
    addRules(field, Archive);
    RuleSet::of(field)->setStatus(status);
}

void trimmedText(QLineEdit *field)
{
    addRule(field, [](const QString &t) -> std::optional<QString> { return t.trimmed(); });
}

void amountChars(QLineEdit *field)
{
    addRule(field, TextRules::amountText);
}

} // namespace Input

#pragma once
// The small event filters the input behaviours are made of; shared by their units only.

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <functional>

namespace Input::detail {

// One small event filter per behaviour keeps each rule independent of the others.
class Filter : public QObject {
public:
    using Fn = std::function<bool(QObject *, QEvent *)>;
    Filter(QObject *target, Fn fn) : QObject(target), m_fn(std::move(fn)) { target->installEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override { return m_fn(o, e); }

private:
    Fn m_fn;
};

inline bool isEnter(QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const auto *k = static_cast<QKeyEvent *>(e);
    const auto mods = k->modifiers() & ~Qt::KeypadModifier;
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

} // namespace Input::detail

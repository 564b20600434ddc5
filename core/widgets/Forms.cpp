#include "core/widgets/Forms.h"

#include <QList>
#include <QPointer>
#include <utility>

namespace {
QList<QPointer<QWidget>> &registry()
{
    static QList<QPointer<QWidget>> r;
    return r;
}

std::function<void()> &pending()
{
    static std::function<void()> p;
    return p;
}

// A window asked for before it exists is created now, with every window before it.
void resolvePending()
{
    if (auto run = std::exchange(pending(), {}))
        run();
}
} // namespace

namespace Forms {
void setPending(std::function<void()> p)
{
    pending() = std::move(p);
}

void add(QWidget *window)
{
    registry().append(window);
}

QWidget *get(QStringView name)
{
    for (const auto &w : registry())
        if (w && w->objectName() == name)
            return w;
    resolvePending();
    for (const auto &w : registry())
        if (w && w->objectName() == name)
            return w;
    return nullptr;
}

QList<QWidget *> all()
{
    resolvePending();
    QList<QWidget *> r;
    for (const auto &w : registry())
        if (w)
            r.append(w);
    return r;
}

void clear()
{
    pending() = {};
    auto windows = all();
    registry().clear();
    // Later windows may refer to earlier ones while closing: delete in reverse creation order.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        delete *it;
}
} // namespace Forms

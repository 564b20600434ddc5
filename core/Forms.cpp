#include "core/Forms.h"

#include <QList>
#include <QPointer>

namespace {
QList<QPointer<QWidget>> &registry()
{
    static QList<QPointer<QWidget>> r;
    return r;
}
} // namespace

namespace Forms {
void add(QWidget *window) { registry().append(window); }

QWidget *get(const QString &name)
{
    for (const auto &w : registry())
        if (w && w->objectName() == name)
            return w;
    return nullptr;
}

QList<QWidget *> all()
{
    QList<QWidget *> r;
    for (const auto &w : registry())
        if (w)
            r.append(w);
    return r;
}

void clear()
{
    auto windows = all();
    registry().clear();
    // Later windows may refer to earlier ones while closing: delete in reverse creation order.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        delete *it;
}
} // namespace Forms

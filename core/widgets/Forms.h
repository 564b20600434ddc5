#pragma once
// The long-lived window instances, reachable application-wide under their instance names
// ("frmBollettino"), as created at start-up in the order of the creation table.

#include <QString>
#include <QWidget>
#include <functional>

namespace Forms {
void add(QWidget *window); // registered under its objectName
QWidget *get(QStringView name);
template <class T> T *get(QStringView name)
{
    return qobject_cast<T *>(get(name));
}
QList<QWidget *> all(); // in creation order
void clear();           // deletes every registered window and forgets the pending creation
// Windows not created yet: get and all first run pending, once, to create them (in their order).
void setPending(std::function<void()> pending);
} // namespace Forms

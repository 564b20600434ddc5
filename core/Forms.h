#pragma once
// The long-lived window instances, reachable application-wide under their instance names
// ("frmBollettino"), as created at start-up in the order of the creation table.

#include <QString>
#include <QWidget>

namespace Forms {
void add(QWidget *window); // registered under its objectName
QWidget *get(const QString &name);
template <class T> T *get(const QString &name) { return qobject_cast<T *>(get(name)); }
QList<QWidget *> all(); // in creation order
void clear();           // deletes every registered window
} // namespace Forms

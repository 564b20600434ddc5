#pragma once
// Small applicant archives written field by field, and stand-ins for the windows an applicant is handed to:
// the applicant editor "frmAnagrafica" (every control of the record and lblPosizione) and the deadline
// editor "frmScadenzario" (its client fields and lblPosizione).

#include "core/Record.h"
#include "core/widgets/Forms.h"
#include "registry/ApplicantRecord.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QPlainTextEdit>
#include <QWidget>

namespace ApplicantFixture {
using Fields = QList<QPair<const char *, QString>>; // field name, text

// Every field has a text of its own ("Nome 2" for field Nome), then the given fields override.
inline Record full(const Fields &fields = {})
{
    Record r(kApplicantLayout);
    for (int i = 0; i < kApplicantLayout.count(); ++i) {
        const auto name = kApplicantLayout.field(i).name;
        r.setText(i, QString::fromLatin1(name.data(), qsizetype(name.size())) + QStringLiteral(" %1").arg(i));
    }
    for (const auto &[name, text] : fields)
        r.setText(name, text);
    return r;
}

// Only the given fields; the others empty.
inline Record applicant(const Fields &fields)
{
    Record r(kApplicantLayout);
    for (const auto &[name, text] : fields)
        r.setText(name, text);
    return r;
}

inline void write(const QString &path, const QList<Record> &records)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the fixture archive");
    for (const auto &r : records)
        f.write(r.bytes());
}

inline QWidget *standIn(const QString &name, const QStringList &controls)
{
    auto *w = new QWidget;
    w->setObjectName(name);
    for (const QString &control : controls) {
        QWidget *c = nullptr;
        if (control == QLatin1String("txtProvRes")) {
            auto *box = new QComboBox(w);
            box->setEditable(true);
            box->addItems({QStringLiteral("MI"), QStringLiteral("RM")});
            box->setCurrentIndex(-1);
            c = box;
        } else if (control == QLatin1String("txtNote")) {
            c = new QPlainTextEdit(w); // a longer text box in the editor
        } else if (control.startsWith(QLatin1String("lbl"))) {
            c = new QLabel(w);
        } else {
            c = new QLineEdit(w);
        }
        c->setObjectName(control);
    }
    Forms::add(w);
    return w;
}

inline QWidget *editor()
{
    QStringList controls{QStringLiteral("lblPosizione")};
    for (const auto &f : kApplicantFields)
        controls << QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
    return standIn(QStringLiteral("frmAnagrafica"), controls);
}

inline QWidget *agenda()
{
    return standIn(QStringLiteral("frmScadenzario"), {QStringLiteral("txtCliente"), QStringLiteral("txtCodFisc"),
                                                      QStringLiteral("txtRecapito"), QStringLiteral("lblPosizione")});
}

inline QString text(QWidget *window, const QString &control)
{
    QWidget *w = window->findChild<QWidget *>(control);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    return QStringLiteral("<missing>");
}

inline void setText(QWidget *window, const QString &control, const QString &value)
{
    QWidget *w = window->findChild<QWidget *>(control);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(value);
    else if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(value);
    else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        p->setPlainText(value);
    else if (auto *c = qobject_cast<QComboBox *>(w))
        c->setCurrentText(value);
}
} // namespace ApplicantFixture

#pragma once
// Small slip archives written field by field, and a stand-in for the slip editor holding the controls the
// lists and the search read from and write into.

#include "core/Record.h"
#include "core/widgets/Forms.h"
#include "slips/SlipRecord.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QWidget>

namespace SlipFixture {
struct Slip {
    Slip(QString payer_, QString due_ = QStringLiteral("14/03/2024"), QString paid_ = QStringLiteral("No"),
         QString amount_ = QStringLiteral("16,00"), QString town_ = QStringLiteral("ROMA"))
        : payer(std::move(payer_)), due(std::move(due_)), paid(std::move(paid_)), amount(std::move(amount_)),
          town(std::move(town_))
    {
    }
    QString payer;
    QString due;
    QString paid;
    QString amount;
    QString town;
    QString note;
    QString street = QStringLiteral("VIA ROMA 1");
    QString cap = QStringLiteral("00184");
    QString paidOn;
};

inline QByteArray bytes(const Slip &s)
{
    Record r(kSlipLayout);
    const QStringList euros = s.amount.split(QLatin1Char(','));
    r.setText("Importo", euros.value(0));
    r.setText("Cents", euros.value(1));
    r.setText("Intero", s.amount);
    r.setText("Esecutore", s.payer);
    r.setText("IndirizzoRes", s.street);
    r.setText("CapRes", s.cap);
    r.setText("ComuneRes", s.town);
    r.setText("DataScade", s.due);
    r.setText("DataPaga", s.paidOn);
    r.setText("Note", s.note);
    r.setText("Saldato", s.paid);
    return r.bytes();
}

inline void write(const QString &path, const QList<Slip> &slips)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the fixture archive");
    for (const auto &s : slips)
        f.write(bytes(s));
}

// Registered under "frmBollettino"; lblFile names the open year's archive.
inline QWidget *editor(const QString &archive)
{
    auto *w = new QWidget;
    w->setObjectName(QStringLiteral("frmBollettino"));
    auto *file = new QLabel(archive, w);
    file->setObjectName(QStringLiteral("lblFile"));
    auto *position = new QLabel(w);
    position->setObjectName(QStringLiteral("lblPosizione"));
    for (const auto &f : kSlipFields) {
        const QString name = QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
        QWidget *control = nullptr;
        if (name.startsWith(QLatin1String("txt")))
            control = new QLineEdit(w);
        else if (name.startsWith(QLatin1String("chk")))
            control = new QCheckBox(w);
        else
            control = new QLabel(w);
        control->setObjectName(name);
    }
    Forms::add(w);
    return w;
}

inline QString text(QWidget *editor, const char *name)
{
    QWidget *w = editor->findChild<QWidget *>(QString::fromLatin1(name));
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *c = qobject_cast<QCheckBox *>(w))
        return c->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    return QStringLiteral("<missing>");
}
} // namespace SlipFixture

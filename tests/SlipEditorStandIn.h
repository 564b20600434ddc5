#pragma once
// A stand-in for the slip editor frmBollettino: just the fields the print window and the preview read.

#include "core/widgets/Forms.h"

#include <QLineEdit>
#include <QWidget>

struct SlipEditorStandIn {
    QString importo, cents, impLettere, centLettere = QStringLiteral("00"), esecutore, indirizzoRes, capRes, comuneRes;

    // Registers the stand-in under "frmBollettino"; Forms::clear() removes it.
    void install() const
    {
        auto *w = new QWidget;
        w->setObjectName(QStringLiteral("frmBollettino"));
        const QList<QPair<const char *, QString>> fields = {
            {"txtImporto", importo},         {"txtCents", cents},         {"txtImpLettere", impLettere},
            {"txtCentLettere", centLettere}, {"txtEsecutore", esecutore}, {"txtIndirizzoRes", indirizzoRes},
            {"txtCapRes", capRes},           {"txtComuneRes", comuneRes}};
        for (const auto &[name, text] : fields) {
            auto *field = new QLineEdit(text, w);
            field->setObjectName(QString::fromLatin1(name));
        }
        Forms::add(w);
    }
};

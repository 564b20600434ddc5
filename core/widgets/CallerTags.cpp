#include "core/widgets/CallerTags.h"

#include "core/widgets/Controls.h"
#include "core/widgets/EditorFrame.h"
#include "core/widgets/Forms.h"
#include "core/widgets/WindowNames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace CallerTags {
namespace {
struct Target {
    From from;
    QStringView tag;
    QStringView window;
    const char *controls[6];
};

constexpr Target kTargets[] = {
    {From::Calendar, u"bollettino_datascade", WindowNames::bollettino, {"txtDataScade"}},
    {From::Calendar, u"bollettino_datapaga", WindowNames::bollettino, {"txtDataPaga"}},
    {From::Calendar, u"anagrafica_scadeper", WindowNames::anagrafica, {"txtScadePer"}},
    {From::Calendar, u"anagrafica_decorrenza", WindowNames::anagrafica, {"txtDecorrenza"}},
    {From::Calendar, u"anagrafica_scadenza", WindowNames::anagrafica, {"txtScadenza"}},
    {From::ApplicantSearch, u"anagrafica", WindowNames::anagrafica, {}},
    {From::ApplicantSearch,
     u"bollettino",
     WindowNames::bollettino,
     {"txtEsecutore", "txtIndirizzoRes", "txtCapRes", "txtComuneRes"}},
    {From::ApplicantSearch, u"scadenzario", WindowNames::scadenzario, {"txtCliente", "txtCodFisc", "txtRecapito"}},
    {From::Attachments,
     u"anagrafica",
     WindowNames::anagrafica,
     {"lblFile01", "lblDesc01", "lblFile02", "lblDesc02", "lblFile03", "lblDesc03"}},
    {From::Attachments,
     u"bollettino",
     WindowNames::bollettino,
     {"lblFile01", "lblDesc01", "lblFile02", "lblDesc02", "lblFile03", "lblDesc03"}},
};

const Target *find(From from, const QString &tag)
{
    for (const Target &t : kTargets)
        if (t.from == from && t.tag == tag)
            return &t;
    return nullptr;
}
} // namespace

QStringView window(From from, const QString &tag)
{
    const Target *t = find(from, tag);
    return t ? t->window : QStringView();
}

QList<QWidget *> controls(From from, const QString &tag)
{
    const Target *t = find(from, tag);
    QWidget *window = t ? Forms::get(t->window) : nullptr;
    if (!window)
        return {};
    QList<QWidget *> out;
    for (const char *name : t->controls) {
        if (!name)
            break;
        QWidget *w = EditorFrame::ownControl(window, QString::fromLatin1(name));
        if (!w)
            return {};
        out.append(w);
    }
    return out;
}

bool write(From from, const QString &tag, const QStringList &values)
{
    const QList<QWidget *> targets = controls(from, tag);
    if (targets.isEmpty() || targets.size() != values.size())
        return false;
    for (int i = 0; i < targets.size(); ++i) {
        // Handed over whole: a box shorter than the text must not cut it unseen.
        if (auto *e = qobject_cast<QLineEdit *>(targets[i]))
            Controls::setWholeText(e, values[i]);
        else if (auto *l = qobject_cast<QLabel *>(targets[i]))
            l->setText(values[i]);
        else if (auto *c = qobject_cast<QComboBox *>(targets[i]); c && c->lineEdit())
            Controls::setWholeText(c->lineEdit(), values[i]);
        else if (c)
            c->setCurrentText(values[i]);
    }
    return true;
}

QStringList read(From from, const QString &tag)
{
    QStringList out;
    for (QWidget *w : controls(from, tag)) {
        if (auto *e = qobject_cast<QLineEdit *>(w))
            out << e->text();
        else if (auto *l = qobject_cast<QLabel *>(w))
            out << l->text();
        else if (auto *c = qobject_cast<QComboBox *>(w))
            out << c->currentText();
    }
    return out;
}
} // namespace CallerTags

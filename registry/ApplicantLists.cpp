#include "registry/ApplicantLists.h"

#include "core/Formats.h"
#include "core/widgets/Forms.h"
#include "core/ProgramFolder.h"
#include "registry/ApplicantRecord.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ApplicantLists {
namespace {
int field(std::string_view name) {
    return kApplicantLayout.indexOf(name);
}

// Writes into a long-lived window's control by its name; a missing window or control is left alone.
void put(QWidget *window, const char *control, const QString &text) {
    QWidget *w = window ? window->findChild<QWidget *>(QString::fromLatin1(control)) : nullptr;
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(text);
    else if (auto *c = qobject_cast<QComboBox *>(w))
        c->setCurrentText(text);
}

QString joined(const Record &r, std::string_view first, std::string_view second) {
    return r.text(first) + QLatin1Char(' ') + r.text(second);
}
} // namespace

QString editorName() {
    return QStringLiteral("frmAnagrafica");
}

QString archivePath() {
    return ProgramFolder::file(QStringLiteral("Richiedenti.pro"));
}

const LineFormat &searchLine() {
    static const LineFormat f = [] {
        LineFormat l;
        l.joined(field("Cognome"), field("Nome"), 28)
            .literal(QStringLiteral("  C.F. "))
            .column(field("CodFisc"), 16)
            .literal(QStringLiteral("  Datore: "))
            .column(field("Datore"), 24)
            .literal(QStringLiteral("  Tel. "))
            .column(field("Recapito"), 14)
            .literal(QStringLiteral("  Note: "))
            .tail(field("Note"));
        return l;
    }();
    return f;
}

const LineFormat &expiringLine() {
    static const LineFormat f = [] {
        LineFormat l;
        l.joined(field("Cognome"), field("Nome"), 30)
            .literal(QStringLiteral("  C.F. "))
            .column(field("CodFisc"), 16)
            .literal(QStringLiteral("  Tel. "))
            .column(field("Recapito"), 15)
            .literal(QStringLiteral("  Scad. "))
            .column(field("Scadenza"), 10)
            .literal(QStringLiteral("  Datore: "))
            .column(field("Datore"), 30)
            .literal(QStringLiteral("  Reddito: € "))
            .tail(field("Totale"));
        return l;
    }();
    return f;
}

bool expiring(const RecordView &applicant, const QDate &today) {
    static const int scadenza = field("Scadenza"), preavviso = field("Preavviso");
    const QDate expiry = Formats::parseDateText(applicant.text(scadenza));
    bool whole = false;
    const int notice = applicant.text(preavviso).toInt(&whole);
    // Calendar arithmetic: a notice of up to 999 days may cross month and year ends and leap days.
    return expiry.isValid() && whole && expiry.addDays(-notice) <= today;
}

void handBack(const QString &context, const Record &a, qint64 position) {
    if (context == QLatin1String("anagrafica")) {
        if (QWidget *editor = Forms::get(editorName()))
            ResultLines::loadIntoEditor(editor, a, position);
    } else if (context == QLatin1String("bollettino")) {
        // Texts as stored, neither upper-cased nor cut; the slip's own position stays.
        QWidget *slip = Forms::get(QStringLiteral("frmBollettino"));
        put(slip, "txtEsecutore", joined(a, "Cognome", "Nome"));
        put(slip, "txtIndirizzoRes", a.text("Indirizzo"));
        put(slip, "txtCapRes", a.text("Cap"));
        put(slip, "txtComuneRes", joined(a, "ComuneRes", "ProvRes"));
    } else if (context == QLatin1String("scadenzario")) {
        QWidget *agenda = Forms::get(QStringLiteral("frmScadenzario"));
        put(agenda, "txtCliente", joined(a, "Cognome", "Nome"));
        put(agenda, "txtCodFisc", a.text("CodFisc"));
        put(agenda, "txtRecapito", a.text("Recapito"));
    }
}
} // namespace ApplicantLists

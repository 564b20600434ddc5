#include "agenda/DeadlineSheet.h"

#include "agenda/Scadenzario.h"
#include "core/Formats.h"
#include "core/Record.h"
#include "core/Seams.h"
#include "core/report/Report.h"
#include "core/widgets/ReportPrinting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace DeadlineSheet {

Rows rows(const TfrmScadenzario &ed)
{
    const auto t = [](const QLineEdit *e) { return e->text().trimmed(); };
    const auto c = [](const QComboBox *b) { return b->currentText().trimmed(); };
    const auto flag = [](const QCheckBox *box) { return box->isChecked() ? FieldCodec::yes() : FieldCodec::no(); };
    Rows r{
        {QStringLiteral("Data scadenza:"),
         c(ed.txtGiorno) + QLatin1Char(' ') + c(ed.txtMese) + QLatin1Char(' ') + ed.lblAnno->text().trimmed()},
        {QStringLiteral("Ora appuntamento:"), c(ed.txtOreApp) + QLatin1Char(':') + c(ed.txtMinutiApp)},
        {QStringLiteral("Giorni preavviso:"), t(ed.txtAvviso)},
        {QStringLiteral("Richiedente:"), t(ed.txtCliente)},
        {QStringLiteral("Codice fiscale:"), t(ed.txtCodFisc)},
        {QStringLiteral("Telefono preferenziale:"), t(ed.txtRecapito)},
        {QStringLiteral("Oggetto pratica:"), t(ed.txtOggetto)},
        {QStringLiteral("Tipologia:"), t(ed.txtTipologia)},
        {QStringLiteral("Protocollo n."), t(ed.txtProtocollo)},
        {QStringLiteral("Data apertura:"), t(ed.txtApertura)},
        {QStringLiteral("Data chiusura:"), t(ed.txtChiusura)},
        {QStringLiteral("Stato avanzamento:"), t(ed.txtStato)},
        {QStringLiteral("Consulente o curatore:"), t(ed.txtConsulente)},
        {QStringLiteral("Causale scadenza:"), t(ed.txtDettagli)},
        {QStringLiteral("Modalità di pagamento:"), t(ed.txtOfficina)},
        {QStringLiteral("Importo in euro:"), t(ed.txtCosto)},
        {QStringLiteral("Estremi ricevuta:"), t(ed.txtContatto)},
        {QStringLiteral("Note:"), t(ed.txtNote)},
        {QStringLiteral("Appuntamento da confermare:"), flag(ed.chkDaConfermare)},
        {QStringLiteral("Pagamento effettuato:"), flag(ed.chkEffettuata)},
    };
    // The last four rows print as empty bars.
    while (r.size() < 24)
        r.append({QStringLiteral(" "), QStringLiteral(" ")});
    return r;
}

bool print(QWidget *parent, const Rows &rows)
{
    Report report;
    if (!report.load(QStringLiteral(":/reports/repScheda.json"))) {
        Seams::Messages::error(parent,
                               QStringLiteral("Attenzione: il modello di stampa della scheda non è disponibile."));
        return false;
    }
    report.setOrientation(QPageLayout::Portrait);
    report.setText(QStringLiteral("txtTitolo"), QStringLiteral("SCHEDA SCADENZA / APPUNTAMENTO"));
    for (int n = 1; n <= rows.size() && n <= 24; ++n) {
        const QString row = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        report.setText(QStringLiteral("titCampo") + row, rows[n - 1].first);
        report.setText(QStringLiteral("txtCampo") + row, rows[n - 1].second);
    }
    const QDateTime now = Seams::Clock::now();
    report.setText(QStringLiteral("txtCalce"), QStringLiteral("Stampa eseguita in data ") +
                                                   Formats::dateText(now.date()) + QStringLiteral(" alle ore ") +
                                                   now.time().toString(QStringLiteral("HH:mm:ss")));
    // The first row is the deadline's day as "05 Marzo 2014": the print is named after it.
    const QStringList when = rows.isEmpty() ? QStringList() : rows.first().second.split(QLatin1Char(' '));
    int month = 0;
    for (int m = 1; m <= 12 && when.size() == 3; ++m)
        if (QLocale(QLocale::Italian).monthName(m).compare(when[1], Qt::CaseInsensitive) == 0)
            month = m;
    const QDate day = when.size() == 3 ? QDate(when[2].toInt(), month, when[0].toInt()) : QDate();
    report.setName(ReportPrinting::documentName(
        {QStringLiteral("Scadenza"), (day.isValid() ? day : now.date()).toString(Qt::ISODate)}));
    report.prepare();
    return ReportPrinting::print(report, parent);
}

} // namespace DeadlineSheet

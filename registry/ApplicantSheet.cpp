#include "registry/ApplicantSheet.h"

#include "core/Formats.h"
#include "core/Seams.h"
#include "core/report/Report.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "core/widgets/ReportPrinting.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
// A row's value: one editor control, or two joined by a separator text. Every control is read trimmed.
struct SheetValue {
    const char *object;
    const char *first;
    const char *separator = nullptr;
    const char *second = nullptr;
};
constexpr SheetValue kValues[] = {
    {"txtRichiedente", "txtCognome", " ", "txtNome"},
    {"txtCodFisc", "txtCodFisc"},
    {"txtSesso", "txtSesso"},
    {"txtDataNasc", "txtDataNasc"},
    {"txtCittaNasc", "txtCittaNasc", "    -    Stato:  ", "txtStatoNasc"},
    {"txtIva", "txtIva"},
    {"txtIndirizzo", "txtIndirizzo"},
    {"txtCap", "txtCap"},
    {"txtComuneRes", "txtComuneRes", " ", "txtProvRes"},
    {"txtStatoCit", "txtStatoCit"},
    {"txtIngresso", "txtIngresso"},
    {"txtRecapito", "txtRecapito"},
    {"txtTelCasa", "txtTelCasa"},
    {"txtTelCel", "txtTelCel"},
    {"txtTelUff", "txtTelUff"},
    {"txtEmail", "txtEmail"},
    {"txtPermesso", "txtPermesso"},
    {"txtScadePer", "txtScadePer"},
    {"txtComuniSog", "txtComuniSog"},
    {"txtIban", "txtIban"},
    {"txtIntestatario", "txtIntestatario"},
    {"txtBanca", "txtBanca"},
    {"txtCarta", "txtCarta"},
    {"txtScadeCarta", "txtScadeCarta"},
    {"txtTipoLavoro", "txtTipoLavoro"},
    {"txtPrecedenti", "txtPrecedenti"},
    {"txtNote", "txtNote"},
    {"txtTipoDoc", "txtTipoDoc"},
    {"txtNumDoc", "txtNumDoc"},
    {"txtEnteRil", "txtEnteRil"},
    {"txtDataRil", "txtDataRil"},
    {"txtDataSca", "txtDataSca"},
    {"txtCivile", "txtCivile"},
    {"txtConiuge", "txtConiuge"},
    {"txtFigli", "txtFigli"},
    {"txtDatore", "txtDatore"},
    {"txtDecorrenza", "txtDecorrenza"},
    {"txtScadenza", "txtScadenza"},
    {"txtTotale", "txtTotale"},
    {"txtContratto", "txtContratto"},
};
static_assert(std::size(kValues) == 40);

QString onScreen(const QWidget *editor, const char *control)
{
    const QWidget *w = editor ? editor->findChild<QWidget *>(QString::fromLatin1(control)) : nullptr;
    QString text;
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        text = e->text();
    else if (auto *c = qobject_cast<const QComboBox *>(w))
        text = c->currentText();
    else if (auto *p = qobject_cast<const QPlainTextEdit *>(w))
        text = p->toPlainText();
    else if (auto *l = qobject_cast<const QLabel *>(w))
        text = l->text();
    return text.trimmed();
}
} // namespace

namespace ApplicantSheet {
QString footer()
{
    const QDateTime now = Seams::Clock::now();
    return QStringLiteral("Stampa eseguita in data ") + Formats::dateText(Seams::Clock::today()) +
           QStringLiteral(" alle ore ") + Formats::timeText(now.time());
}

bool prepare(Report &report)
{
    if (!report.load(QStringLiteral(":/reports/repDocumento.json")))
        return false;
    report.setOrientation(QPageLayout::Portrait);
    const QWidget *editor = Forms::get(WindowNames::anagrafica);
    for (const SheetValue &v : kValues) {
        QString text = onScreen(editor, v.first);
        if (v.second)
            text += QString::fromUtf8(v.separator) + onScreen(editor, v.second);
        report.setText(QString::fromLatin1(v.object), text);
    }
    report.setText(QStringLiteral("txtCalce"), footer());
    report.setName(ReportPrinting::documentName({QStringLiteral("Scheda"), onScreen(editor, "txtCognome")}));
    report.prepare();
    return true;
}
} // namespace ApplicantSheet

TSheetDialog::TSheetDialog(const QString &name, const QString &caption, const QString &action, Output output,
                           QWidget *parent)
    : QDialog(parent), m_output(output)
{
    Formats::applyProcessFormats();
    setObjectName(name);
    setWindowTitle(caption);
    WindowStyle::fixedDialog(this);

    auto *logo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/logo.svg"), QSize(64, 64), this);
    auto *picture = new Picture(QStringLiteral("imgStampa"),
                                output == Output::Print ? QStringLiteral(":/icons/print.svg")
                                                        : QStringLiteral(":/icons/preview.svg"),
                                QSize(64, 64), this);
    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setAutoDefault(false);
    btnStampa = new QPushButton(action, this);
    btnStampa->setObjectName(QStringLiteral("btnStampa"));
    btnStampa->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(logo);
    top->addSpacing(24);
    top->addWidget(picture);
    top->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addWidget(btnStampa);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnAnnulla, &QPushButton::clicked, this, &TSheetDialog::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TSheetDialog::btnStampaClick);
}

void TSheetDialog::showEvent(QShowEvent *e)
{
    if (!e->spontaneous())
        WindowStyle::centre(this, parentWidget());
    QDialog::showEvent(e);
}

void TSheetDialog::btnAnnullaClick()
{
    close();
}

void TSheetDialog::btnStampaClick()
{
    // Failures of the engine or the printer are the engine's to report.
    Report report;
    if (ApplicantSheet::prepare(report)) {
        if (m_output == Output::Print)
            ReportPrinting::print(report, this);
        else
            ReportPrinting::preview(report, this);
    }
    close();
}

#include "core/widgets/Calendario.h"

#include "core/Formats.h"
#include "core/widgets/Forms.h"
#include "core/Seams.h"
#include "core/widgets/WindowStyle.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct Target {
    const char *tag;
    const char *editor;
    const char *field;
};
constexpr Target kTargets[] = {
    {"bollettino_datascade", "frmBollettino", "txtDataScade"},
    {"bollettino_datapaga", "frmBollettino", "txtDataPaga"},
    {"anagrafica_scadeper", "frmAnagrafica", "txtScadePer"},
    {"anagrafica_decorrenza", "frmAnagrafica", "txtDecorrenza"},
    {"anagrafica_scadenza", "frmAnagrafica", "txtScadenza"},
};
} // namespace

TfrmCalendario::TfrmCalendario(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    WindowStyle::fixedDialog(this);
    Formats::applyProcessFormats();

    lblCampo001 = new QLabel(QStringLiteral("Importare una data:"), this);
    lblCampo001->setObjectName(QStringLiteral("lblCampo001"));
    calAppuntamenti = new QCalendarWidget(this);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setGridVisible(true);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setSelectedDate(Seams::Clock::today());
    btnImportaData = new QPushButton(QStringLiteral("Importa"), this);
    btnImportaData->setObjectName(QStringLiteral("btnImportaData"));
    btnImportaData->setDefault(true);
    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    lblMemory = new QLabel(QStringLiteral("lblMemory"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    connect(btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    // A double click on a day imports it, as users of calendars expect.
    connect(calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnImportaData);
    buttons->addWidget(btnAnnulla);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblCampo001);
    layout->addWidget(calAppuntamenti);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(calAppuntamenti, btnImportaData);
    setTabOrder(btnImportaData, btnAnnulla);
}

void TfrmCalendario::pickDate(QWidget *parent, const QString &callerTag)
{
    auto *w = new TfrmCalendario(parent);
    w->lblMemory->setText(callerTag);
    w->adjustSize(); // centred at its real size, not the size before its layout ran
    WindowStyle::centre(w, parent ? parent->window() : nullptr);
    w->exec();
    delete w;
    // Typing goes on in the editor, also where no window manager hands the focus back.
    if (parent)
        parent->window()->activateWindow();
}

void TfrmCalendario::btnImportaDataClick()
{
    const QString tag = lblMemory->text();
    for (const auto &t : kTargets) {
        if (tag != QLatin1String(t.tag))
            continue;
        // An editor that is not part of the program yet leaves the window as it is.
        auto *editor = Forms::get(QString::fromLatin1(t.editor));
        auto *field = editor ? editor->findChild<QLineEdit *>(QString::fromLatin1(t.field)) : nullptr;
        if (!field)
            return;
        field->setText(Formats::dateText(calAppuntamenti->selectedDate()));
        accept();
        return;
    }
}

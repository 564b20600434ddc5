#include "core/widgets/Calendario.h"

#include "core/Formats.h"
#include "core/widgets/CallerTags.h"
#include "core/widgets/Forms.h"
#include "core/Seams.h"
#include "core/widgets/WindowStyle.h"
#include "core/widgets/WindowNames.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalendario::TfrmCalendario(QWidget *parent) : QDialog(parent)
{
    setObjectName(WindowNames::calendario.toString());
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
    // An editor that is not part of the program yet leaves the window as it is.
    if (CallerTags::write(CallerTags::From::Calendar, lblMemory->text(),
                          {Formats::dateText(calAppuntamenti->selectedDate())}))
        accept();
}

#include "core/widgets/Calendario.h"

#include "core/Formats.h"
#include "core/Seams.h"
#include "core/widgets/CallerTags.h"
#include "core/widgets/Forms.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TfrmCalendario::TfrmCalendario(QWidget *parent) : QDialog(parent)
{
    setObjectName(WindowNames::calendario.toString());
    setWindowTitle(QStringLiteral(" Importazione data"));
    WindowStyle::fixedDialog(this);
    Formats::applyProcessFormats();

    lblCampo001 = new QLabel(QStringLiteral("Importare una data:"), this);
    lblCampo001->setObjectName(QStringLiteral("lblCampo001"));
    txtData = new QLineEdit(this);
    txtData->setObjectName(QStringLiteral("txtData"));
    txtData->setMaxLength(10);
    txtData->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    txtData->setToolTip(QStringLiteral("Scrivere la data come gg/mm/aaaa, oppure sceglierla sul calendario"));
    lblCampo001->setBuddy(txtData);
    calAppuntamenti = new QCalendarWidget(this);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setGridVisible(true);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The calendar's own typing box reads digits in the locale's short form and can show and hand over
    // nonsense dates; typing goes to txtData instead. The range is what the archives' dates can hold.
    calAppuntamenti->setDateEditEnabled(false);
    calAppuntamenti->setDateRange(Formats::firstTypedDate(), Formats::lastTypedDate());
    calAppuntamenti->setSelectedDate(Seams::Clock::today());
    lblSuggerimento = new QLabel(this);
    lblSuggerimento->setObjectName(QStringLiteral("lblSuggerimento"));
    lblSuggerimento->setStyleSheet(QStringLiteral("color: #A02020;"));
    lblSuggerimento->setWordWrap(true);
    lblSuggerimento->hide();
    showSelectedDate();
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
    connect(calAppuntamenti, &QCalendarWidget::selectionChanged, this, &TfrmCalendario::showSelectedDate);
    connect(txtData, &QLineEdit::textEdited, this, &TfrmCalendario::readTypedText);
    // A year typed in the heading only turns the page; the chosen day goes with it, or Importa would hand over
    // the day of the year left behind. Paging by month never keeps the month while changing the year.
    connect(calAppuntamenti, &QCalendarWidget::currentPageChanged, this, [this](int year, int month) {
        const QDate chosen = calAppuntamenti->selectedDate();
        if (month != chosen.month() || year == chosen.year())
            return;
        const QDate moved = chosen.addYears(year - chosen.year());
        if (moved >= Formats::firstTypedDate() && moved <= Formats::lastTypedDate())
            calAppuntamenti->setSelectedDate(moved);
    });
    // Digits typed on the day grid start a typed date.
    for (QWidget *grid : calAppuntamenti->findChildren<QWidget *>(QStringLiteral("qt_calendar_calendarview")))
        grid->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnImportaData);
    buttons->addWidget(btnAnnulla);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblCampo001);
    layout->addWidget(txtData);
    layout->addWidget(calAppuntamenti);
    layout->addWidget(lblSuggerimento);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(txtData, calAppuntamenti);
    setTabOrder(calAppuntamenti, btnImportaData);
    setTabOrder(btnImportaData, btnAnnulla);
    // The arrows move along the days at once; the first digit typed there starts a typed date.
    calAppuntamenti->setFocus(Qt::OtherFocusReason);
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

void TfrmCalendario::showSelectedDate()
{
    lblSuggerimento->hide();
    if (!m_fromTyping)
        txtData->setText(Formats::dateText(calAppuntamenti->selectedDate()));
}

void TfrmCalendario::readTypedText()
{
    lblSuggerimento->hide();
    const QDate typed = Formats::readTypedDate(txtData->text());
    if (!typed.isValid())
        return;
    m_fromTyping = true;
    calAppuntamenti->setSelectedDate(typed);
    m_fromTyping = false;
}

bool TfrmCalendario::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        const QString text = k->text();
        if (text.size() == 1 && (text[0].isDigit() || text[0] == QLatin1Char('/')) &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            txtData->setFocus(Qt::OtherFocusReason);
            txtData->setText(text);
            readTypedText();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCalendario::btnImportaDataClick()
{
    // A year still being typed in the heading counts as chosen.
    if (auto *year = calAppuntamenti->findChild<QSpinBox *>(QStringLiteral("qt_calendar_yearedit"));
        year && year->isVisible()) {
        year->interpretText();
        calAppuntamenti->setCurrentPage(year->value(), calAppuntamenti->monthShown());
        calAppuntamenti->setFocus(Qt::OtherFocusReason); // closes the heading's year box
    }
    const QDate chosen = Formats::readTypedDate(txtData->text());
    if (!chosen.isValid()) {
        lblSuggerimento->setText(QStringLiteral("Data non valida: scrivere giorno, mese e anno come gg/mm/aaaa "
                                                "(anni dal 1900 al 2099), oppure sceglierla sul calendario."));
        lblSuggerimento->show();
        txtData->setFocus(Qt::OtherFocusReason);
        txtData->selectAll();
        return;
    }
    // An editor that is not part of the program yet leaves the window as it is.
    if (CallerTags::write(CallerTags::From::Calendar, lblMemory->text(), {Formats::dateText(chosen)}))
        accept();
}

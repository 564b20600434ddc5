#include "slips/StampaBolTer.h"

#include "core/Formats.h"
#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"
#include "core/report/Report.h"
#include "core/widgets/Picture.h"
#include "core/widgets/ReportPrinting.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"
#include "slips/ProvaAllineamento.h"
#include "slips/SlipOnScreen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <optional>

namespace {
QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// The furthest shift that still puts the print on the form; a stored value beyond it is brought back to it.
constexpr int kMarginLimit = 50;

int clampMargin(qint64 mm)
{
    return int(qBound(qint64(-kMarginLimit), mm, qint64(kMarginLimit)));
}

// Whole millimetres, clamped; nothing when the text is no whole number. Blank reads as 0.
std::optional<int> parseMargin(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    if (!whole.match(t).hasMatch())
        return std::nullopt;
    bool fits = false;
    const qint64 mm = t.toLongLong(&fits);
    // Too many digits for any integer: only its sign matters once clamped.
    return fits ? clampMargin(mm) : (t.startsWith(QLatin1Char('-')) ? -kMarginLimit : kMarginLimit);
}

QLineEdit *marginField(const QString &name, QWidget *parent)
{
    auto *f = new QLineEdit(QStringLiteral("0"), parent);
    f->setObjectName(name);
    f->setReadOnly(true);
    f->setAlignment(Qt::AlignCenter);
    f->setFixedWidth(56);
    return f;
}
} // namespace

TfrmStampaBolTer::TfrmStampaBolTer(QWidget *parent) : QDialog(parent)
{
    Formats::applyProcessFormats();
    setObjectName(WindowNames::stampaBolTer.toString());
    setWindowTitle(QStringLiteral(" Stampa bollettino postale PSE - TD 674"));
    WindowStyle::fixedDialog(this);

    imgMargini =
        new Picture(QStringLiteral("imgMargini"), QStringLiteral(":/icons/margins.svg"), QSize(220, 150), this);
    txtTop = marginField(QStringLiteral("txtTop"), this);
    btnTopMinus = button(QStringLiteral("btnTopMinus"), QStringLiteral("-"), this);
    btnTopPlus = button(QStringLiteral("btnTopPlus"), QStringLiteral("+"), this);
    btnApplicaTop = button(QStringLiteral("btnApplicaTop"), QStringLiteral("Applica"), this);
    txtLeft = marginField(QStringLiteral("txtLeft"), this);
    btnLeftMinus = button(QStringLiteral("btnLeftMinus"), QStringLiteral("-"), this);
    btnLeftPlus = button(QStringLiteral("btnLeftPlus"), QStringLiteral("+"), this);
    btnApplicaLeft = button(QStringLiteral("btnApplicaLeft"), QStringLiteral("Applica"), this);
    btnAnnulla = button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    btnStampa = button(QStringLiteral("btnStampa"), QStringLiteral("Stampa su bollettino PSE"), this);
    for (auto *b : {btnTopMinus, btnTopPlus, btnLeftMinus, btnLeftPlus})
        b->setFixedWidth(32);

    connect(btnTopMinus, &QPushButton::clicked, this, &TfrmStampaBolTer::btnTopMinusClick);
    connect(btnTopPlus, &QPushButton::clicked, this, &TfrmStampaBolTer::btnTopPlusClick);
    connect(btnLeftMinus, &QPushButton::clicked, this, &TfrmStampaBolTer::btnLeftMinusClick);
    connect(btnLeftPlus, &QPushButton::clicked, this, &TfrmStampaBolTer::btnLeftPlusClick);
    connect(btnApplicaTop, &QPushButton::clicked, this, &TfrmStampaBolTer::btnApplicaTopClick);
    connect(btnApplicaLeft, &QPushButton::clicked, this, &TfrmStampaBolTer::btnApplicaLeftClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaBolTer::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStampaBolTer::btnStampaClick);
    btnProvaAllineamento =
        button(QStringLiteral("btnProvaAllineamento"), QStringLiteral("Prova di allineamento"), this);
    connect(btnProvaAllineamento, &QPushButton::clicked, this, &TfrmStampaBolTer::btnProvaAllineamentoClick);

    auto *margins = new QGroupBox(QStringLiteral("Margini di stampa"), this);
    auto *grid = new QGridLayout(margins);
    auto addRow = [grid, margins](int row, const QString &caption, QLineEdit *field, QPushButton *minus,
                                  QPushButton *plus, QPushButton *apply) {
        grid->addWidget(new QLabel(caption, margins), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("mm"), margins), row, 2);
        grid->addWidget(minus, row, 3);
        grid->addWidget(plus, row, 4);
        grid->addWidget(apply, row, 5);
    };
    addRow(0, QStringLiteral("Margine superiore:"), txtTop, btnTopMinus, btnTopPlus, btnApplicaTop);
    addRow(1, QStringLiteral("Margine sinistro:"), txtLeft, btnLeftMinus, btnLeftPlus, btnApplicaLeft);
    auto *hint = new QLabel(QStringLiteral("Valori positivi spostano la stampa verso il basso o verso destra, "
                                           "valori negativi verso l'alto o verso sinistra."),
                            margins);
    hint->setWordWrap(true);
    grid->addWidget(hint, 2, 0, 1, 6);
    panInfo = new QLabel(margins);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setTextFormat(Qt::PlainText);
    panInfo->setStyleSheet(QStringLiteral("color: #DC143C;"));
    grid->addWidget(panInfo, 4, 0, 1, 6);
    grid->addWidget(btnProvaAllineamento, 3, 0, 1, 6);

    auto *top = new QHBoxLayout;
    top->addWidget(imgMargini, 0, Qt::AlignTop);
    top->addWidget(margins, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAnnulla);
    buttons->addWidget(btnStampa);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(btnStampa, btnAnnulla);
}

QString TfrmStampaBolTer::iniPath()
{
    return ProgramFolder::file(QStringLiteral("Bollettini.ini"));
}

QString TfrmStampaBolTer::iniSection()
{
    return QStringLiteral("Margini Stampa Bollettino PSE");
}

void TfrmStampaBolTer::showEvent(QShowEvent *e)
{
    FormShow();
    WindowStyle::centre(this);
    QDialog::showEvent(e);
}

void TfrmStampaBolTer::FormShow()
{
    // A missing or blank value shows 0; one beyond the form is brought back to its edge; one that is no whole
    // number shows 0, and the status line says so rather than let the user print from it unaware.
    QStringList notes;
    auto load = [&notes](QLineEdit *field, const QString &key, const QString &which) {
        const QString stored = IniFile::read(iniPath(), iniSection(), key).trimmed();
        const auto mm = parseMargin(stored);
        field->setText(QString::number(mm.value_or(0)));
        if (!mm)
            notes.append(
                QStringLiteral("Il margine %1 memorizzato non è un numero intero: viene mostrato 0.").arg(which));
        else if (stored.toLongLong() != *mm && !stored.isEmpty())
            notes.append(QStringLiteral("Il margine %1 memorizzato supera i %2 mm ammessi: viene mostrato %3.")
                             .arg(which)
                             .arg(kMarginLimit)
                             .arg(*mm));
    };
    load(txtTop, QStringLiteral("Superiore"), QStringLiteral("superiore"));
    load(txtLeft, QStringLiteral("Sinistro"), QStringLiteral("sinistro"));
    panInfo->setText(notes.join(QLatin1Char('\n')));
    layout()->activate(); // the window grows to the notes before it is first painted
}

int TfrmStampaBolTer::marginOf(const QLineEdit *field)
{
    return parseMargin(field->text()).value_or(0);
}

void TfrmStampaBolTer::step(QLineEdit *field, int delta)
{
    field->setText(QString::number(clampMargin(qint64(marginOf(field)) + delta)));
}

void TfrmStampaBolTer::btnTopMinusClick()
{
    step(txtTop, -1);
}
void TfrmStampaBolTer::btnTopPlusClick()
{
    step(txtTop, +1);
}
void TfrmStampaBolTer::btnLeftMinusClick()
{
    step(txtLeft, -1);
}
void TfrmStampaBolTer::btnLeftPlusClick()
{
    step(txtLeft, +1);
}

void TfrmStampaBolTer::apply(const QLineEdit *field, const QString &key)
{
    if (!IniFile::write(iniPath(), iniSection(), key, field->text().trimmed()))
        Seams::Messages::warning(this, QStringLiteral("Attenzione: non è stato possibile salvare il margine nel file "
                                                      "Bollettini.ini.\n\r\n\rLa stampa utilizzerà comunque i valori "
                                                      "indicati."));
}

void TfrmStampaBolTer::btnApplicaTopClick()
{
    apply(txtTop, QStringLiteral("Superiore"));
}
void TfrmStampaBolTer::btnApplicaLeftClick()
{
    apply(txtLeft, QStringLiteral("Sinistro"));
}

void TfrmStampaBolTer::btnAnnullaClick()
{
    reject();
}

void TfrmStampaBolTer::fillReport(Report &report, int topMm, int leftMm)
{
    report.setTopMargin(topMm);
    report.setLeftMargin(leftMm);
    const SlipOnScreen slip = SlipOnScreen::fromEditor();
    auto put = [&report](const QString &name, const QString &text) { report.setText(name, text); };
    auto spread = [&put](const QString &prefix, const QString &suffix, const QString &chars, int first = 1) {
        for (int k = 0; k < chars.size(); ++k)
            put(prefix + QStringLiteral("%1").arg(first + k, 2, 10, QLatin1Char('0')) + suffix, chars.mid(k, 1));
    };

    const QString words = slip.wordsLine();
    put(QStringLiteral("txtImpLettere"), words);
    put(QStringLiteral("txtImpLettere_B"), words);
    put(QStringLiteral("txtImpLettere_C"), words);
    for (const QString &section : {QStringLiteral("_A"), QStringLiteral("_C"), QStringLiteral("_B")}) {
        spread(QStringLiteral("txtImporto"), section, slip.euroBoxes());
        spread(QStringLiteral("txtCents"), section, slip.centBoxesRight());
    }

    const QString address = slip.indirizzoRes.trimmed() + QLatin1Char(' ') + slip.capRes.trimmed() + QLatin1Char(' ') +
                            slip.comuneRes.trimmed();
    put(QStringLiteral("txtEsecutore"), slip.esecutore.trimmed());
    put(QStringLiteral("txtEsecutore_C"), slip.esecutore.trimmed());
    put(QStringLiteral("txtIndirizzoRes"), address);
    put(QStringLiteral("txtIndirizzoRes_C"), address);

    spread(QStringLiteral("txtEsecutore"), {}, SlipOnScreen::leftBoxes(slip.esecutore, 44));
    spread(QStringLiteral("txtIndirizzoRes"), {}, SlipOnScreen::leftBoxes(slip.indirizzoRes, 22));
    spread(QStringLiteral("txtCapRes"), {}, SlipOnScreen::leftBoxes(slip.capRes, 5));
    spread(QStringLiteral("txtComuneRes"), {}, SlipOnScreen::leftBoxes(slip.comuneRes, 16));
}

void TfrmStampaBolTer::btnStampaClick()
{
    Report report;
    if (!report.load(QStringLiteral(":/reports/repBollettino_Blank.json"))) {
        Seams::Messages::error(this,
                               QStringLiteral("Attenzione: il modello di stampa del bollettino non è disponibile."));
        return;
    }
    fillReport(report, marginOf(txtTop), marginOf(txtLeft));
    report.setName(ReportPrinting::documentName({QStringLiteral("Bollettino"), SlipOnScreen::fromEditor().esecutore,
                                                 Seams::Clock::today().toString(Qt::ISODate)}));
    report.prepare();
    ReportPrinting::print(report, this);
    accept();
}

// The margins on screen, applied or not; Bollettini.ini stays as it is and the window stays open.
void TfrmStampaBolTer::btnProvaAllineamentoClick()
{
    AlignmentPrint::print(this, marginOf(txtTop), marginOf(txtLeft));
}

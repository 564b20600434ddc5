#include "slips/AnteprimaPse.h"

#include "core/Formats.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"
#include "slips/SlipOnScreen.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Left edges of the box rows of the picture, in pixels.
const QList<int> kEuroLefts = {622, 645, 669, 692, 716, 740, 763, 787};
const QList<int> kCentLefts = {814, 838};
const QList<int> kRowLefts = {326, 349, 373, 397, 420, 443, 467, 490, 515, 537, 562,
                              585, 608, 632, 655, 679, 702, 726, 750, 773, 797, 820};
const QList<int> kCapLefts = {326, 349, 373, 397, 420};
const QList<int> kTownLefts = {467, 490, 515, 537, 562, 585, 608, 632, 655, 679, 702, 726, 750, 773, 797, 820};

QLabel *overlay(QWidget *panel, const QString &name, int left, int top, int width, Qt::Alignment align, int points)
{
    auto *l = new QLabel(QStringLiteral("X"), panel);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText); // stored texts are shown as typed, never as markup
    QFont f(QStringLiteral("Arial"));
    if (points > 0)
        f.setPointSize(points);
    l->setFont(f);
    l->setAlignment(align);
    l->setStyleSheet(QStringLiteral("QLabel { color: #000000; background: transparent; }"));
    l->setGeometry(left, top, width, 22);
    return l;
}

QList<QLabel *> cells(QWidget *panel, const QString &prefix, const QList<int> &lefts, int top, int first = 1)
{
    QList<QLabel *> out;
    for (int i = 0; i < lefts.size(); ++i)
        out.append(overlay(panel, prefix + QStringLiteral("%1").arg(first + i, 2, 10, QLatin1Char('0')), lefts[i], top,
                           20, Qt::AlignCenter, 12));
    return out;
}

void spread(const QList<QLabel *> &labels, const QString &chars)
{
    for (int k = 0; k < labels.size(); ++k)
        labels[k]->setText(chars.mid(k, 1));
}
} // namespace

TfrmAnteprimaPse::TfrmAnteprimaPse(QWidget *parent) : QDialog(parent)
{
    Formats::applyProcessFormats();
    setObjectName(WindowNames::anteprimaPse.toString());
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    WindowStyle::fixedDialog(this);

    panCorpo = new QWidget(this);
    panCorpo->setObjectName(QStringLiteral("panCorpo"));
    panCorpo->setFixedSize(862, 530);
    imgCorpo = new Picture(QStringLiteral("imgCorpo"), QStringLiteral(":/icons/slip_section_b.svg"), QSize(862, 530),
                           panCorpo);
    imgCorpo->setGeometry(0, 0, 862, 530);

    txtImporto = cells(panCorpo, QStringLiteral("txtImporto"), kEuroLefts, 58);
    txtCents = cells(panCorpo, QStringLiteral("txtCents"), kCentLefts, 58);
    txtImpLettere =
        overlay(panCorpo, QStringLiteral("txtImpLettere"), 256, 112, 611, Qt::AlignLeft | Qt::AlignVCenter, 0);
    txtEse = cells(panCorpo, QStringLiteral("txtEse"), kRowLefts, 290);
    txtEse += cells(panCorpo, QStringLiteral("txtEse"), kRowLefts, 320, 23);
    txtInd = cells(panCorpo, QStringLiteral("txtInd"), kRowLefts, 365);
    txtCap = cells(panCorpo, QStringLiteral("txtCap"), kCapLefts, 411);
    txtCom = cells(panCorpo, QStringLiteral("txtCom"), kTownLefts, 411);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setAutoDefault(false);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmAnteprimaPse::btnChiudiClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panCorpo);
    layout->addWidget(btnChiudi, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAnteprimaPse::fillFromEditor()
{
    fill(SlipOnScreen::fromEditor());
}

void TfrmAnteprimaPse::fill(const SlipOnScreen &slip)
{
    txtImpLettere->setText(slip.wordsLine());
    spread(txtImporto, slip.euroBoxes());
    // Left-aligned here, unlike the print: a single unpadded cent digit shows in the first box.
    spread(txtCents, slip.centBoxesLeft());
    spread(txtEse, SlipOnScreen::leftBoxes(slip.esecutore, 44));
    spread(txtInd, SlipOnScreen::leftBoxes(slip.indirizzoRes, 22));
    spread(txtCap, SlipOnScreen::leftBoxes(slip.capRes, 5));
    spread(txtCom, SlipOnScreen::leftBoxes(slip.comuneRes, 16));
}

void TfrmAnteprimaPse::btnChiudiClick()
{
    close();
}

void TfrmAnteprimaPse::showEvent(QShowEvent *e)
{
    WindowStyle::centre(this);
    QDialog::showEvent(e);
}

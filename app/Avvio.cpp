#include "app/Avvio.h"

#include "app/CopieSicurezza.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "core/Formats.h"
#include "core/HelpTexts.h"
#include "core/OpenURL.h"
#include "core/Seams.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Navigation.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmAvvio::TfrmAvvio(QWidget *parent) : QWidget(parent)
{
    setObjectName(WindowNames::avvio.toString());
    setWindowTitle(QStringLiteral(" Versalia"));
    Formats::applyProcessFormats();
    setStyleSheet(QStringLiteral("TfrmAvvio { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EEF2F7, "
                                 "stop:1 #D5DEE9); } QFrame#panMenu { background: white; border-radius: 14px; }"));

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panMenu"));
    auto pic = [panel](const char *name, const char *svg, QSize size) {
        return new Picture(QString::fromLatin1(name), QStringLiteral(":/icons/") + QString::fromLatin1(svg), size,
                           panel);
    };
    imgTitolo = pic("imgTitolo", "title.svg", {420, 80});
    imgSottotitolo = pic("imgSottotitolo", "subtitle.svg", {560, 40});
    imgAnagrafica = pic("imgAnagrafica", "tile_anagrafica.svg", {200, 200});
    btnAnagrafica = pic("btnAnagrafica", "btn_anagrafica.svg", {200, 46});
    infAnagrafica = pic("infAnagrafica", "inf_anagrafica.svg", {200, 82});
    imgBollettini = pic("imgBollettini", "tile_bollettini.svg", {200, 200});
    btnBollettini = pic("btnBollettini", "btn_bollettini.svg", {200, 46});
    infBollettini = pic("infBollettini", "inf_bollettini.svg", {200, 82});
    imgScadenze = pic("imgScadenze", "tile_scadenze.svg", {200, 200});
    btnScadenze = pic("btnScadenze", "btn_scadenze.svg", {200, 46});
    infScadenze = pic("infScadenze", "inf_scadenze.svg", {200, 82});
    imgInfo = pic("imgInfo", "info.svg", {40, 40});
    imgGuida = pic("imgGuida", "help.svg", {40, 40});
    imgCopyright = pic("imgCopyright", "copyright.svg", {28, 28});
    imgSito = pic("imgSito", "web_banner.svg", {700, 60});
    imgEsci = pic("imgEsci", "exit.svg", {40, 40});
    imgCopie = pic("imgCopie", "copies.svg", {32, 32});
    lnkCopie = new Link(QStringLiteral("lnkCopie"), QStringLiteral("Copie di sicurezza"), panel);
    lnkCopie->pairWith(imgCopie);
    connect(lnkCopie, &Link::clicked, this, &TfrmAvvio::imgCopieClick);

    const auto column = [](Picture *a, Picture *b, Picture *c, void (TfrmAvvio::*slot)(), TfrmAvvio *self) {
        for (Picture *p : {a, b, c}) {
            p->setCursor(Qt::PointingHandCursor);
            QObject::connect(p, &Picture::clicked, self, slot);
        }
    };
    column(imgAnagrafica, btnAnagrafica, infAnagrafica, &TfrmAvvio::imgAnagraficaClick, this);
    column(imgBollettini, btnBollettini, infBollettini, &TfrmAvvio::imgBollettiniClick, this);
    column(imgScadenze, btnScadenze, infScadenze, &TfrmAvvio::imgScadenzeClick, this);
    for (auto [p, slot] : {std::pair{imgInfo, &TfrmAvvio::imgInfoClick},
                           {imgGuida, &TfrmAvvio::imgGuidaClick},
                           {imgCopyright, &TfrmAvvio::imgCopyrightClick},
                           {imgSito, &TfrmAvvio::imgSitoClick},
                           {imgEsci, &TfrmAvvio::imgEsciClick}}) {
        p->setCursor(Qt::PointingHandCursor);
        connect(p, &Picture::clicked, this, slot);
    }

    // Tiles and icons take the focus in reading order; Enter or Space opens them (one stop per column).
    Picture *previous = nullptr;
    for (Picture *p :
         {imgInfo, imgCopie, imgGuida, imgAnagrafica, imgBollettini, imgScadenze, imgCopyright, imgSito, imgEsci}) {
        p->setFocusPolicy(Qt::TabFocus); // a mouse click opens, it does not mark
        if (previous)
            setTabOrder(previous, p);
        previous = p;
    }

    auto *top = new QHBoxLayout;
    auto *information = new QVBoxLayout;
    information->addWidget(imgInfo, 0, Qt::AlignLeft);
    auto *copies = new QHBoxLayout;
    copies->addWidget(imgCopie);
    copies->addWidget(lnkCopie);
    information->addLayout(copies);
    information->addStretch();
    top->addLayout(information);
    top->addStretch();
    auto *titles = new QVBoxLayout;
    titles->addWidget(imgTitolo, 0, Qt::AlignHCenter);
    titles->addWidget(imgSottotitolo, 0, Qt::AlignHCenter);
    top->addLayout(titles);
    top->addStretch();
    top->addWidget(imgGuida, 0, Qt::AlignTop);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(36);
    int col = 0;
    for (auto pics :
         {std::array{imgAnagrafica, btnAnagrafica, infAnagrafica},
          std::array{imgBollettini, btnBollettini, infBollettini}, std::array{imgScadenze, btnScadenze, infScadenze}}) {
        for (int row = 0; row < 3; ++row)
            grid->addWidget(pics[size_t(row)], row, col, Qt::AlignHCenter);
        ++col;
    }

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(imgCopyright, 0, Qt::AlignBottom);
    bottom->addStretch();
    bottom->addWidget(imgSito);
    bottom->addStretch();
    bottom->addWidget(imgEsci, 0, Qt::AlignBottom);

    auto *inner = new QVBoxLayout(panel);
    inner->setContentsMargins(24, 20, 24, 20);
    inner->addLayout(top);
    inner->addSpacing(18);
    inner->addLayout(grid);
    inner->addSpacing(18);
    inner->addLayout(bottom);
    inner->setSizeConstraint(QLayout::SetFixedSize);

    auto *outer = new QGridLayout(this);
    outer->addWidget(panel, 0, 0, Qt::AlignCenter);
    setWindowState(Qt::WindowMaximized);
}

void TfrmAvvio::updateTiles()
{
    const auto enable = [](std::initializer_list<Picture *> pics, QStringView editor) {
        const bool built = Forms::get(editor) != nullptr;
        for (auto *p : pics)
            p->setEnabled(built);
    };
    enable({imgAnagrafica, btnAnagrafica, infAnagrafica}, WindowNames::anagrafica);
    enable({imgBollettini, btnBollettini, infBollettini}, WindowNames::bollettino);
    enable({imgScadenze, btnScadenze, infScadenze}, WindowNames::scadenzario);
}

void TfrmAvvio::imgAnagraficaClick()
{
    Navigation::openEditor(WindowNames::anagrafica);
}
void TfrmAvvio::imgBollettiniClick()
{
    Navigation::openEditor(WindowNames::bollettino);
}
void TfrmAvvio::imgScadenzeClick()
{
    Navigation::openEditor(WindowNames::scadenzario);
}

void TfrmAvvio::imgInfoClick()
{
    TfrmInfo w(this);
    w.exec();
}

void TfrmAvvio::imgGuidaClick()
{
    HelpTexts::show(this, QStringLiteral("overview"));
}

void TfrmAvvio::imgCopieClick()
{
    TfrmCopieSicurezza w(this);
    w.exec();
}

void TfrmAvvio::imgCopyrightClick()
{
    TfrmSplash w(this);
    w.exec();
}

void TfrmAvvio::imgSitoClick()
{
    TMisc::Open(TfrmSplash::vendorSite());
}

void TfrmAvvio::imgEsciClick()
{
    Seams::AppExit::terminate();
}

void TfrmAvvio::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (e->spontaneous())
        return;
    // Maximised also where no window manager honours the state (a kiosk or a bare X server).
    WindowStyle::maximise(this);
    // Ready for the keyboard: the first tile that opens an editor.
    for (Picture *tile : {imgAnagrafica, imgBollettini, imgScadenze}) {
        if (tile->isEnabled()) {
            tile->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void TfrmAvvio::closeEvent(QCloseEvent *e)
{
    e->accept();
    Seams::AppExit::terminate();
}

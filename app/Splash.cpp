#include "app/Splash.h"

#include "core/OpenURL.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(QWidget *parent) : QDialog(parent)
{
    setObjectName(WindowNames::splash.toString());
    setWindowTitle(QStringLiteral(" Riconoscimenti"));
    WindowStyle::fixedDialog(this);

    imgSplash = new Picture(QStringLiteral("imgSplash"), QStringLiteral(":/icons/splash.svg"), QSize(600, 340), this);
    imgWeb = new Picture(QStringLiteral("imgWeb"), QStringLiteral(":/icons/web.svg"), QSize(32, 32), this);
    lnkWeb = new Link(QStringLiteral("lnkWeb"), vendorSite(), this);
    lnkWeb->setFont(QFont(QStringLiteral("Tahoma"), 12));
    lnkWeb->pairWith(imgWeb);
    connect(lnkWeb, &Link::clicked, this, &TfrmSplash::lnkWebClick);
    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto *web = new QHBoxLayout;
    web->addStretch();
    web->addWidget(imgWeb);
    web->addWidget(lnkWeb);
    web->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(imgSplash, 0, Qt::AlignHCenter);
    layout->addLayout(web);
    layout->addWidget(btnChiudi, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrmSplash::vendorSite()
{
    return QStringLiteral("https://www.versalia.it");
}

void TfrmSplash::lnkWebClick()
{
    lnkWeb->setPressedLook(false);
    TMisc::Open(vendorSite());
}

void TfrmSplash::showEvent(QShowEvent *e)
{
    WindowStyle::centre(this, parentWidget() ? parentWidget()->window() : nullptr);
    QDialog::showEvent(e);
}

#include "app/Info.h"

#include "app/CopieSicurezza.h"
#include "core/OpenURL.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmInfo::TfrmInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(WindowNames::info.toString());
    setWindowTitle(QStringLiteral(" Informazioni su Versalia"));
    WindowStyle::fixedDialog(this);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/logo.svg"), QSize(480, 120), this);
    imgPannello =
        new Picture(QStringLiteral("imgPannello"), QStringLiteral(":/icons/splash.svg"), QSize(480, 272), this);
    imgEmail = new Picture(QStringLiteral("imgEmail"), QStringLiteral(":/icons/email.svg"), QSize(32, 32), this);
    lnkWeb = new Link(QStringLiteral("lnkWeb"), vendorEmail(), this);
    lnkWeb->setFont(QFont(QStringLiteral("Tahoma"), 12));
    lnkWeb->pairWith(imgEmail);
    connect(lnkWeb, &Link::clicked, this, &TfrmInfo::lnkWebClick);
    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    btnCopieSicurezza = new QPushButton(QStringLiteral("Copie di sicurezza..."), this);
    btnCopieSicurezza->setObjectName(QStringLiteral("btnCopieSicurezza"));
    btnCopieSicurezza->setAutoDefault(false);
    connect(btnCopieSicurezza, &QPushButton::clicked, this, &TfrmInfo::btnCopieSicurezzaClick);

    auto *mail = new QHBoxLayout;
    mail->addStretch();
    mail->addWidget(imgEmail);
    mail->addWidget(lnkWeb);
    mail->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(imgLogo, 0, Qt::AlignHCenter);
    layout->addWidget(imgPannello, 0, Qt::AlignHCenter);
    layout->addLayout(mail);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCopieSicurezza);
    buttons->addWidget(btnChiudi);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrmInfo::vendorEmail()
{
    return QStringLiteral("assistenza@versalia.it");
}

void TfrmInfo::lnkWebClick()
{
    lnkWeb->setPressedLook(false);
    // Subject and body go in as they stand, without URL escaping.
    TMisc::Open(QStringLiteral("\"mailto:") + vendorEmail() +
                QStringLiteral("?subject=Software Versalia&body=Salve, "
                               "desidererei avere le seguenti informazioni sul software in oggetto:\""));
}

void TfrmInfo::btnCopieSicurezzaClick()
{
    TfrmCopieSicurezza window(this);
    window.exec();
}

#include "app/Guida.h"

#include "core/Formats.h"
#include "core/OpenURL.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmGuida::TfrmGuida(QWidget *parent) : QDialog(parent)
{
    setObjectName(WindowNames::guida.toString());
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    WindowStyle::fixedDialog(this);

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setFont(QFont(QStringLiteral("Arial"), 16, QFont::Bold));
    lblTitolo->setStyleSheet(QStringLiteral("color: #DC143C;"));

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));

    imgPDF = new Picture(QStringLiteral("imgPDF"), QStringLiteral(":/icons/pdf.svg"), QSize(32, 32), this);
    lnkWeb = new Link(QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"), this);
    lnkWeb->setFont(QFont(QStringLiteral("Tahoma"), 14));
    lnkWeb->pairWith(imgPDF);
    connect(lnkWeb, &Link::clicked, this, &TfrmGuida::lnkWebClick);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto *links = new QHBoxLayout;
    links->addWidget(imgPDF);
    links->addWidget(lnkWeb);
    links->addStretch();
    links->addWidget(btnChiudi);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitolo);
    layout->addWidget(txtGuida, 1);
    layout->addLayout(links);
}

void TfrmGuida::showHelp(QWidget *parent, const QString &title, const QString &text)
{
    auto *w = new TfrmGuida(parent);
    w->lblTitolo->setText(title);
    w->txtGuida->setPlainText(text);
    w->exec();
    delete w;
}

void TfrmGuida::registerAsHelp()
{
    Seams::Help::setWindow(&TfrmGuida::showHelp);
}

void TfrmGuida::lnkWebClick()
{
    lnkWeb->setPressedLook(false);
    TMisc::Open(QLatin1Char('"') + ProgramFolder::file(QStringLiteral("Guida.pdf")) + QLatin1Char('"'));
}

void TfrmGuida::showEvent(QShowEvent *e)
{
    setFixedSize(676, 598);
    WindowStyle::centre(this);
    QDialog::showEvent(e);
}

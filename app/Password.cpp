#include "app/Password.h"

#include "app/PasswordStore.h"
#include "core/Routines.h"
#include "core/Seams.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmPassword::TfrmPassword(QWidget *parent) : QWidget(parent)
{
    setObjectName(WindowNames::password.toString());
    setWindowTitle(QStringLiteral(" Versalia - Accesso"));
    WindowStyle::fixedDialog(this);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/lock.svg"), QSize(96, 96), this);
    lblRigo05 = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    lblRigo05->setObjectName(QStringLiteral("lblRigo05"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setFont(QFont(QStringLiteral("Verdana"), 14, QFont::Bold));
    txtPassword->setMinimumWidth(300);
    effPassword = Input::highlight(txtPassword, QStringLiteral("effPassword"));
    txtPassword->installEventFilter(this);
    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setEnabled(false);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    buttons->addStretch();
    buttons->addWidget(btnCambiaPassword);
    auto *right = new QVBoxLayout;
    right->setSpacing(10);
    right->addWidget(lblRigo05);
    right->addWidget(txtPassword);
    right->addSpacing(6);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(18);
    layout->addWidget(imgLogo, 0, Qt::AlignTop);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmPassword::showEvent(QShowEvent *e)
{
    WindowStyle::centre(this);
    QWidget::showEvent(e);
    txtPassword->setFocus(Qt::OtherFocusReason);
}

// The login window is the main window: closing it, however, ends the application.
void TfrmPassword::closeEvent(QCloseEvent *e)
{
    e->accept();
    Seams::AppExit::terminate();
}

bool TfrmPassword::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == txtPassword && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtPasswordKeyDown(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void TfrmPassword::txtPasswordChange()
{
    cmdOK->setEnabled(!TrimControls(txtPassword->text()).isEmpty());
}

void TfrmPassword::txtPasswordKeyDown(int key)
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !TrimControls(txtPassword->text()).isEmpty())
        cmdOKClick();
}

void TfrmPassword::cmdOKClick()
{
    const auto stored = PasswordStore::readPassword();
    if (!stored) {
        Seams::Messages::plain(this,
                               QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                              "lettura della password. Si consiglia di reinstallare il software."));
        return;
    }
    const QString typed = PasswordStore::prepare(txtPassword->text());
    // An empty stored password (no store at all) must never let anybody in.
    if (!typed.isEmpty() && typed == *stored) {
        showInstead(WindowNames::avvio);
        return;
    }
    Seams::Messages::plain(this, QStringLiteral("Attenzione: password errata."));
    txtPassword->clear();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::cmdEsciClick()
{
    close();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    showInstead(WindowNames::cambiaPassword);
}

// The other window is shown before this one hides, so that a visible window is always there.
void TfrmPassword::showInstead(QStringView instance)
{
    if (QWidget *other = Forms::get(instance)) {
        other->show();
        hide();
    }
}

#include "app/CambiaPassword.h"

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
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent) : QWidget(parent)
{
    setObjectName(WindowNames::cambiaPassword.toString());
    setWindowTitle(QStringLiteral(" Cambia password"));
    WindowStyle::fixedDialog(this);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/lock.svg"), QSize(96, 96), this);
    const auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    const auto entry = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setEchoMode(QLineEdit::Password);
        e->setFont(QFont(QStringLiteral("Verdana"), 14, QFont::Bold));
        e->setMinimumWidth(300);
        connect(e, &QLineEdit::textChanged, this, &TfrmCambiaPassword::txtChange);
        return e;
    };
    lblRigo05 = label("lblRigo05", QStringLiteral("Vecchia password:"));
    txtPasswordOld = entry("txtPasswordOld");
    lblRigo06 = label("lblRigo06", QStringLiteral("Nuova password:"));
    txtPasswordNew = entry("txtPasswordNew");
    lblRigo07 = label("lblRigo07", QStringLiteral("Conferma nuova password:"));
    txtConferma = entry("txtConferma");
    effPasswordOld = Input::highlight(txtPasswordOld, QStringLiteral("effPasswordOld"));
    effPasswordNew = Input::highlight(txtPasswordNew, QStringLiteral("effPasswordNew"));
    effConferma = Input::highlight(txtConferma, QStringLiteral("effConferma"));
    // Enter goes round the three entries and never presses OK.
    Input::enterChain({txtPasswordOld, txtPasswordNew, txtConferma, txtPasswordOld});

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setEnabled(false);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    cmdEsci = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdOK);
    setTabOrder(cmdOK, cmdEsci);

    auto *fields = new QVBoxLayout;
    fields->setSpacing(6);
    for (auto [l, e] : {std::pair{lblRigo05, txtPasswordOld}, {lblRigo06, txtPasswordNew}, {lblRigo07, txtConferma}}) {
        fields->addWidget(l);
        fields->addWidget(e);
        fields->addSpacing(6);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    fields->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(18);
    layout->addWidget(imgLogo, 0, Qt::AlignTop);
    layout->addLayout(fields);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmCambiaPassword::showEvent(QShowEvent *e)
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    WindowStyle::centre(this);
    QWidget::showEvent(e);
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *e)
{
    if (auto *login = Forms::get<TfrmPassword>(WindowNames::password)) {
        login->txtPassword->clear();
        login->show();
        login->activateWindow();
        login->txtPassword->setFocus(Qt::OtherFocusReason);
    }
    e->accept();
}

void TfrmCambiaPassword::txtChange()
{
    cmdOK->setEnabled(!TrimControls(txtPasswordOld->text()).isEmpty() &&
                      !TrimControls(txtPasswordNew->text()).isEmpty() && !TrimControls(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    const QString failed =
        QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                       "password. Si consiglia di reinstallare il software.");
    const auto stored = PasswordStore::readPassword();
    if (!stored) {
        Seams::Messages::plain(this, failed);
        return;
    }
    const QString old = PasswordStore::prepare(txtPasswordOld->text());
    if (old.isEmpty() || old != *stored) {
        Seams::Messages::plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        txtPasswordOld->clear();
        txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Confirmation is exact, letter case included, although the stored form ignores case.
    const auto retypeNew = [this](const QString &message) {
        Seams::Messages::plain(this, message);
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus(Qt::OtherFocusReason);
    };
    if (TrimControls(txtPasswordNew->text()) != TrimControls(txtConferma->text())) {
        retypeNew(QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' necessario "
                                 "reinserire entrambi i valori."));
        return;
    }
    // The store keeps one byte per character: anything longer or beyond those codes could never be matched again.
    const QString fresh = PasswordStore::prepare(txtPasswordNew->text());
    if (fresh.isEmpty() || !PasswordStore::canStore(fresh)) {
        retypeNew(QStringLiteral("Attenzione: la nuova password non può superare %1 caratteri e può contenere soltanto "
                                 "lettere, cifre e simboli dell'alfabeto latino.")
                      .arg(PasswordStore::MaxLength));
        return;
    }
    if (!PasswordStore::writePassword(fresh)) {
        Seams::Messages::plain(this, failed);
        return;
    }
    Seams::Messages::plain(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}

void TfrmCambiaPassword::cmdEsciClick()
{
    close();
}

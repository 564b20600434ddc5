#include "TestSupport.h"
#include "app/CambiaPassword.h"
#include "app/Password.h"
#include "app/PasswordStore.h"
#include "core/SafeFile.h"
#include "core/widgets/Forms.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString Wrong = QStringLiteral("Attenzione: password errata.");
const QString WrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString NotConfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                            "E' necessario reinserire entrambi i valori.");
const QString ReadError = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                                         "password. Si consiglia di reinstallare il software.");
const QString ChangeError = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                                           "della password. Si consiglia di reinstallare il software.");
const QString Done = QStringLiteral("Modifica della password completata con successo.");
const QString NotStorable = QStringLiteral("Attenzione: la nuova password non può superare 255 caratteri e può "
                                           "contenere soltanto lettere, cifre e simboli dell'alfabeto latino.");

} // namespace

class TestPasswordWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgramFolder> m_folder;
    TfrmPassword *login = nullptr;
    TfrmCambiaPassword *change = nullptr;
    QWidget *menu = nullptr;

    QString store() const { return m_folder->file(QStringLiteral("unins000.dll")); }

    // Every message of these windows is a plain box; returns the texts shown since the last call.
    QStringList messages()
    {
        QStringList texts;
        for (const auto &m : Seams::Messages::shown()) {
            if (m.kind != Seams::MsgKind::Plain)
                qWarning("not a plain box: %s", qPrintable(m.text));
            texts << m.text;
        }
        Seams::Messages::clear();
        return texts;
    }

    void enterPassword(const QString &typed)
    {
        login->txtPassword->clear();
        // QTest types only ASCII keys; anything else is put in as a paste would.
        if (std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 128; }))
            QTest::keyClicks(login->txtPassword, typed);
        else
            login->txtPassword->setText(typed);
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
    }

    void openChange()
    {
        QTest::mouseClick(login->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(change->isVisible());
        QVERIFY(login->isHidden());
    }

    void fillChange(const QString &old, const QString &fresh, const QString &confirm)
    {
        change->txtPasswordOld->setText(old);
        change->txtPasswordNew->setText(fresh);
        change->txtConferma->setText(confirm);
    }

    void writeStore(const QByteArray &content)
    {
        QFile f(store());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

private slots:
    void init()
    {
        TestSupport::resetSeams();
        m_folder = std::make_unique<TestProgramFolder>();
        QVERIFY(QFile::copy(QStringLiteral(VERSALIA_ASSETS "/unins000.dll"), store()));
        QFile(store()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        login = new TfrmPassword;
        menu = new QWidget;
        menu->setObjectName(QStringLiteral("frmAvvio"));
        change = new TfrmCambiaPassword;
        for (QWidget *w : {static_cast<QWidget *>(login), menu, static_cast<QWidget *>(change)})
            Forms::add(w);
        login->show();
        QVERIFY(QTest::qWaitForWindowExposed(login));
    }
    void cleanup()
    {
        TestSupport::checkSeams();
        Forms::clear();
        PasswordStore::setWriteFaultHook({});
        m_folder.reset();
    }

    void loginWindowAtStart()
    {
        QCOMPARE(login->objectName(), QStringLiteral("frmPassword"));
        QVERIFY(login->windowTitle().startsWith(QStringLiteral(" Versalia - ")));
        QCOMPARE(login->txtPassword->echoMode(), QLineEdit::Password);
        QVERIFY(!login->cmdOK->isEnabled());
        QCOMPARE(login->focusWidget(), login->txtPassword);
        login->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(login));
        QVERIFY(login->findChild<QFrame *>(QStringLiteral("effPassword"))->isVisible());
        login->cmdEsci->setFocus();
        QVERIFY(!login->effPassword->isVisible());
    }

    void deliveredPasswordAccepted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("small letters") << QStringLiteral("girasolebianco") << true;
        QTest::newRow("capitals") << QStringLiteral("GIRASOLEBIANCO") << false;
        QTest::newRow("mixed") << QStringLiteral("GiraSoleBianco") << true;
        QTest::newRow("blanks around") << QStringLiteral("   girasolebianco  ") << false;
    }
    void deliveredPasswordAccepted()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QTest::keyClicks(login->txtPassword, typed);
        QVERIFY(login->cmdOK->isEnabled());
        if (byEnter)
            QTest::keyClick(login->txtPassword, Qt::Key_Return);
        else
            QTest::mouseClick(login->cmdOK, Qt::LeftButton);
        QCOMPARE(messages(), QStringList());
        QVERIFY(menu->isVisible());
        QVERIFY(login->isHidden());
        QCOMPARE(login->txtPassword->text(), typed);
    }

    void blanksOnlyDoNothing()
    {
        QTest::keyClicks(login->txtPassword, QStringLiteral("   "));
        QVERIFY(!login->cmdOK->isEnabled());
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        QCOMPARE(messages(), QStringList());
        QVERIFY(login->isVisible());
        QTest::keyClicks(login->txtPassword, QStringLiteral("x"));
        QVERIFY(login->cmdOK->isEnabled());
        QTest::keyClick(login->txtPassword, Qt::Key_Backspace);
        QVERIFY(!login->cmdOK->isEnabled());
    }

    void wrongPasswordRetriesWithoutLimit()
    {
        for (const QString &typed : {QStringLiteral("girasole"), QStringLiteral("girasole bianco"),
                                     QStringLiteral("girasolebianc0"), QStringLiteral("gìrasolebianco")}) {
            enterPassword(typed);
            QCOMPARE(messages(), QStringList{Wrong});
            QCOMPARE(login->txtPassword->text(), QString());
            QVERIFY(!login->cmdOK->isEnabled());
            QCOMPARE(login->focusWidget(), login->txtPassword);
            QVERIFY(login->isVisible());
            QVERIFY(!menu->isVisible());
        }
        enterPassword(QStringLiteral("girasolebianco"));
        QVERIFY(menu->isVisible());
    }

    void esciEndsTheApplication()
    {
        QTest::mouseClick(login->cmdEsci, Qt::LeftButton);
        QCOMPARE(Seams::AppExit::count(), 1);
        QVERIFY(login->isHidden());
    }

    void changeThenLoginWithTheNewPassword()
    {
        openChange();
        QCOMPARE(change->focusWidget(), change->txtPasswordOld);
        const QByteArray delivered = TestSupport::fileBytes(store());

        fillChange(QStringLiteral("girasole"), QStringLiteral("Margherita"), QStringLiteral("Margherita"));
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
        QCOMPARE(messages(), QStringList{WrongOld});
        QCOMPARE(change->txtPasswordOld->text(), QString());
        QCOMPARE(change->txtPasswordNew->text(), QStringLiteral("Margherita"));
        QCOMPARE(change->focusWidget(), change->txtPasswordOld);
        QVERIFY(!change->cmdOK->isEnabled());

        // Both would store the same password, yet the user evidently typed two different things.
        fillChange(QStringLiteral(" GIRAsolebianco"), QStringLiteral("Margherita"), QStringLiteral("margherita"));
        QVERIFY(change->cmdOK->isEnabled());
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
        QCOMPARE(messages(), QStringList{NotConfirmed});
        QCOMPARE(change->txtPasswordOld->text(), QStringLiteral(" GIRAsolebianco"));
        QCOMPARE(change->txtPasswordNew->text(), QString());
        QCOMPARE(change->txtConferma->text(), QString());
        QCOMPARE(change->focusWidget(), change->txtPasswordNew);
        QCOMPARE(TestSupport::fileBytes(store()), delivered);

        fillChange(QStringLiteral("girasolebianco"), QStringLiteral("  Margherita gialla"),
                   QStringLiteral("Margherita gialla "));
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
        QCOMPARE(messages(), QStringList{Done});
        QVERIFY(change->isHidden());
        QVERIFY(login->isVisible());
        QCOMPARE(login->txtPassword->text(), QString());
        QCOMPARE(login->focusWidget(), login->txtPassword);
        QCOMPARE(TestSupport::fileBytes(store()),
                 "[Accesso]\r\nValore=" + ScramblePassword(QStringLiteral("MARGHERITA GIALLA")).toLatin1() + "\r\n");

        enterPassword(QStringLiteral("girasolebianco"));
        QCOMPARE(messages(), QStringList{Wrong});
        enterPassword(QStringLiteral("margherita GIALLA"));
        QCOMPARE(messages(), QStringList());
        QVERIFY(menu->isVisible());
        QVERIFY(login->isHidden());
    }

    void enterRingNeverPressesOK()
    {
        openChange();
        QVERIFY(!change->cmdOK->isEnabled());
        QTest::keyClicks(change->txtPasswordOld, QStringLiteral("girasolebianco"));
        QTest::keyClick(change->txtPasswordOld, Qt::Key_Return);
        QCOMPARE(change->focusWidget(), change->txtPasswordNew);
        QTest::keyClicks(change->txtPasswordNew, QStringLiteral("sole"));
        QTest::keyClick(change->txtPasswordNew, Qt::Key_Return);
        QCOMPARE(change->focusWidget(), change->txtConferma);
        QVERIFY(!change->cmdOK->isEnabled());
        QTest::keyClicks(change->txtConferma, QStringLiteral("  "));
        QVERIFY(!change->cmdOK->isEnabled());
        QTest::keyClicks(change->txtConferma, QStringLiteral("sole"));
        QVERIFY(change->cmdOK->isEnabled());
        QTest::keyClick(change->txtConferma, Qt::Key_Return);
        QCOMPARE(change->focusWidget(), change->txtPasswordOld);
        QCOMPARE(messages(), QStringList());
        QVERIFY(change->isVisible());
        QCOMPARE(PasswordStore::readPassword(), std::optional<QString>(QStringLiteral("GIRASOLEBIANCO")));

        change->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(change));
        change->txtPasswordNew->setFocus();
        QVERIFY(change->effPasswordNew->isVisible());
        QVERIFY(!change->effPasswordOld->isVisible());
        QVERIFY(!change->effConferma->isVisible());
    }

    void chiudiChangesNothing()
    {
        QTest::keyClicks(login->txtPassword, QStringLiteral("a meta"));
        openChange();
        const QByteArray delivered = TestSupport::fileBytes(store());
        fillChange(QStringLiteral("girasolebianco"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(change->cmdEsci, Qt::LeftButton);
        QCOMPARE(messages(), QStringList());
        QVERIFY(change->isHidden());
        QVERIFY(login->isVisible());
        QCOMPARE(login->txtPassword->text(), QString());
        QVERIFY(!login->cmdOK->isEnabled());
        QCOMPARE(TestSupport::fileBytes(store()), delivered);
        // Shown again, it starts empty.
        openChange();
        for (auto *e : {change->txtPasswordOld, change->txtPasswordNew, change->txtConferma})
            QCOMPARE(e->text(), QString());
        QCOMPARE(Seams::AppExit::count(), 0);
    }

    // A password the one-byte store could not give back is never written.
    void newPasswordTheStoreCannotHold_data()
    {
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("255 accented letters") << QString(255, QChar(u'è')) << true;
        QTest::newRow("255 and blanks around")
            << QStringLiteral("  ") + QString(255, QLatin1Char('x')) + QStringLiteral(" ") << true;
        QTest::newRow("256 letters") << QString(256, QLatin1Char('x')) << false;
        QTest::newRow("euro sign") << QStringLiteral("cento€") << false;
        QTest::newRow("beyond Latin-1") << QStringLiteral("łódź") << false;
    }
    void newPasswordTheStoreCannotHold()
    {
        QFETCH(QString, fresh);
        QFETCH(bool, accepted);
        openChange();
        const QByteArray delivered = TestSupport::fileBytes(store());
        fillChange(QStringLiteral("girasolebianco"), fresh, fresh);
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
        if (!accepted) {
            QCOMPARE(messages(), QStringList{NotStorable});
            QVERIFY(change->isVisible());
            QCOMPARE(change->txtPasswordNew->text(), QString());
            QCOMPARE(change->focusWidget(), change->txtPasswordNew);
            QCOMPARE(TestSupport::fileBytes(store()), delivered);
            return;
        }
        QCOMPARE(messages(), QStringList{Done});
        login->txtPassword->setText(fresh);
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        QCOMPARE(messages(), QStringList());
        QVERIFY(menu->isVisible());
    }

    void unreadableStore()
    {
        writeStore("[Accesso]\r\nValore=2A66XX\r\n");
        QTest::keyClicks(login->txtPassword, QStringLiteral("girasolebianco"));
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        QCOMPARE(messages(), QStringList{ReadError});
        QCOMPARE(login->txtPassword->text(), QStringLiteral("girasolebianco"));
        QVERIFY(login->isVisible());
        QVERIFY(!menu->isVisible());

        openChange();
        fillChange(QStringLiteral("girasolebianco"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
        QCOMPARE(messages(), QStringList{ChangeError});
        QVERIFY(change->isVisible());
        QCOMPARE(change->txtPasswordOld->text(), QStringLiteral("girasolebianco"));
        QCOMPARE(change->txtConferma->text(), QStringLiteral("nuova"));
        QCOMPARE(TestSupport::fileBytes(store()), QByteArray("[Accesso]\r\nValore=2A66XX\r\n"));
    }

    void oddDigitInTheStoreIgnored()
    {
        writeStore("[Accesso]\r\nValore=" + ScramblePassword(QStringLiteral("GIRASOLEBIANCO")).toLatin1() + "F\r\n");
        enterPassword(QStringLiteral("girasolebianco"));
        QCOMPARE(messages(), QStringList());
        QVERIFY(menu->isVisible());
    }

    void noStoreRefusesEverything()
    {
        QVERIFY(QFile::remove(store()));
        enterPassword(QStringLiteral("girasolebianco"));
        QCOMPARE(messages(), QStringList{Wrong});
        openChange();
        fillChange(QStringLiteral("girasolebianco"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
        QCOMPARE(messages(), QStringList{WrongOld});
        QVERIFY(!QFile::exists(store()));
    }

    void unwritableStoreKeepsTheOldPassword_data()
    {
        // A full disk fails the last flush; a failing device the sync or the close.
        QTest::addColumn<int>("step");
        QTest::newRow("store not writable") << -1;
        QTest::newRow("flush fails") << int(SafeFile::Step::Flush);
        QTest::newRow("sync fails") << int(SafeFile::Step::Sync);
        QTest::newRow("close fails") << int(SafeFile::Step::Close);
        QTest::newRow("rename fails") << int(SafeFile::Step::Rename);
    }
    void unwritableStoreKeepsTheOldPassword()
    {
        QFETCH(int, step);
        if (step < 0)
            PasswordStore::setWriteFaultHook([](const QString &) { return true; });
        else
            SafeFile::setFaultHook([step](SafeFile::Step s, const QString &) { return int(s) == step; });
        const QByteArray delivered = TestSupport::fileBytes(store());
        openChange();
        fillChange(QStringLiteral("girasolebianco"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
        SafeFile::setFaultHook({});
        QCOMPARE(messages(), QStringList{ChangeError});
        QVERIFY(change->isVisible());
        QCOMPARE(change->txtPasswordNew->text(), QStringLiteral("nuova"));
        QCOMPARE(TestSupport::fileBytes(store()), delivered);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{QStringLiteral("unins000.dll")});
        QTest::mouseClick(change->cmdEsci, Qt::LeftButton);
        enterPassword(QStringLiteral("girasolebianco"));
        QCOMPARE(messages(), QStringList());
        QVERIFY(menu->isVisible());
    }
};

QTEST_MAIN(TestPasswordWindows)
#include "test_password_windows.moc"

#include "TestSupport.h"

#include "agenda/Confermati.h"
#include "agenda/NonConfermati.h"
#include "agenda/Scadenzario.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "app/Startup.h"
#include "core/Formats.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "registry/TrovaAnagrafica.h"
#include "slips/Bollettino.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

namespace {
// Every window of the program, in the order the start creates them: the login first, then the menu.
const QStringList kWindows = {
    QStringLiteral("frmPassword"),
    QStringLiteral("frmAvvio"),
    QStringLiteral("frmCambiaPassword"),
    QStringLiteral("frmCarta"),
    QStringLiteral("frmCodFisc"),
    QStringLiteral("frmGuida"),
    QStringLiteral("frmIban"),
    QStringLiteral("frmInfo"),
    QStringLiteral("frmPartitaIva"),
    QStringLiteral("frmSplash"),
    QStringLiteral("frmBollettino"),
    QStringLiteral("frmAllegaCartella"),
    QStringLiteral("frmCalendario"),
    QStringLiteral("frmAnteprimaPse"),
    QStringLiteral("frmExpBollettini"),
    QStringLiteral("frmScadute"),
    QStringLiteral("frmDaSaldare"),
    QStringLiteral("frmTrovaBollettini"),
    QStringLiteral("frmStampaBolTer"),
    QStringLiteral("frmAnagrafica"),
    QStringLiteral("frmTrovaAnagrafica"),
    QStringLiteral("frmExpAnagrafica"),
    QStringLiteral("frmContrattiScaduti"),
    QStringLiteral("frmScadenzario"),
    QStringLiteral("frmExpImminenti"),
    QStringLiteral("frmExpGiornaliere"),
    QStringLiteral("frmExpMensili"),
    QStringLiteral("frmExpScadenzario"),
    QStringLiteral("frmConfermati"),
    QStringLiteral("frmNonConfermati"),
    QStringLiteral("frmDaConfermare"),
    QStringLiteral("frmTrovaScadenzario"),
    QStringLiteral("frmAnteprimaAnagrafica"),
    QStringLiteral("frmStampaAnagrafica"),
};

QStringList createdNames()
{
    QStringList created;
    for (QWidget *w : Forms::all())
        created << w->objectName();
    return created;
}
} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { TestSupport::resetSeams(); }
    void cleanup()
    {
        TestSupport::checkSeams();
        Forms::clear();
    }
    void formatsUnderAnyLocale();
    void qtDialogsSpeakItalian();
    void startUpCreatesWindowsInOrder();
    void creationOrderOfEveryWindow();
    void navigationCycle();
    void closingTheMenuEndsTheApplication();
    void helpOpensGuideFromFolderWithBlanks();
    void informationAndCredits();
};

void TestApp::initTestCase()
{
    Startup::initialise(*qApp);
}

void TestApp::formatsUnderAnyLocale()
{
    // The test runs twice, under an Italian and an English LANG: the forms must not change.
    QCOMPARE(Formats::dateText(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
    QCOMPARE(QLocale().toString(16.5, 'f', 2), QStringLiteral("16,50"));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    QVERIFY(Formats::parseDateText(QStringLiteral("05/03/2024")) == QDate(2024, 3, 5));
    QVERIFY(!Formats::parseDateText(QStringLiteral("03/31/2024")).isValid());
}

void TestApp::qtDialogsSpeakItalian()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                         QDialogButtonBox::No);
    QCOMPARE(box.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')), QStringLiteral("OK"));
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Annulla"));
    QCOMPARE(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Sì"));
    QCOMPARE(box.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("No"));
}

void TestApp::startUpCreatesWindowsInOrder()
{
    Startup::start();
    const QStringList created = createdNames();
    QCOMPARE(created, kWindows);
    QCOMPARE(Startup::firstWindow()->objectName(), QStringLiteral("frmPassword")); // the login comes first
    QVERIFY(Startup::firstWindow()->isVisible());
    for (auto *w : Forms::all())
        QCOMPARE(w->isVisible(), w == Startup::firstWindow());
    // Every window and control of the main menu can be found by name.
    auto *menu = Forms::get(QStringLiteral("frmAvvio"));
    QVERIFY(menu);
    for (const char *name : {"imgAnagrafica", "btnAnagrafica", "infAnagrafica", "imgBollettini", "btnBollettini",
                             "infBollettini", "imgScadenze", "btnScadenze", "infScadenze", "imgInfo", "imgGuida",
                             "imgCopyright", "imgSito", "imgEsci", "imgTitolo", "imgSottotitolo"})
        QVERIFY2(menu->findChild<Picture *>(QString::fromLatin1(name)), name);
}

void TestApp::creationOrderOfEveryWindow()
{
    QCOMPARE(Startup::creationOrder(), kWindows);
    // The agenda's windows are of the classes their names say, the two payment lists swapped on purpose.
    Startup::createWindows();
    QCOMPARE(QString::fromLatin1(Forms::get(QStringLiteral("frmConfermati"))->metaObject()->className()),
             QStringLiteral("TfrmConfermati"));
    QCOMPARE(Forms::get<TfrmNonConfermati>(QStringLiteral("frmNonConfermati"))->windowTitle(),
             QStringLiteral(" Riepilogo pagamenti effettuati"));
    // The agenda's import opens the applicant search for the agenda.
    QString search, tag;
    TestSupport::onNextModal([&](QWidget *w) {
        search = QString::fromLatin1(w->metaObject()->className());
        if (auto *found = qobject_cast<TfrmTrovaAnagrafica *>(w))
            tag = found->lblMemory->text();
        w->close();
    });
    Forms::get<TfrmScadenzario>(QStringLiteral("frmScadenzario"))->cmdImportaClick();
    QCOMPARE(search, QStringLiteral("TfrmTrovaAnagrafica"));
    QCOMPARE(tag, QStringLiteral("scadenzario"));

    // The start shows the login alone; the rest follow by themselves once it is painted, in their order.
    Forms::clear();
    Startup::start();
    QCOMPARE(Startup::createdCount(), std::size_t(1));
    QVERIFY(Startup::firstWindow()->isVisible());
    QTRY_COMPARE(Startup::createdCount(), std::size_t(kWindows.size()));
    // Or at once, when one of them is asked for before.
    Forms::clear();
    Startup::start();
    QVERIFY(Forms::get(QStringLiteral("frmStampaAnagrafica")));
    QCOMPARE(Startup::createdCount(), std::size_t(kWindows.size()));
    QCOMPARE(createdNames(), kWindows);
}

void TestApp::navigationCycle()
{
    Startup::start();
    auto *menu = Forms::get<TfrmAvvio>(QStringLiteral("frmAvvio"));
    Startup::firstWindow()->hide(); // as after the password
    menu->show();
    const auto visibleWorking = [] {
        QStringList v;
        for (auto *w : Forms::all())
            if (w->isVisible())
                v << w->objectName();
        return v;
    };
    QCOMPARE(visibleWorking(), QStringList{QStringLiteral("frmAvvio")});
    QVERIFY(menu->imgAnagrafica->isEnabled());
    QVERIFY(menu->imgBollettini->isEnabled());

    QTest::mouseClick(menu->infAnagrafica, Qt::LeftButton);
    QCOMPARE(visibleWorking(), QStringList{QStringLiteral("frmAnagrafica")});
    Forms::get(QStringLiteral("frmAnagrafica"))->close();
    QCOMPARE(visibleWorking(), QStringList{QStringLiteral("frmAvvio")});

    QTest::mouseClick(menu->imgBollettini, Qt::LeftButton);
    QCOMPARE(visibleWorking(), QStringList{QStringLiteral("frmBollettino")});
    auto *editor = Forms::get<TfrmBollettino>(QStringLiteral("frmBollettino"));
    editor->txtAnno->setText(QStringLiteral("1999"));
    editor->close();
    QCOMPARE(visibleWorking(), QStringList{QStringLiteral("frmAvvio")});
    QTest::mouseClick(menu->btnBollettini, Qt::LeftButton);
    QCOMPARE(visibleWorking(), QStringList{QStringLiteral("frmBollettino")});
    QCOMPARE(editor->txtAnno->text(), QStringLiteral("2024")); // the year panel starts again on today's year

    // A stand-in editor for an area whose window is not built yet goes round the same cycle.
    auto *standIn = new QWidget;
    standIn->setObjectName(QStringLiteral("frmScadenzario"));
    Forms::add(standIn);
    menu->updateTiles();
    editor->close();
    QTest::mouseClick(menu->imgScadenze, Qt::LeftButton);
    QCOMPARE(visibleWorking(), QStringList{QStringLiteral("frmScadenzario")});
}

void TestApp::closingTheMenuEndsTheApplication()
{
    Startup::start();
    auto *menu = Forms::get<TfrmAvvio>(QStringLiteral("frmAvvio"));
    menu->show();
    menu->close();
    QCOMPARE(Seams::AppExit::count(), 1);
    QTest::mouseClick(menu->imgEsci, Qt::LeftButton);
    QCOMPARE(Seams::AppExit::count(), 2);
    QVERIFY(Seams::Messages::shown().isEmpty()); // no question on leaving
}

void TestApp::helpOpensGuideFromFolderWithBlanks()
{
    TestProgramFolder folder(QStringLiteral("Programmi Ufficio/Versalia 2024"));
    TfrmAvvio menu;
    // The real help window, registered with the seam as at start-up.
    Seams::Help::setScripted(false);
    TfrmGuida::registerAsHelp();
    const auto unregister = qScopeGuard([] {
        Seams::Help::setWindow({});
        Seams::Help::setScripted(true);
    });
    bool seen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *help = qobject_cast<TfrmGuida *>(w);
        QVERIFY(help);
        seen = true;
        QCOMPARE(help->lblTitolo->text(), QStringLiteral("Uno sguardo a Versalia."));
        const QStringList paragraphs = help->txtGuida->toPlainText().split(QStringLiteral("\n\n"));
        QCOMPARE(paragraphs.size(), 32);
        QVERIFY(paragraphs.first().startsWith(QStringLiteral(
            "Versalia è un software progettato per la compilazione e la stampa dei bollettini postali")));
        QCOMPARE(help->size(), QSize(676, 598));
        QTest::mouseClick(help->lnkWeb, Qt::LeftButton);
        QTest::mouseClick(help->btnChiudi, Qt::LeftButton);
    });
    menu.imgGuidaClick();
    QVERIFY(seen);
    QCOMPARE(Seams::Shell::opened(),
             QStringList{QLatin1Char('"') + folder.path() + QStringLiteral("Guida.pdf") + QLatin1Char('"')});
    QVERIFY(folder.path().contains(QLatin1Char(' ')));
    QCOMPARE(TestSupport::helpParagraphs().size(), 32);
    QVERIFY(Seams::Help::shown().last().text.contains(QStringLiteral("girasolebianco")));
}

void TestApp::informationAndCredits()
{
    TfrmAvvio menu;
    bool seen = false;
    TestSupport::onNextModal([&](QWidget *w) {
        auto *info = qobject_cast<TfrmInfo *>(w);
        QVERIFY(info);
        seen = true;
        QTest::mousePress(info->lnkWeb, Qt::LeftButton);
        QCOMPARE(info->lnkWeb->palette().color(QPalette::WindowText), QColor(0xFF, 0xA5, 0x00));
        QTest::mouseRelease(info->lnkWeb, Qt::LeftButton);
        QCOMPARE(info->lnkWeb->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x8B));
        QTest::mouseClick(info->btnChiudi, Qt::LeftButton);
    });
    menu.imgInfoClick();
    QVERIFY(seen);
    QCOMPARE(Seams::Shell::opened(),
             QStringList{QStringLiteral("\"mailto:") + TfrmInfo::vendorEmail() +
                         QStringLiteral("?subject=Software Versalia&body=Salve, desidererei avere le seguenti "
                                        "informazioni sul software in oggetto:\"")});

    seen = false;
    Seams::Shell::opened().clear();
    TestSupport::onNextModal([&](QWidget *w) {
        auto *credits = qobject_cast<TfrmSplash *>(w);
        QVERIFY(credits);
        seen = true;
        QTest::mouseClick(credits->imgWeb, Qt::LeftButton);
        QTest::mouseClick(credits->btnChiudi, Qt::LeftButton);
    });
    menu.imgCopyrightClick();
    QVERIFY(seen);
    QCOMPARE(Seams::Shell::opened(), QStringList{TfrmSplash::vendorSite()});
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestApp)
#include "test_app.moc"

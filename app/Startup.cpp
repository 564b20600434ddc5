#include "app/Startup.h"

#include "agenda/Confermati.h"
#include "agenda/DaConfermare.h"
#include "agenda/DeadlineRecord.h"
#include "agenda/ExpGiornaliere.h"
#include "agenda/ExpImminenti.h"
#include "agenda/ExpMensili.h"
#include "agenda/ExpScadenzario.h"
#include "agenda/NonConfermati.h"
#include "agenda/Scadenzario.h"
#include "agenda/TrovaScadenzario.h"
#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "app/CopieSicurezza.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Password.h"
#include "app/Splash.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIva.h"
#include "core/Backup.h"
#include "core/Formats.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/DesktopSeams.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/WindowNames.h"
#include "registry/AllegaCartella.h"
#include "registry/Anagrafica.h"
#include "registry/AnteprimaAnagrafica.h"
#include "registry/ApplicantRecord.h"
#include "registry/ContrattiScaduti.h"
#include "registry/ExpAnagrafica.h"
#include "registry/StampaAnagrafica.h"
#include "registry/TrovaAnagrafica.h"
#include "slips/AnteprimaPse.h"
#include "slips/Bollettino.h"
#include "slips/DaSaldare.h"
#include "slips/ExpBollettini.h"
#include "slips/Scadute.h"
#include "slips/SlipRecord.h"
#include "slips/StampaBolTer.h"
#include "slips/TrovaBollettini.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>
#include <functional>

namespace {
struct WindowEntry {
    QStringView instance;
    std::function<QWidget *()> create;
};

template <class T> std::function<QWidget *()> make()
{
    return [] { return static_cast<QWidget *>(new T); };
}

// The creation table. Windows join it as they are built; the first created is the first shown.
const std::vector<WindowEntry> &table()
{
    static const std::vector<WindowEntry> t = {
        {WindowNames::password, make<TfrmPassword>()},
        {WindowNames::avvio, make<TfrmAvvio>()},
        {WindowNames::cambiaPassword, make<TfrmCambiaPassword>()},
        {WindowNames::carta, make<TfrmCarta>()},
        {WindowNames::codFisc, make<TfrmCodFisc>()},
        {WindowNames::guida, make<TfrmGuida>()},
        {WindowNames::iban, make<TfrmIban>()},
        {WindowNames::info, make<TfrmInfo>()},
        {WindowNames::partitaIva, make<TfrmPartitaIva>()},
        {WindowNames::splash, make<TfrmSplash>()},
        {WindowNames::bollettino, make<TfrmBollettino>()},
        {WindowNames::allegaCartella, make<TfrmAllegaCartella>()},
        {WindowNames::calendario, make<TfrmCalendario>()},
        {WindowNames::anteprimaPse, make<TfrmAnteprimaPse>()},
        {WindowNames::expBollettini, make<TfrmExpBollettini>()},
        {WindowNames::scadute, make<TfrmScadute>()},
        {WindowNames::daSaldare, make<TfrmDaSaldare>()},
        {WindowNames::trovaBollettini, make<TfrmTrovaBollettini>()},
        {WindowNames::stampaBolTer, make<TfrmStampaBolTer>()},
        {WindowNames::anagrafica, make<TfrmAnagrafica>()},
        {WindowNames::trovaAnagrafica, make<TfrmTrovaAnagrafica>()},
        {WindowNames::expAnagrafica, make<TfrmExpAnagrafica>()},
        {WindowNames::contrattiScaduti, make<TfrmContrattiScaduti>()},
        {WindowNames::scadenzario, make<TfrmScadenzario>()},
        {WindowNames::expImminenti, make<TfrmExpImminenti>()},
        {WindowNames::expGiornaliere, make<TfrmExpGiornaliere>()},
        {WindowNames::expMensili, make<TfrmExpMensili>()},
        {WindowNames::expScadenzario, make<TfrmExpScadenzario>()},
        {WindowNames::confermati, make<TfrmConfermati>()},
        {WindowNames::nonConfermati, make<TfrmNonConfermati>()},
        {WindowNames::daConfermare, make<TfrmDaConfermare>()},
        {WindowNames::trovaScadenzario, make<TfrmTrovaScadenzario>()},
        {WindowNames::anteprimaAnagrafica, make<TfrmAnteprimaAnagrafica>()},
        {WindowNames::stampaAnagrafica, make<TfrmStampaAnagrafica>()},
    };
    return t;
}
} // namespace

namespace Startup {

void prepare()
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    // No shared OpenGL context: nothing here draws with OpenGL, and making one costs a third of the start.
}

void registerArchives()
{
    Backup::setArchiveKinds({{QStringLiteral(".pse"), kSlipLayout.size()},
                             {QStringLiteral(".sca"), kDeadlineLayout.size()},
                             {QStringLiteral("Richiedenti.pro"), kApplicantLayout.size()}});
}

void initialise(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Versalia"));
    // No display name: the platform would append it to every caption (" Versalia - Accesso — Versalia").
    QApplication::setOrganizationName(QStringLiteral("Versalia"));
    Formats::applyProcessFormats();
    static QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtbase);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/versalia.svg"))); // square, as window icons are
    Input::installApplicationBehaviours();
    registerArchives();
    DesktopSeams::install();
    TfrmGuida::registerAsHelp();
}

namespace {
std::size_t g_next = 0; // the next row of the table to create

void createUpTo(std::size_t end)
{
    while (g_next < end && g_next < table().size()) {
        const auto &entry = table()[g_next++];
        QWidget *w = entry.create();
        // Each window names itself from the same constant; a window that did not cannot be found by the others.
        if (w->objectName() != entry.instance)
            qFatal("the window created for %s calls itself %s", qPrintable(entry.instance.toString()),
                   qPrintable(w->objectName()));
        Forms::add(w);
    }
    if (g_next == table().size())
        if (auto *menu = Forms::get<TfrmAvvio>(WindowNames::avvio))
            menu->updateTiles();
}

void wire()
{
    // The agenda's applicant import opens the registry's search, which writes the client fields back.
    TfrmScadenzario::setApplicantSearchFactory([](QWidget *owner) -> QDialog * {
        auto *search = new TfrmTrovaAnagrafica(owner);
        search->lblMemory->setText(QStringLiteral("scadenzario"));
        return search;
    });
}

// After the first window's first paint, the rest of the table is created in its order; a window asked for
// earlier is created on the spot (Forms), with every window before it.
class AfterFirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                qApp, [] { Forms::all(); }, Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }
};
} // namespace

void createWindows()
{
    Forms::setPending({});
    g_next = 0;
    wire();
    createUpTo(table().size());
}

std::size_t createdCount()
{
    return g_next;
}

QStringList creationOrder()
{
    QStringList names;
    for (const auto &entry : table())
        names << entry.instance.toString();
    return names;
}

QWidget *firstWindow()
{
    return Forms::get(table().front().instance);
}

void start()
{
    g_next = 0;
    wire();
    // The login first: it is all the user sees until the password is accepted.
    createUpTo(1);
    Forms::setPending([] { createUpTo(table().size()); });
    QWidget *first = firstWindow();
    first->installEventFilter(new AfterFirstPaint(first));
    first->show();
}

int run(int argc, char **argv)
{
    prepare();
    QApplication app(argc, argv);
    initialise(app);
    DailyCopy::start(); // on its own thread: the login window does not wait for it
    start();
    const int rc = app.exec();
    DailyCopy::wait();
    Forms::clear();
    return rc;
}

} // namespace Startup

#include "app/Startup.h"

#include "agenda/Confermati.h"
#include "agenda/DaConfermare.h"
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
#include "app/Password.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIva.h"
#include "core/Formats.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/Input.h"
#include "registry/AllegaCartella.h"
#include "registry/Anagrafica.h"
#include "slips/AnteprimaPse.h"
#include "slips/Bollettino.h"
#include "slips/DaSaldare.h"
#include "slips/ExpBollettini.h"
#include "slips/Scadute.h"
#include "slips/StampaBolTer.h"
#include "slips/TrovaBollettini.h"
#include "core/Forms.h"
#include "registry/AnteprimaAnagrafica.h"
#include "registry/ContrattiScaduti.h"
#include "registry/ExpAnagrafica.h"
#include "registry/StampaAnagrafica.h"
#include "registry/TrovaAnagrafica.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>
#include <functional>

namespace {
struct WindowEntry {
    const char *instance;
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
        {"frmPassword", make<TfrmPassword>()},
        {"frmAvvio", make<TfrmAvvio>()},
        {"frmCambiaPassword", make<TfrmCambiaPassword>()},
        {"frmCarta", make<TfrmCarta>()},
        {"frmCodFisc", make<TfrmCodFisc>()},
        {"frmGuida", make<TfrmGuida>()},
        {"frmIban", make<TfrmIban>()},
        {"frmInfo", make<TfrmInfo>()},
        {"frmPartitaIva", make<TfrmPartitaIva>()},
        {"frmSplash", make<TfrmSplash>()},
        {"frmBollettino", make<TfrmBollettino>()},
        {"frmAllegaCartella", make<TfrmAllegaCartella>()},
        {"frmCalendario", make<TfrmCalendario>()},
        {"frmAnteprimaPse", make<TfrmAnteprimaPse>()},
        {"frmExpBollettini", make<TfrmExpBollettini>()},
        {"frmScadute", make<TfrmScadute>()},
        {"frmDaSaldare", make<TfrmDaSaldare>()},
        {"frmTrovaBollettini", make<TfrmTrovaBollettini>()},
        {"frmStampaBolTer", make<TfrmStampaBolTer>()},
        {"frmAnagrafica", make<TfrmAnagrafica>()},
        {"frmTrovaAnagrafica", make<TfrmTrovaAnagrafica>()},
        {"frmExpAnagrafica", make<TfrmExpAnagrafica>()},
        {"frmContrattiScaduti", make<TfrmContrattiScaduti>()},
        {"frmScadenzario", make<TfrmScadenzario>()},
        {"frmExpImminenti", make<TfrmExpImminenti>()},
        {"frmExpGiornaliere", make<TfrmExpGiornaliere>()},
        {"frmExpMensili", make<TfrmExpMensili>()},
        {"frmExpScadenzario", make<TfrmExpScadenzario>()},
        {"frmConfermati", make<TfrmConfermati>()},
        {"frmNonConfermati", make<TfrmNonConfermati>()},
        {"frmDaConfermare", make<TfrmDaConfermare>()},
        {"frmTrovaScadenzario", make<TfrmTrovaScadenzario>()},
        {"frmAnteprimaAnagrafica", make<TfrmAnteprimaAnagrafica>()},
        {"frmStampaAnagrafica", make<TfrmStampaAnagrafica>()},
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
}

namespace {
std::size_t g_next = 0; // the next row of the table to create

void createUpTo(std::size_t end)
{
    while (g_next < end && g_next < table().size()) {
        const auto &entry = table()[g_next++];
        QWidget *w = entry.create();
        w->setObjectName(QString::fromLatin1(entry.instance));
        Forms::add(w);
    }
    if (g_next == table().size())
        if (auto *menu = Forms::get<TfrmAvvio>(QStringLiteral("frmAvvio")))
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

std::size_t createdCount() { return g_next; }

QStringList creationOrder()
{
    QStringList names;
    for (const auto &entry : table())
        names << QString::fromLatin1(entry.instance);
    return names;
}

QWidget *firstWindow() { return Forms::get(QString::fromLatin1(table().front().instance)); }

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

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
        {"frmCalendario", make<TfrmCalendario>()},
        {"frmAnteprimaPse", make<TfrmAnteprimaPse>()},
        {"frmExpBollettini", make<TfrmExpBollettini>()},
        {"frmScadute", make<TfrmScadute>()},
        {"frmDaSaldare", make<TfrmDaSaldare>()},
        {"frmTrovaBollettini", make<TfrmTrovaBollettini>()},
        {"frmStampaBolTer", make<TfrmStampaBolTer>()},
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
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void initialise(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Versalia"));
    QApplication::setApplicationDisplayName(QStringLiteral("Versalia"));
    QApplication::setOrganizationName(QStringLiteral("Versalia"));
    Formats::applyProcessFormats();
    static QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtbase);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/logo.svg")));
}

void createWindows()
{
    // The agenda's applicant import opens the registry's search, which writes the client fields back.
    TfrmScadenzario::setApplicantSearchFactory([](QWidget *owner) -> QDialog * {
        auto *search = new TfrmTrovaAnagrafica(owner);
        search->lblMemory->setText(QStringLiteral("scadenzario"));
        return search;
    });
    for (const auto &entry : table()) {
        QWidget *w = entry.create();
        w->setObjectName(QString::fromLatin1(entry.instance));
        Forms::add(w);
    }
    if (auto *menu = Forms::get<TfrmAvvio>(QStringLiteral("frmAvvio")))
        menu->updateTiles();
}

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
    createWindows();
    firstWindow()->show();
}

int run(int argc, char **argv)
{
    prepare();
    QApplication app(argc, argv);
    initialise(app);
    start();
    const int rc = app.exec();
    Forms::clear();
    return rc;
}

} // namespace Startup

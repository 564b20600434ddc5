#include "app/CopieSicurezza.h"

#include "core/Formats.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"
#include "core/widgets/WindowStyle.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <memory>

namespace {
QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString copyDateText(const Backup::Copy &c)
{
    QString text = Formats::dateText(c.date);
    if (c.beforeRestore) // AAAA-MM-GG_hhmmss_...
        text += QStringLiteral(" %1:%2 (prima del ripristino)").arg(c.name.mid(11, 2), c.name.mid(13, 2));
    return text;
}

QString sizeText(qint64 bytes)
{
    return QLocale(QLocale::Italian, QLocale::Italy).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}
} // namespace

TfrmCopieSicurezza::TfrmCopieSicurezza(QWidget *parent) : QDialog(parent)
{
    Formats::applyProcessFormats();
    setObjectName(QStringLiteral("frmCopieSicurezza"));
    setWindowTitle(QStringLiteral(" Copie di sicurezza degli archivi"));
    WindowStyle::fixedDialog(this);

    auto *intro = new QLabel(QStringLiteral("Ogni giorno, alla prima apertura del programma, gli archivi vengono "
                                            "copiati nella cartella Copie_di_sicurezza. Si conservano le copie degli "
                                            "ultimi 10 giorni e la prima copia di ciascuno degli ultimi 12 mesi."),
                             this);
    intro->setWordWrap(true);

    grdCopie = new QTableWidget(0, 3, this);
    grdCopie->setObjectName(QStringLiteral("grdCopie"));
    grdCopie->setHorizontalHeaderLabels({QStringLiteral("Data"), QStringLiteral("File"), QStringLiteral("Dimensione")});
    grdCopie->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdCopie->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdCopie->setSelectionMode(QAbstractItemView::SingleSelection);
    grdCopie->verticalHeader()->hide();
    grdCopie->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grdCopie->setMinimumSize(520, 260);

    btnRipristina = button(QStringLiteral("btnRipristina"), QStringLiteral("Ripristina la copia selezionata"), this);
    txtSecondaCartella = new QLineEdit(this);
    txtSecondaCartella->setObjectName(QStringLiteral("txtSecondaCartella"));
    txtSecondaCartella->setReadOnly(true);
    txtSecondaCartella->setPlaceholderText(QStringLiteral("Nessuna"));
    btnScegli = button(QStringLiteral("btnScegli"), QStringLiteral("Scegli..."), this);
    btnNessuna = button(QStringLiteral("btnNessuna"), QStringLiteral("Nessuna"), this);
    btnChiudi = button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);

    connect(btnRipristina, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnRipristinaClick);
    connect(btnScegli, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnScegliClick);
    connect(btnNessuna, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnNessunaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto *second = new QGroupBox(QStringLiteral("Seconda cartella (chiavetta USB o altro disco)"), this);
    auto *secondRow = new QHBoxLayout(second);
    secondRow->addWidget(txtSecondaCartella, 1);
    secondRow->addWidget(btnScegli);
    secondRow->addWidget(btnNessuna);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnRipristina);
    buttons->addStretch();
    buttons->addWidget(btnChiudi);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(grdCopie);
    layout->addWidget(second);
    layout->addLayout(buttons);
}

void TfrmCopieSicurezza::showEvent(QShowEvent *e)
{
    FormShow();
    WindowStyle::centre(this);
    QDialog::showEvent(e);
}

void TfrmCopieSicurezza::FormShow()
{
    m_copies = Backup::list(ProgramFolder::file(Backup::rootName()));
    grdCopie->setRowCount(int(m_copies.size()));
    for (int row = 0; row < m_copies.size(); ++row) {
        const Backup::Copy &c = m_copies[row];
        const QStringList cells = {copyDateText(c), QString::number(c.files), sizeText(c.bytes)};
        for (int col = 0; col < cells.size(); ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            if (col > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdCopie->setItem(row, col, item);
        }
    }
    if (!m_copies.isEmpty())
        grdCopie->selectRow(0);
    btnRipristina->setEnabled(!m_copies.isEmpty());
    txtSecondaCartella->setText(QDir::toNativeSeparators(Backup::secondFolder(ProgramFolder::path())));
}

void TfrmCopieSicurezza::btnRipristinaClick()
{
    const int row = grdCopie->currentRow();
    if (row < 0 || row >= m_copies.size()) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: selezionare la copia da ripristinare."));
        return;
    }
    const Backup::Copy copy = m_copies[row];
    const QString when = copyDateText(copy);
    if (Seams::Messages::question(
            this, QStringLiteral("Ripristinare gli archivi dalla copia del %1?\n\r\n\rPrima del ripristino verrà "
                                 "eseguita una copia dello stato attuale degli archivi.")
                      .arg(when)) != Seams::Answer::Yes)
        return;

    const Backup::RestoreResult r = Backup::restore(ProgramFolder::path(), copy, Seams::Clock::now());
    FormShow();
    if (r.ok) {
        Seams::Messages::information(
            this, QStringLiteral("Ripristino completato dalla copia del %1.\n\r\n\rFile ripristinati: %2.\n\r\n\r"
                                 "Lo stato precedente è conservato nella copia %3; gli archivi che la copia "
                                 "ripristinata non contiene non sono stati modificati.")
                      .arg(when, r.restored.join(QStringLiteral(", ")), r.beforeRestore));
    } else if (r.beforeRestore.isEmpty()) {
        Seams::Messages::warning(
            this, QStringLiteral("Attenzione: il ripristino non è stato eseguito perché non è stato possibile copiare "
                                 "lo stato attuale degli archivi.\n\r\n\r%1\n\r\n\rNessun file è stato modificato.")
                      .arg(r.error));
    } else {
        Seams::Messages::warning(
            this, QStringLiteral("Attenzione: il ripristino non è stato completato.\n\r\n\r%1\n\r\n\rFile "
                                 "ripristinati: %2. Lo stato precedente è conservato nella copia %3.")
                      .arg(r.error, r.restored.isEmpty() ? QStringLiteral("nessuno") : r.restored.join(u','),
                           r.beforeRestore));
    }
}

void TfrmCopieSicurezza::btnScegliClick()
{
    const QString folder = Seams::FileDialog::getExistingDirectory(
        this, QStringLiteral("Scegliere la seconda cartella delle copie di sicurezza"));
    if (folder.isEmpty())
        return;
    if (!Backup::setSecondFolder(ProgramFolder::path(), folder)) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: non è stato possibile salvare la scelta nel file "
                                                      "%1.")
                                           .arg(Backup::settingsName()));
        return;
    }
    txtSecondaCartella->setText(QDir::toNativeSeparators(folder));
    // The newest copy goes there at once, so the new folder does not wait for tomorrow's start.
    QString error;
    if (!m_copies.isEmpty() && !Backup::mirror(m_copies.first(), QDir(folder).filePath(Backup::rootName()), &error))
        Seams::Messages::warning(this,
                                 QStringLiteral("Attenzione: non è stato possibile copiare l'ultima copia di sicurezza "
                                                "nella cartella scelta.\n\r\n\r%1")
                                     .arg(error));
}

void TfrmCopieSicurezza::btnNessunaClick()
{
    if (!Backup::setSecondFolder(ProgramFolder::path(), QString()))
        Seams::Messages::warning(this, QStringLiteral("Attenzione: non è stato possibile salvare la scelta nel file "
                                                      "%1.")
                                           .arg(Backup::settingsName()));
    txtSecondaCartella->setText(QDir::toNativeSeparators(Backup::secondFolder(ProgramFolder::path())));
}

namespace DailyCopy {
namespace {
QPointer<QThread> &running()
{
    static QPointer<QThread> t;
    return t;
}
} // namespace

QString failureText(const Backup::DailyResult &r)
{
    if (r.outcome == Backup::DailyResult::Failed)
        return QStringLiteral("Attenzione: non è stato possibile eseguire la copia di sicurezza giornaliera degli "
                              "archivi.\n\r\n\r%1\n\r\n\rGli archivi non sono stati modificati. Accertarsi che ci sia "
                              "spazio sul disco e di possedere i privilegi di scrittura nella cartella di "
                              "installazione del programma.")
            .arg(r.error);
    if (!r.secondError.isEmpty())
        return QStringLiteral("Attenzione: la copia di sicurezza di oggi non è stata salvata nella seconda cartella "
                              "%1.\n\r\n\r%2\n\r\n\rLa copia nella cartella del programma è stata eseguita.")
            .arg(QDir::toNativeSeparators(r.secondFolder), r.secondError);
    return {};
}

void start()
{
    // Read on the GUI thread: the clock and the program folder belong to it.
    const QString folder = ProgramFolder::path();
    const QDate today = Seams::Clock::today();
    auto result = std::make_shared<Backup::DailyResult>();
    QThread *thread = QThread::create([folder, today, result] { *result = Backup::takeDaily(folder, today); });
    QObject::connect(thread, &QThread::finished, qApp, [thread, result] {
        thread->deleteLater();
        const QString text = failureText(*result);
        if (!text.isEmpty())
            Seams::Messages::warning(nullptr, text);
    });
    running() = thread;
    thread->start(QThread::LowPriority);
}

void wait()
{
    if (running())
        running()->wait();
}
} // namespace DailyCopy

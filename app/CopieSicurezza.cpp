#include "app/CopieSicurezza.h"

#include "app/PasswordStore.h"
#include "core/ArchiveTexts.h"
#include "core/Formats.h"
#include "core/ProgramFolder.h"
#include "core/Seams.h"
#include "core/widgets/BackgroundWork.h"
#include "core/widgets/WindowStyle.h"

#include <QApplication>
#include <QCheckBox>
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
const QString kParagraph = QStringLiteral("\n\r\n\r");

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// "AAAA-MM-GG" or "AAAA-MM-GG_hhmmss_prima_del_ripristino" as the user reads it.
QString copyDateText(const QString &name)
{
    QString text = Formats::dateText(QDate::fromString(name.left(10), QStringLiteral("yyyy-MM-dd")));
    if (name.size() > 10) // AAAA-MM-GG_hhmmss_...
        text += QStringLiteral(" %1:%2 (prima del ripristino)").arg(name.mid(11, 2), name.mid(13, 2));
    return text;
}

QString listText(const Backup::Copy &c, const QDate &today)
{
    QString text = copyDateText(c.name);
    if (c.date > today)
        text += QStringLiteral(" (data futura)");
    if (!c.verifiable)
        text += QStringLiteral(" (non verificabile)");
    return text;
}

QString sizeText(qint64 bytes)
{
    return QLocale(QLocale::Italian, QLocale::Italy).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// The files a restore put back as the user reads them: the archives and settings by name, the attachments
// counted.
QString restoredText(const QStringList &names)
{
    QStringList files;
    int attachments = 0;
    for (const QString &n : names) {
        if (n.startsWith(Backup::attachmentsName() + u'/'))
            ++attachments;
        else
            files << n;
    }
    files.sort();
    if (attachments == 1)
        files << QStringLiteral("1 documento allegato");
    else if (attachments > 1)
        files << QStringLiteral("%1 documenti allegati").arg(attachments);
    return files.isEmpty() ? QStringLiteral("nessuno") : files.join(QStringLiteral(", "));
}

bool restoredPassword(const QStringList &names)
{
    return names.contains(Backup::passwordStoreName(), Qt::CaseInsensitive);
}
} // namespace

TfrmCopieSicurezza::TfrmCopieSicurezza(QWidget *parent) : QDialog(parent)
{
    Formats::applyProcessFormats();
    setObjectName(QStringLiteral("frmCopieSicurezza"));
    setWindowTitle(QStringLiteral(" Copie di sicurezza degli archivi"));
    WindowStyle::fixedDialog(this);

    auto *intro = new QLabel(QStringLiteral("Ogni giorno, alla prima apertura del programma, gli archivi, le "
                                            "impostazioni e i documenti allegati vengono copiati nella cartella "
                                            "Copie_di_sicurezza. Si conservano le 10 copie più recenti e la prima "
                                            "copia di ciascuno degli ultimi 12 mesi in cui ne è stata fatta una."),
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
    grdCopie->setMinimumSize(560, 260);

    btnRipristina = button(QStringLiteral("btnRipristina"), QStringLiteral("Ripristina la copia selezionata"), this);
    chkPassword = new QCheckBox(QStringLiteral("Ripristina anche la password di accesso (la password tornerà quella "
                                               "in uso il giorno della copia)"),
                                this);
    chkPassword->setObjectName(QStringLiteral("chkPassword"));
    chkPassword->setChecked(false);
    btnCopiaAdesso = button(QStringLiteral("btnCopiaAdesso"), QStringLiteral("Copia adesso"), this);
    btnCopiaAdesso->setToolTip(QStringLiteral("Esegue subito la copia di sicurezza di oggi, al posto di quella "
                                              "eseguita all'avvio."));
    txtSecondaCartella = new QLineEdit(this);
    txtSecondaCartella->setObjectName(QStringLiteral("txtSecondaCartella"));
    txtSecondaCartella->setReadOnly(true);
    txtSecondaCartella->setPlaceholderText(QStringLiteral("Nessuna"));
    btnScegli = button(QStringLiteral("btnScegli"), QStringLiteral("Scegli..."), this);
    btnNessuna = button(QStringLiteral("btnNessuna"), QStringLiteral("Nessuna"), this);
    btnChiudi = button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);

    connect(btnRipristina, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnRipristinaClick);
    connect(btnCopiaAdesso, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnCopiaAdessoClick);
    connect(btnScegli, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnScegliClick);
    connect(btnNessuna, &QPushButton::clicked, this, &TfrmCopieSicurezza::btnNessunaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto *second = new QGroupBox(QStringLiteral("Seconda cartella (chiavetta USB o altro disco)"), this);
    auto *secondRow = new QHBoxLayout(second);
    secondRow->addWidget(txtSecondaCartella, 1);
    secondRow->addWidget(btnScegli);
    secondRow->addWidget(btnNessuna);

    auto *restoreRow = new QHBoxLayout;
    restoreRow->addWidget(btnRipristina);
    restoreRow->addWidget(chkPassword, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnCopiaAdesso);
    buttons->addStretch();
    buttons->addWidget(btnChiudi);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(grdCopie);
    layout->addLayout(restoreRow);
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
    const QDate today = Seams::Clock::today();
    m_copies = Backup::list(ProgramFolder::file(Backup::rootName()));
    grdCopie->setRowCount(int(m_copies.size()));
    int preselect = -1;
    for (int row = 0; row < m_copies.size(); ++row) {
        const Backup::Copy &c = m_copies[row];
        // A copy dated after today (a clock that was ahead) is never offered first.
        if (preselect < 0 && c.date <= today)
            preselect = row;
        const QStringList cells = {listText(c, today), QString::number(c.files), sizeText(c.bytes)};
        for (int col = 0; col < cells.size(); ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            if (col > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdCopie->setItem(row, col, item);
        }
    }
    grdCopie->clearSelection();
    grdCopie->setCurrentCell(-1, -1);
    if (preselect >= 0)
        grdCopie->selectRow(preselect);
    btnRipristina->setEnabled(!m_copies.isEmpty());
    txtSecondaCartella->setText(QDir::toNativeSeparators(Backup::secondFolder(ProgramFolder::path())));
}

QString TfrmCopieSicurezza::restoreText(const Backup::RestoreResult &r, const QString &when)
{
    using R = Backup::RestoreResult;
    if (r.ok && r.restored.isEmpty())
        return QStringLiteral("La copia del %1 è uguale allo stato attuale degli archivi: nessun file è stato "
                              "modificato.")
            .arg(when);
    if (r.ok) {
        QString text = QStringLiteral("Ripristino completato dalla copia del %1.%2File ripristinati: %3.%2Lo stato "
                                      "precedente è conservato nella copia %4; gli archivi che la copia ripristinata "
                                      "non contiene non sono stati modificati.")
                           .arg(when, kParagraph, restoredText(r.restored), r.beforeRestore);
        if (restoredPassword(r.restored))
            text +=
                kParagraph + QStringLiteral("La password di accesso è tornata quella in uso il giorno della copia.");
        if (!r.notRestored.isEmpty())
            text += kParagraph + QStringLiteral("Non sono stati ripristinati, perché al loro posto si trova un "
                                                "collegamento o una cartella: %1.")
                                     .arg(r.notRestored.join(QStringLiteral(", ")));
        return text;
    }
    switch (r.failure) {
    case R::None:
        return QStringLiteral("Ripristino annullato: nessun file è stato modificato.");
    case R::InUse:
        return ArchiveTexts::inUse();
    case R::Refused:
        return QStringLiteral("Attenzione: la copia del %1 non può essere ripristinata.%2%3%2Nessun file è stato "
                              "modificato.")
            .arg(when, kParagraph, r.error);
    case R::Failed:
        break;
    }
    if (r.beforeRestore.isEmpty())
        return QStringLiteral("Attenzione: il ripristino non è stato eseguito.%1%2%1Nessun file è stato modificato.")
            .arg(kParagraph, r.error);
    return QStringLiteral("Attenzione: il ripristino non è stato completato.%1%2%1File ripristinati: %3. Lo stato "
                          "precedente è conservato nella copia %4.")
        .arg(kParagraph, r.error, restoredText(r.restored), r.beforeRestore);
}

void TfrmCopieSicurezza::btnRipristinaClick()
{
    const auto selected = grdCopie->selectionModel()->selectedRows();
    const int row = selected.isEmpty() ? -1 : selected.first().row();
    if (row < 0 || row >= m_copies.size()) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: selezionare la copia da ripristinare."));
        return;
    }
    const Backup::Copy copy = m_copies[row];
    const QString when = copyDateText(copy.name);
    Backup::RestoreOptions options;
    options.password = chkPassword->isChecked();
    options.passwordParses = &DailyCopy::passwordParses;
    QString question = QStringLiteral("Ripristinare gli archivi e i documenti allegati dalla copia del %1?%2Prima del "
                                      "ripristino verrà eseguita una copia dello stato attuale degli archivi.")
                           .arg(when, kParagraph);
    if (options.password)
        question +=
            kParagraph + QStringLiteral("Anche la password di accesso tornerà quella in uso il giorno della copia.");
    if (Seams::Messages::question(this, question) != Seams::Answer::Yes)
        return;

    const QString folder = ProgramFolder::path();
    const QDateTime now = Seams::Clock::now();
    Backup::RestoreResult r;
    BackgroundWork::run(this, QStringLiteral("Ripristino della copia del %1 in corso...").arg(when),
                        [&](FileCopy::Progress &p) { r = Backup::restore(folder, copy, now, options, &p); });
    FormShow();
    const QString text = restoreText(r, when);
    if (r.ok || r.failure == Backup::RestoreResult::None)
        Seams::Messages::information(this, text);
    else
        Seams::Messages::warning(this, text);
}

void TfrmCopieSicurezza::btnCopiaAdessoClick()
{
    const QString folder = ProgramFolder::path();
    const QDate today = Seams::Clock::today();
    Backup::DailyResult r;
    BackgroundWork::run(this, QStringLiteral("Copia di sicurezza in corso..."),
                        [&](FileCopy::Progress &p) { r = Backup::takeNow(folder, today, &p); });
    FormShow();
    const QString failure = DailyCopy::failureText(r);
    if (r.outcome == Backup::DailyResult::Taken && failure.isEmpty())
        Seams::Messages::information(this, QStringLiteral("La copia di sicurezza di oggi è stata eseguita."));
    else if (r.outcome == Backup::DailyResult::Failed && r.error.isEmpty())
        Seams::Messages::information(this, QStringLiteral("Copia annullata: la copia di sicurezza di oggi è rimasta "
                                                          "quella di prima."));
    else if (!failure.isEmpty())
        Seams::Messages::warning(this, failure);
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
    bool ok = true;
    if (!m_copies.isEmpty()) {
        const Backup::Copy newest = m_copies.first();
        const QString root = QDir(folder).filePath(Backup::rootName());
        BackgroundWork::run(
            this, QStringLiteral("Copia nella seconda cartella in corso..."),
            [&](FileCopy::Progress &) { ok = Backup::mirror(newest, root, &error); }, false);
    }
    if (!ok)
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

void tell(Seams::MsgKind kind, const QString &text)
{
    if (!text.isEmpty())
        QMetaObject::invokeMethod(
            qApp, [kind, text] { Seams::Messages::show(nullptr, kind, text); }, Qt::QueuedConnection);
}
} // namespace

bool passwordParses(const QString &storePath)
{
    return PasswordStore::holdsPassword(storePath);
}

QString failureText(const Backup::DailyResult &r)
{
    using D = Backup::DailyResult;
    if (r.outcome == D::InUse)
        return QStringLiteral("Attenzione: la copia di sicurezza giornaliera degli archivi non è stata eseguita "
                              "perché l'archivio %1 è in uso da un'altra postazione di lavoro.%2La copia verrà "
                              "eseguita al prossimo avvio del programma.")
            .arg(r.inUseFile, kParagraph);
    if (r.outcome == D::Failed)
        return QStringLiteral("Attenzione: non è stato possibile eseguire la copia di sicurezza giornaliera degli "
                              "archivi.%2%1%2Gli archivi non sono stati modificati. Accertarsi che ci sia spazio sul "
                              "disco e di possedere i privilegi di scrittura nella cartella di installazione del "
                              "programma.")
            .arg(r.error, kParagraph);
    QStringList parts;
    QStringList files = r.skipped;
    if (files.removeAll(Backup::attachmentsName()) > 0)
        parts << QStringLiteral("Attenzione: la copia di sicurezza di oggi non comprende i documenti allegati, perché "
                                "%1 non è una vera cartella (è un collegamento a un'altra posizione).")
                     .arg(Backup::attachmentsName());
    if (!files.isEmpty())
        parts << QStringLiteral(
                     "Attenzione: la copia di sicurezza di oggi non comprende %1, perché la dimensione non è "
                     "quella di un archivio integro (non è un numero intero di schede, oppure supera 1 GB). "
                     "Gli altri file sono stati copiati.")
                     .arg(files.join(QStringLiteral(", ")));
    if (!r.secondError.isEmpty())
        parts << QStringLiteral("Attenzione: la copia di sicurezza di oggi non è stata salvata nella seconda cartella "
                                "%1.%3%2%3La copia nella cartella del programma è stata eseguita.")
                     .arg(QDir::toNativeSeparators(r.secondFolder), r.secondError, kParagraph);
    return parts.join(kParagraph);
}

QString recoveryText(const Backup::RecoveryResult &r)
{
    using R = Backup::RecoveryResult;
    const QString when = copyDateText(r.copyName);
    switch (r.outcome) {
    case R::Nothing:
        return {};
    case R::Completed:
        return QStringLiteral("Il ripristino dalla copia del %1 si era interrotto prima della fine: è stato completato "
                              "ora.%2File ripristinati: %3.%2Lo stato precedente al ripristino è conservato nella "
                              "copia %4.")
            .arg(when, kParagraph, restoredText(r.restored), r.beforeRestore);
    case R::RolledBack:
        return QStringLiteral("Attenzione: il ripristino dalla copia del %1 si era interrotto e non è stato possibile "
                              "completarlo, perché i file preparati per il ripristino erano danneggiati. I file già "
                              "sostituiti sono stati riportati allo stato precedente al ripristino.%2Lo stato trovato "
                              "all'avvio è conservato nella copia %3.")
            .arg(when, kParagraph, r.beforeRestore.isEmpty() ? QStringLiteral("-") : r.beforeRestore);
    case R::Pending:
        break;
    }
    return QStringLiteral("Attenzione: il ripristino dalla copia del %1 si era interrotto e non è stato possibile "
                          "concluderlo ora.%2%3%2Verrà ripreso al prossimo avvio del programma; fino ad allora non "
                          "vengono eseguite copie di sicurezza.")
        .arg(when, kParagraph, r.error);
}

void start()
{
    // Read on the GUI thread: the clock and the program folder belong to it.
    const QString folder = ProgramFolder::path();
    const QDateTime now = Seams::Clock::now();
    QThread *thread = QThread::create([folder, now] {
        // A restore cut short first: the day's copy must never be a copy of a half-restored folder.
        const Backup::RecoveryResult recovered = Backup::finishInterruptedRestore(folder, now, &passwordParses);
        tell(recovered.outcome == Backup::RecoveryResult::Completed ? Seams::MsgKind::Information
                                                                    : Seams::MsgKind::Warning,
             recoveryText(recovered));
        if (recovered.outcome == Backup::RecoveryResult::Pending)
            return;
        tell(Seams::MsgKind::Warning, failureText(Backup::takeDaily(folder, now.date())));
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    running() = thread;
    thread->start(QThread::LowPriority);
}

void wait()
{
    if (running())
        running()->wait();
}
} // namespace DailyCopy

#include "slips/Bollettino.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Formats.h"
#include "core/HelpTexts.h"
#include "core/ProgramFolder.h"
#include "core/Routines.h"
#include "core/Seams.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/Controls.h"
#include "core/widgets/EditorFrame.h"
#include "core/widgets/Input.h"
#include "core/widgets/Navigation.h"
#include "core/widgets/Picture.h"
#include "core/widgets/WindowStyle.h"
#include "registry/AllegaCartella.h"
#include "registry/TrovaAnagrafica.h"
#include "slips/AmountInWords.h"
#include "slips/AnteprimaPse.h"
#include "slips/DaSaldare.h"
#include "slips/ExpBollettini.h"
#include "slips/Scadute.h"
#include "slips/SlipRecord.h"
#include "slips/StampaBolTer.h"
#include "slips/TrovaBollettini.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <functional>

using WindowStyle::runModal;

namespace {
constexpr int kWidth = 1080;
constexpr int kHeight = 640;

Picture *command(QWidget *parent, const char *name, const char *svg, QPoint at, int size = 40)
{
    return Controls::picture(parent, name, svg, QSize(size, size), at);
}

const QString kSlipStyle = QStringLiteral(
    "QFrame#panBollettino { background: #E9F3F1; border: 2px solid #2A6F6A; border-radius: 6px; }"
    "QFrame#panBollettino QLabel { color: #1F4F4B; font-weight: bold; }"
    "QFrame#panBollettino QLineEdit { background: white; border: 1px solid #2A6F6A; }"
    "QLineEdit[readOnly=\"true\"] { background: #E4E4E4; }"
    "QLabel#panInfo { background: #4A6A8A; color: white; padding-left: 10px; }"
    "QLineEdit#txtDataScade, QLineEdit#txtDataPaga { background: white; border: 1px solid #708090; }"
    "QLabel#lblPosizione { background: white; border: 1px solid #708090; font-weight: bold; }");
} // namespace

TfrmBollettino::TfrmBollettino(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmBollettino"));
    setWindowTitle(QStringLiteral(" Versalia - Compilazione e stampa bollettini postali"));
    Formats::applyProcessFormats();

    // The slip is drawn at its own size, centred in the maximised window.
    panStage = new QWidget(this);
    panStage->setObjectName(QStringLiteral("panStage"));
    panStage->setFixedSize(kWidth, kHeight);
    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panStage, 0, 0, Qt::AlignCenter);
    setMinimumSize(kWidth, kHeight);

    lblFile = Controls::hidden(this, "lblFile");
    buildYearPanel();
    buildWorkPanel();

    EditorFrame::Config config;
    config.layout = &kSlipLayout;
    config.archivePath = [this] { return lblFile->text().trimmed(); };
    config.saveFailureKind = Seams::MsgKind::Warning;
    config.insertedMessage = ArchiveTexts::inserted();
    m_frame = new EditorFrame(this, lblPosizione, config);

    connect(cmdPrimo, &Picture::clicked, m_frame, &EditorFrame::first);
    connect(cmdIndietro, &Picture::clicked, m_frame, &EditorFrame::previous);
    connect(cmdAvanti, &Picture::clicked, m_frame, &EditorFrame::next);
    connect(cmdUltimo, &Picture::clicked, m_frame, &EditorFrame::last);

    EditorFrame::bindKeys(this, {.salva = cmdSalva, .nuovo = cmdNuovo, .duplica = cmdDuplica, .trova = cmdTrova,
                                 .stampa = cmdStampa, .guida = cmdGuida, .primo = cmdPrimo, .indietro = cmdIndietro,
                                 .avanti = cmdAvanti, .ultimo = cmdUltimo, .anteprima = cmdAnteprima,
                                 .allega = cmdAllega, .esporta = cmdEsporta, .esci = cmdEsci,
                                 .lists = {cmdDaSaldare, cmdScaduti}});
}

void TfrmBollettino::buildYearPanel()
{
    panAvvio = new QFrame(panStage);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setGeometry(0, 0, kWidth, kHeight);
    auto *box = new QFrame(panAvvio);
    box->setObjectName(QStringLiteral("shpAnno"));
    box->setGeometry((kWidth - 460) / 2, (kHeight - 300) / 2, 460, 300);
    box->setStyleSheet(QStringLiteral("QFrame#shpAnno { background: white; border: 1px solid #B8C4D0; "
                                      "border-radius: 10px; }"));
    auto *banner = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/logo.svg"), QSize(360, 90), box);
    banner->move(50, 16);
    auto *hint =
        Controls::caption(box, QStringLiteral("Indicare l'anno solare e premere Apri."), QPoint(40, 130), "lblRigo01");
    hint->setFont(QFont(QStringLiteral("Verdana"), 11, QFont::Bold));
    hint->adjustSize();
    txtAnno = Controls::field(box, "txtAnno", QRect(130, 170, 110, 40), 4, Qt::AlignHCenter);
    txtAnno->setFont(QFont(QStringLiteral("Verdana"), 16, QFont::Bold));
    btnApri = new QPushButton(QStringLiteral("Apri"), box);
    btnApri->setObjectName(QStringLiteral("btnApri"));
    btnApri->setGeometry(260, 170, 90, 40);
    imgGuida = command(box, "imgGuida", "help.svg", QPoint(20, 244), 36);
    imgEsci = command(box, "imgEsci", "exit.svg", QPoint(404, 244), 36);

    Input::digitsOnly(txtAnno);
    Input::highlight(txtAnno);
    Input::enterMoves(txtAnno, btnApri);
    connect(btnApri, &QPushButton::clicked, this, &TfrmBollettino::btnApriClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmBollettino::cmdGuidaClick);
    connect(imgEsci, &Picture::clicked, this, &QWidget::close);
}

void TfrmBollettino::buildWorkPanel()
{
    panContainer = new QFrame(panStage);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(0, 0, kWidth, kHeight);
    panContainer->hide();
    // On the panel, not the window: the windows the editor opens are its children and must keep their own look.
    panContainer->setStyleSheet(kSlipStyle);

    // The slip imitation: the printed parts of the form, with the fields where the form has its boxes.
    auto *slip = new QFrame(panContainer);
    slip->setObjectName(QStringLiteral("panBollettino"));
    slip->setGeometry(16, 16, 960, 330);
    const QFont boxFont(QStringLiteral("Courier New"), 12, QFont::Bold);

    auto *head =
        Controls::caption(slip, QStringLiteral("CONTI CORRENTI POSTALI  -  Ricevuta di accredito"), QPoint(16, 12));
    head->setFont(QFont(QStringLiteral("Arial"), 11, QFont::Bold));
    head->adjustSize();
    auto *series = Controls::caption(slip, QStringLiteral("TD 674"), QPoint(870, 12));
    series->setFont(QFont(QStringLiteral("Arial"), 11, QFont::Bold));
    series->adjustSize();
    Controls::caption(slip, QStringLiteral("sul C/C n."), QPoint(16, 52));
    auto *account = new QLabel(slip);
    account->setGeometry(100, 44, 280, 32);
    account->setStyleSheet(QStringLiteral("background: #F7FBFA; border: 1px dashed #2A6F6A;"));
    Controls::caption(slip, QStringLiteral("di Euro"), QPoint(536, 52));
    txtImporto = Controls::field(slip, "txtImporto", QRect(600, 44, 190, 32), 8, Qt::AlignRight);
    Controls::caption(slip, QStringLiteral(","), QPoint(796, 52));
    txtCents = Controls::field(slip, "txtCents", QRect(808, 44, 56, 32), 2, Qt::AlignHCenter);
    txtCents->setText(QStringLiteral("00"));

    Controls::caption(slip, QStringLiteral("Importo in lettere:"), QPoint(16, 100));
    txtImpLettere = Controls::field(slip, "txtImpLettere", QRect(150, 92, 640, 32), 0, Qt::AlignRight);
    txtImpLettere->setReadOnly(true);
    Controls::caption(slip, QStringLiteral("/"), QPoint(796, 100));
    txtCentLettere = Controls::field(slip, "txtCentLettere", QRect(808, 92, 56, 32), 0, Qt::AlignHCenter);
    txtCentLettere->setReadOnly(true);
    txtCentLettere->setText(QStringLiteral("00"));

    Controls::caption(slip, QStringLiteral("INTESTATO A:"), QPoint(16, 146));
    auto *holder = new QLabel(slip);
    holder->setGeometry(150, 140, 714, 28);
    holder->setStyleSheet(QStringLiteral("background: #F7FBFA; border: 1px dashed #2A6F6A;"));

    impEsecutore = command(slip, "impEsecutore", "import_arrow.svg", QPoint(150, 174), 26);
    Controls::caption(slip, QStringLiteral("ESEGUITO DA:"), QPoint(16, 210));
    txtEsecutore = Controls::field(slip, "txtEsecutore", QRect(150, 202, 714, 32), 44);
    Controls::caption(slip, QStringLiteral("VIA - PIAZZA:"), QPoint(16, 250));
    txtIndirizzoRes = Controls::field(slip, "txtIndirizzoRes", QRect(150, 242, 400, 32), 22);
    Controls::caption(slip, QStringLiteral("CAP:"), QPoint(590, 250));
    txtCapRes = Controls::field(slip, "txtCapRes", QRect(640, 242, 100, 32), 5, Qt::AlignHCenter);
    Controls::caption(slip, QStringLiteral("LOCALITA':"), QPoint(16, 290));
    txtComuneRes = Controls::field(slip, "txtComuneRes", QRect(150, 282, 300, 32), 16);
    for (auto *e : {txtImporto, txtCents, txtImpLettere, txtCentLettere, txtEsecutore, txtIndirizzoRes, txtCapRes,
                    txtComuneRes})
        e->setFont(boxFont);

    // What the office records besides the slip.
    Controls::caption(panContainer, QStringLiteral("Data scadenza:"), QPoint(24, 374));
    txtDataScade = Controls::field(panContainer, "txtDataScade", QRect(150, 366, 140, 32), 10, Qt::AlignHCenter);
    Controls::caption(panContainer, QStringLiteral("Data versamento:"), QPoint(320, 374));
    txtDataPaga = Controls::field(panContainer, "txtDataPaga", QRect(450, 366, 140, 32), 10, Qt::AlignHCenter);
    chkSaldato = new QCheckBox(QStringLiteral("Saldato"), panContainer);
    chkSaldato->setObjectName(QStringLiteral("chkSaldato"));
    chkSaldato->setGeometry(630, 370, 120, 26);
    Controls::caption(panContainer, QStringLiteral("Estremi timbro Ufficio Postale:"), QPoint(24, 422));
    txtTimbro = Controls::field(panContainer, "txtTimbro", QRect(250, 414, 726, 32), 250);
    Controls::caption(panContainer, QStringLiteral("Note:"), QPoint(24, 462));
    txtNote = Controls::field(panContainer, "txtNote", QRect(250, 454, 726, 32), 250);
    for (auto *e : {txtDataScade, txtDataPaga, txtTimbro, txtNote})
        e->setFont(QFont(QStringLiteral("Verdana"), 10, QFont::Bold));

    txtIntero = Controls::hidden(panContainer, "txtIntero", QStringLiteral("0,00"));
    lblFile01 = Controls::hidden(panContainer, "lblFile01");
    lblFile02 = Controls::hidden(panContainer, "lblFile02");
    lblFile03 = Controls::hidden(panContainer, "lblFile03");
    lblDesc01 = Controls::hidden(panContainer, "lblDesc01");
    lblDesc02 = Controls::hidden(panContainer, "lblDesc02");
    lblDesc03 = Controls::hidden(panContainer, "lblDesc03");
    btnFocus = Controls::focusHolder(panContainer);

    // Navigation under the slip.
    cmdPrimo = command(panContainer, "cmdPrimo", "first.svg", QPoint(340, 516));
    cmdIndietro = command(panContainer, "cmdIndietro", "prev.svg", QPoint(390, 516));
    lblPosizione = new QLabel(panContainer);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(440, 520, 110, 32);
    lblPosizione->setAlignment(Qt::AlignCenter);
    cmdAvanti = command(panContainer, "cmdAvanti", "next.svg", QPoint(560, 516));
    cmdUltimo = command(panContainer, "cmdUltimo", "last.svg", QPoint(610, 516));

    // Commands on the right, top to bottom.
    int y = 16;
    const auto right = [&](const char *name, const char *svg) {
        auto *p = command(panContainer, name, svg, QPoint(1008, y));
        y += 48;
        return p;
    };
    cmdNuovo = right("cmdNuovo", "new.svg");
    cmdDuplica = right("cmdDuplica", "duplicate.svg");
    cmdSalva = right("cmdSalva", "save.svg");
    cmdAllega = right("cmdAllega", "attach.svg");
    cmdTrova = right("cmdTrova", "find.svg");
    cmdAnteprima = right("cmdAnteprima", "preview.svg");
    cmdStampa = right("cmdStampa", "print.svg");
    cmdDaSaldare = right("cmdDaSaldare", "unpaid.svg");
    cmdScaduti = right("cmdScaduti", "overdue.svg");
    cmdEsporta = right("cmdEsporta", "excel.svg");
    cmdGuida = right("cmdGuida", "help.svg");
    cmdEsci = right("cmdEsci", "exit.svg");

    panInfo = new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), panContainer);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(0, kHeight - 32, kWidth, 32);

    // Input conventions.
    for (auto *e : {txtImporto, txtCents, txtEsecutore, txtIndirizzoRes, txtCapRes, txtComuneRes, txtDataScade,
                    txtDataPaga, txtTimbro, txtNote})
        Input::highlight(e);
    Input::digitsOnly(txtImporto);
    Input::digitsOnly(txtCents);
    Input::upperCase(txtEsecutore);
    Input::upperCase(txtIndirizzoRes);
    Input::upperCase(txtComuneRes);
    Input::trimUpper(txtCapRes);
    for (auto *e : {txtEsecutore, txtIndirizzoRes, txtCapRes, txtComuneRes, txtTimbro, txtNote})
        Input::archiveCharsOnly(e, panInfo);
    Input::enterChain({txtImporto, txtCents, txtEsecutore, txtIndirizzoRes, txtCapRes, txtComuneRes, txtDataScade});
    Input::enterChain({txtTimbro, txtNote, txtImporto});
    Input::dateField(txtDataScade, [this] { TfrmCalendario::pickDate(this, QStringLiteral("bollettino_datascade")); });
    Input::dateField(txtDataPaga, [this] { TfrmCalendario::pickDate(this, QStringLiteral("bollettino_datapaga")); });
    Input::onKeyUp(txtImporto, [this] { txtImportoKeyUp(); });
    Input::onKeyUp(txtCents, [this] { txtCentsKeyUp(); });
    Input::onExit(txtCents, [this] { txtCentsExit(); });
    // Text reaching the euro field by other ways than typing (pasting) is followed too.
    connect(txtImporto, &QLineEdit::textEdited, this, &TfrmBollettino::txtImportoKeyUp);

    setTabOrder(txtImporto, txtCents);
    setTabOrder(txtCents, txtImpLettere);
    setTabOrder(txtImpLettere, txtCentLettere);
    setTabOrder(txtCentLettere, txtEsecutore);
    setTabOrder(txtEsecutore, txtIndirizzoRes);
    setTabOrder(txtIndirizzoRes, txtCapRes);
    setTabOrder(txtCapRes, txtComuneRes);
    setTabOrder(txtComuneRes, txtDataScade);
    setTabOrder(txtDataScade, txtDataPaga);
    setTabOrder(txtDataPaga, txtTimbro);
    setTabOrder(txtTimbro, txtNote);
    setTabOrder(txtNote, chkSaldato);

    Input::statusHints(
        panInfo,
        {{cmdNuovo, QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda.")},
         {cmdDuplica,
          QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.")},
         {cmdSalva, QStringLiteral("Salva la scheda corrente in archivio.")},
         {cmdAllega, QStringLiteral("Allega file alla scheda corrente.")},
         {cmdTrova, QStringLiteral("Trova una scheda in archivio.")},
         {cmdAnteprima, QStringLiteral("Visualizza l'anteprima di stampa del bollettino corrente.")},
         {cmdStampa, QStringLiteral("Stampa il bollettino corrente.")},
         {cmdDaSaldare, QStringLiteral("Visualizza l'elenco dei bollettini non saldati.")},
         {cmdScaduti, QStringLiteral("Visualizza l'elenco dei bollettini scaduti e non ancora saldati.")},
         {cmdEsporta, QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
         {cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
         {cmdEsci, QStringLiteral("Esci da questa schermata di lavoro.")},
         {cmdPrimo, QStringLiteral("Visualizza la prima scheda in archivio.")},
         {cmdIndietro, QStringLiteral("Visualizza la scheda precedente in archivio.")},
         {cmdAvanti, QStringLiteral("Visualizza la scheda successiva in archivio.")},
         {cmdUltimo, QStringLiteral("Visualizza l'ultima scheda in archivio.")},
         {chkSaldato, QStringLiteral("Spunta questa casella per indicare che il bollettino è stato saldato.")},
         {impEsecutore, QStringLiteral("Importa i dati dell'esecutore dall'archivio anagrafico dei richiedenti.")}});

    connect(cmdNuovo, &Picture::clicked, this, &TfrmBollettino::cmdNuovoClick);
    connect(cmdDuplica, &Picture::clicked, this, &TfrmBollettino::cmdDuplicaClick);
    connect(cmdSalva, &Picture::clicked, this, &TfrmBollettino::cmdSalvaClick);
    connect(cmdAllega, &Picture::clicked, this, &TfrmBollettino::cmdAllegaClick);
    connect(cmdTrova, &Picture::clicked, this, &TfrmBollettino::cmdTrovaClick);
    connect(impEsecutore, &Picture::clicked, this, &TfrmBollettino::impEsecutoreClick);
    connect(cmdAnteprima, &Picture::clicked, this, &TfrmBollettino::cmdAnteprimaClick);
    connect(cmdStampa, &Picture::clicked, this, &TfrmBollettino::cmdStampaClick);
    connect(cmdDaSaldare, &Picture::clicked, this, &TfrmBollettino::cmdDaSaldareClick);
    connect(cmdScaduti, &Picture::clicked, this, &TfrmBollettino::cmdScadutiClick);
    connect(cmdEsporta, &Picture::clicked, this, &TfrmBollettino::cmdEsportaClick);
    connect(cmdGuida, &Picture::clicked, this, &TfrmBollettino::cmdGuidaClick);
    connect(cmdEsci, &Picture::clicked, this, &QWidget::close);
}

void TfrmBollettino::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (e->spontaneous())
        return;
    WindowStyle::maximise(this);
    setWindowTitle(QStringLiteral(" Versalia - Compilazione e stampa bollettini postali"));
    panAvvio->show();
    panContainer->hide();
    txtAnno->setText(QString::number(Seams::Clock::today().year()).rightJustified(4, QLatin1Char('0')));
    emptyFields();
    txtAnno->setFocus(Qt::OtherFocusReason);
    txtAnno->selectAll();
}

void TfrmBollettino::closeEvent(QCloseEvent *e)
{
    e->accept();
    Navigation::backToMenu(this);
}

void TfrmBollettino::btnApriClick()
{
    // Four digits: the year becomes a file name, and "../x" or "20/4" must never name a file elsewhere.
    if (txtAnno->text().size() != 4 || !IsAllDigits(txtAnno->text())) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString year = txtAnno->text().trimmed();
    lblFile->setText(ProgramFolder::file(year + QStringLiteral(".pse")));
    setWindowTitle(QStringLiteral(" Versalia - Compilazione e stampa bollettini postali anno ") + year);
    panAvvio->hide();
    panContainer->show();
    emptyFields();
}

void TfrmBollettino::emptyFields()
{
    txtImporto->clear();
    txtCents->setText(QStringLiteral("00"));
    txtImpLettere->clear();
    txtCentLettere->setText(QStringLiteral("00"));
    txtIntero->setText(QStringLiteral("0,00"));
    for (auto *e : {txtEsecutore, txtIndirizzoRes, txtCapRes, txtComuneRes, txtDataScade, txtDataPaga, txtTimbro,
                    txtNote})
        e->clear();
    chkSaldato->setChecked(false);
    for (auto *l : {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})
        l->clear();
    m_frame ? m_frame->setPosition(0) : lblPosizione->clear();
    if (panContainer->isVisible())
        txtImporto->setFocus(Qt::OtherFocusReason);
}

void TfrmBollettino::txtImportoKeyUp()
{
    const QString euros = txtImporto->text().trimmed();
    if (euros.isEmpty()) {
        txtImpLettere->clear();
        return;
    }
    // Pasted text that is no number: no words rather than wrong ones.
    const auto amount = ParseCurrency(euros);
    txtImpLettere->setText(amount ? AmountInWords(*amount) : QString());
}

void TfrmBollettino::txtCentsKeyUp()
{
    txtCentLettere->setText(txtCents->text().trimmed().isEmpty() ? QString() : txtCents->text());
}

void TfrmBollettino::txtCentsExit()
{
    if (txtCents->text().trimmed().isEmpty()) {
        txtCents->setText(QStringLiteral("00"));
        txtCentLettere->setText(QStringLiteral("00"));
    }
    if (txtCents->text().size() == 1) {
        txtCents->setText(txtCents->text() + QStringLiteral("0"));
        txtCentLettere->setText(txtCents->text());
    }
}

void TfrmBollettino::cmdSalvaClick()
{
    struct Check {
        bool failed;
        const char16_t *message;
        QLineEdit *focus;
    };
    const Check checks[] = {
        {txtImporto->text().trimmed().isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare l'importo da versare.", txtImporto},
        // Text that reached the amount other than by typing (pasted before the field refused it, or loaded)
        // must not be stored as an amount without words.
        {!IsAllDigits(txtImporto->text().trimmed()),
         u"Attenzione: per salvare la scheda è necessario indicare l'importo da versare utilizzando soltanto "
         u"cifre.",
         txtImporto},
        {txtCents->text().trimmed().isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare i centesimi dell'importo da versare.", txtCents},
        {!IsAllDigits(txtCents->text().trimmed()),
         u"Attenzione: per salvare la scheda è necessario indicare i centesimi dell'importo da versare utilizzando "
         u"soltanto cifre.",
         txtCents},
        {txtEsecutore->text().trimmed().isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare il nome dell'esecutore del versamento.",
         txtEsecutore},
        {txtDataScade->text().trimmed().isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare la data di scadenza del versamento.", txtDataScade},
        {!IsValidDateText(txtDataScade->text()),
         u"Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data "
         u"valida nel formato gg/mm/anno.",
         txtDataScade},
    };
    for (const auto &c : checks) {
        if (c.failed) {
            Seams::Messages::warning(this, QString::fromUtf16(c.message));
            c.focus->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (txtCents->text().size() > 2) {
        txtCents->setText(txtCents->text().left(2));
        txtCentLettere->setText(txtCents->text());
    }
    if (txtCents->text().size() == 1) {
        txtCents->setText(txtCents->text().trimmed() + QStringLiteral("0"));
        txtCentLettere->setText(txtCents->text());
    }
    txtIntero->setText(txtImporto->text().trimmed() + QLatin1Char(',') + txtCents->text().trimmed());
    btnFocus->setFocus(Qt::OtherFocusReason);
    m_frame->save();
}

void TfrmBollettino::cmdDuplicaClick()
{
    m_frame->duplicate(
        QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata "
                       "inserita in archivio."),
        {QStringLiteral("lblFile01"), QStringLiteral("lblFile02"), QStringLiteral("lblFile03"),
         QStringLiteral("lblDesc01"), QStringLiteral("lblDesc02"), QStringLiteral("lblDesc03")},
        txtImporto,
        QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine premere "
                       "Salva per inserire la scheda in archivio."));
}

void TfrmBollettino::cmdGuidaClick() { HelpTexts::show(this, QStringLiteral("slip")); }


void TfrmBollettino::cmdTrovaClick()
{
    runModal<TfrmTrovaBollettini>(this, [](auto &w) { w.lblMemory->setText(QStringLiteral("bollettino")); });
}

// The payer from the applicant registry: the search writes name, street, postcode and town into this editor.
void TfrmBollettino::impEsecutoreClick()
{
    runModal<TfrmTrovaAnagrafica>(this, [](auto &w) { w.lblMemory->setText(QStringLiteral("bollettino")); });
}

void TfrmBollettino::cmdAnteprimaClick()
{
    btnFocus->setFocus(Qt::OtherFocusReason);
    runModal<TfrmAnteprimaPse>(this, [](auto &w) { w.fillFromEditor(); });
}

void TfrmBollettino::cmdStampaClick() { runModal<TfrmStampaBolTer>(this); }
void TfrmBollettino::cmdDaSaldareClick() { runModal<TfrmDaSaldare>(this); }
void TfrmBollettino::cmdScadutiClick() { runModal<TfrmScadute>(this); }
void TfrmBollettino::cmdEsportaClick() { runModal<TfrmExpBollettini>(this); }
void TfrmBollettino::cmdAllegaClick() { TfrmAllegaCartella::attachFor(this, QStringLiteral("bollettino")); }

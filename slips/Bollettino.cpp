#include "slips/Bollettino.h"

#include "core/ArchiveTexts.h"
#include "core/Routines.h"
#include "core/widgets/Controls.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/WindowNames.h"
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
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using WindowStyle::runModal;

namespace {
constexpr int kWidth = 1080;
constexpr int kHeight = 640;

enum Font { SlipBox, Record };

// The fields in tab order: the slip's boxes on its drawing, then what the office records besides.
constexpr EditorField kFields[] = {
    {.name = "txtImporto",
     .rule = FieldRule::Digits,
     .caption = u"di Euro",
     .captionAt = {536, 52},
     .parent = "panBollettino",
     .place = {600, 44, 190, 32},
     .align = Qt::AlignRight,
     .font = SlipBox},
    {.name = "txtCents",
     .rule = FieldRule::Digits,
     .caption = u",",
     .captionAt = {796, 52},
     .parent = "panBollettino",
     .place = {808, 44, 56, 32},
     .align = Qt::AlignHCenter,
     .reset = u"00",
     .font = SlipBox},
    {.name = "txtImpLettere",
     .rule = FieldRule::ReadOnly,
     .caption = u"Importo in lettere:",
     .captionAt = {16, 100},
     .parent = "panBollettino",
     .place = {150, 92, 640, 32},
     .align = Qt::AlignRight,
     .font = SlipBox},
    {.name = "txtCentLettere",
     .rule = FieldRule::ReadOnly,
     .caption = u"/",
     .captionAt = {796, 100},
     .parent = "panBollettino",
     .place = {808, 92, 56, 32},
     .align = Qt::AlignHCenter,
     .reset = u"00",
     .font = SlipBox},
    {.name = "txtEsecutore",
     .rule = FieldRule::Upper,
     .caption = u"ESEGUITO DA:",
     .captionAt = {16, 210},
     .parent = "panBollettino",
     .place = {150, 202, 714, 32},
     .font = SlipBox},
    {.name = "txtIndirizzoRes",
     .rule = FieldRule::Upper,
     .caption = u"VIA - PIAZZA:",
     .captionAt = {16, 250},
     .parent = "panBollettino",
     .place = {150, 242, 400, 32},
     .font = SlipBox},
    {.name = "txtCapRes",
     .rule = FieldRule::TrimUpper,
     .caption = u"CAP:",
     .captionAt = {590, 250},
     .parent = "panBollettino",
     .place = {640, 242, 100, 32},
     .align = Qt::AlignHCenter,
     .font = SlipBox},
    {.name = "txtComuneRes",
     .rule = FieldRule::Upper,
     .caption = u"LOCALITA':",
     .captionAt = {16, 290},
     .parent = "panBollettino",
     .place = {150, 282, 300, 32},
     .font = SlipBox},
    {.name = "txtDataScade",
     .rule = FieldRule::Date,
     .caption = u"Data scadenza:",
     .captionAt = {24, 374},
     .place = {150, 366, 140, 32},
     .align = Qt::AlignHCenter,
     .calendarTag = "bollettino_datascade",
     .font = Record},
    {.name = "txtDataPaga",
     .rule = FieldRule::Date,
     .caption = u"Data versamento:",
     .captionAt = {320, 374},
     .place = {450, 366, 140, 32},
     .align = Qt::AlignHCenter,
     .calendarTag = "bollettino_datapaga",
     .font = Record},
    {.name = "txtTimbro",
     .caption = u"Estremi timbro Ufficio Postale:",
     .captionAt = {24, 422},
     .place = {250, 414, 726, 32},
     .font = Record},
    {.name = "txtNote", .caption = u"Note:", .captionAt = {24, 462}, .place = {250, 454, 726, 32}, .font = Record},
    {.name = "chkSaldato", .rule = FieldRule::Check, .caption = u"Saldato", .place = {630, 370, 120, 26}, .font = -1},
    {.name = "txtIntero", .rule = FieldRule::Hidden, .reset = u"0,00"},
    {.name = "lblFile01", .rule = FieldRule::Hidden, .duplicateResets = true},
    {.name = "lblFile02", .rule = FieldRule::Hidden, .duplicateResets = true},
    {.name = "lblFile03", .rule = FieldRule::Hidden, .duplicateResets = true},
    {.name = "lblDesc01", .rule = FieldRule::Hidden, .duplicateResets = true},
    {.name = "lblDesc02", .rule = FieldRule::Hidden, .duplicateResets = true},
    {.name = "lblDesc03", .rule = FieldRule::Hidden, .duplicateResets = true},
};

using T = TfrmBollettino;
constexpr EditorCommand<T> kCommands[] = {
    {&T::cmdNuovo, "cmdNuovo", "new.svg", u"Nuovo", u"Prepara la schermata per la registrazione di una nuova scheda.",
     EditorKeys::nuovo, &T::cmdNuovoClick},
    {&T::cmdDuplica, "cmdDuplica", "duplicate.svg", u"Duplica",
     u"Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.", EditorKeys::duplica,
     &T::cmdDuplicaClick},
    {&T::cmdSalva, "cmdSalva", "save.svg", u"Salva", u"Salva la scheda corrente in archivio.", EditorKeys::salva,
     &T::cmdSalvaClick},
    {&T::cmdAllega, "cmdAllega", "attach.svg", u"Allega", u"Allega file alla scheda corrente.", EditorKeys::allega,
     &T::cmdAllegaClick},
    {&T::cmdTrova, "cmdTrova", "find.svg", u"Trova", u"Trova una scheda in archivio.", EditorKeys::trova,
     &T::cmdTrovaClick},
    {&T::cmdAnteprima, "cmdAnteprima", "preview.svg", u"Anteprima",
     u"Visualizza l'anteprima di stampa del bollettino corrente.", EditorKeys::anteprima, &T::cmdAnteprimaClick},
    {&T::cmdStampa, "cmdStampa", "print.svg", u"Stampa", u"Stampa il bollettino corrente.", EditorKeys::stampa,
     &T::cmdStampaClick},
    {&T::cmdDaSaldare, "cmdDaSaldare", "unpaid.svg", u"Da saldare", u"Visualizza l'elenco dei bollettini non saldati.",
     EditorKeys::lists[0], &T::cmdDaSaldareClick},
    {&T::cmdScaduti, "cmdScaduti", "overdue.svg", u"Scaduti",
     u"Visualizza l'elenco dei bollettini scaduti e non ancora saldati.", EditorKeys::lists[1], &T::cmdScadutiClick},
    {&T::cmdEsporta, "cmdEsporta", "excel.svg", u"Esporta",
     u"Esporta le schede in archivio in un file di Microsoft Excel.", EditorKeys::esporta, &T::cmdEsportaClick},
    {&T::cmdGuida, "cmdGuida", "help.svg", u"Guida", u"Visualizza la pagina della guida sensibile al contesto.",
     EditorKeys::guida, &T::cmdGuidaClick},
    {&T::cmdEsci, "cmdEsci", "exit.svg", u"Esci", u"Esci da questa schermata di lavoro.", EditorKeys::esci,
     &T::cmdEsciClick},
};

const QString kSlipStyle =
    QStringLiteral("QFrame#panBollettino { background: #E9F3F1; border: 2px solid #2A6F6A; border-radius: 6px; }"
                   "QFrame#panBollettino QLabel { color: #1F4F4B; font-weight: bold; }"
                   "QFrame#panBollettino QLineEdit { background: white; border: 1px solid #2A6F6A; }"
                   "QLineEdit[readOnly=\"true\"] { background: #E4E4E4; }"
                   "QLineEdit#txtDataScade, QLineEdit#txtDataPaga { background: white; border: 1px solid #708090; }"
                   "QLabel#lblPosizione { background: white; border: 1px solid #708090; font-weight: bold; }");

TEditorWindow::Config config()
{
    TEditorWindow::Config c;
    c.name = WindowNames::bollettino.toString();
    c.title = QStringLiteral(" Versalia - Compilazione e stampa bollettini postali");
    c.layout = &kSlipLayout;
    c.yearExtension = QStringLiteral(".pse");
    c.saveFailureKind = Seams::MsgKind::Warning;
    c.insertedMessage = ArchiveTexts::inserted();
    c.helpPage = QStringLiteral("slip");
    c.readyText = QStringLiteral("Pronto per archiviare una nuova scheda...");
    return c;
}

QLabel *printedPart(QWidget *slip, const QString &text, QPoint at, int size = 0)
{
    auto *l = Controls::caption(slip, text, at);
    if (size > 0) {
        l->setFont(QFont(QStringLiteral("Arial"), size, QFont::Bold));
        l->adjustSize();
    }
    return l;
}

QLabel *printedBox(QWidget *slip, QRect geometry)
{
    auto *l = new QLabel(slip);
    l->setGeometry(geometry);
    l->setStyleSheet(QStringLiteral("background: #F7FBFA; border: 1px dashed #2A6F6A;"));
    return l;
}
} // namespace

TfrmBollettino::TfrmBollettino(QWidget *parent) : TEditorWindow(config(), parent)
{
    // The slip is drawn at its own size, centred in the maximised window.
    panStage = new QWidget(this);
    panStage->setObjectName(QStringLiteral("panStage"));
    panStage->setFixedSize(kWidth, kHeight);
    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panStage, 0, 0, Qt::AlignCenter);
    setMinimumSize(kWidth, kHeight);

    buildYearPanel();
    buildWorkPanel();
    finishEditor();
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
    TEditorWindow::buildYearPanel(box);
    txtAnno->setGeometry(130, 170, 110, 40);
    txtAnno->setFont(QFont(QStringLiteral("Verdana"), 16, QFont::Bold));
    btnApri->setGeometry(260, 170, 90, 40);
    imgGuida = Controls::picture(box, "imgGuida", "help.svg", QSize(36, 36), QPoint(20, 244));
    imgEsci = Controls::picture(box, "imgEsci", "exit.svg", QSize(36, 36), QPoint(404, 244));
    connect(imgGuida, &Picture::clicked, this, &TfrmBollettino::cmdGuidaClick);
    connect(imgEsci, &Picture::clicked, this, &TfrmBollettino::cmdEsciClick);
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
    printedPart(slip, QStringLiteral("CONTI CORRENTI POSTALI  -  Ricevuta di accredito"), QPoint(16, 12), 11);
    printedPart(slip, QStringLiteral("TD 674"), QPoint(870, 12), 11);
    printedPart(slip, QStringLiteral("sul C/C n."), QPoint(16, 52));
    printedBox(slip, QRect(100, 44, 280, 32));
    printedPart(slip, QStringLiteral("INTESTATO A:"), QPoint(16, 146));
    printedBox(slip, QRect(150, 140, 714, 28));
    impEsecutore = Controls::picture(slip, "impEsecutore", "import_arrow.svg", QSize(26, 26), QPoint(150, 174));

    buildStatusLine(panContainer)->setGeometry(0, kHeight - 32, kWidth, 32);
    buildFields(
        kFields, panContainer,
        {QFont(QStringLiteral("Courier New"), 12, QFont::Bold), QFont(QStringLiteral("Verdana"), 10, QFont::Bold)});
    txtImporto = field<QLineEdit>("txtImporto");
    txtCents = field<QLineEdit>("txtCents");
    txtImpLettere = field<QLineEdit>("txtImpLettere");
    txtCentLettere = field<QLineEdit>("txtCentLettere");
    txtIntero = field<QLabel>("txtIntero");
    txtEsecutore = field<QLineEdit>("txtEsecutore");
    txtIndirizzoRes = field<QLineEdit>("txtIndirizzoRes");
    txtCapRes = field<QLineEdit>("txtCapRes");
    txtComuneRes = field<QLineEdit>("txtComuneRes");
    txtDataScade = field<QLineEdit>("txtDataScade");
    txtDataPaga = field<QLineEdit>("txtDataPaga");
    txtTimbro = field<QLineEdit>("txtTimbro");
    txtNote = field<QLineEdit>("txtNote");
    chkSaldato = field<QCheckBox>("chkSaldato");
    lblFile01 = field<QLabel>("lblFile01");
    lblFile02 = field<QLabel>("lblFile02");
    lblFile03 = field<QLabel>("lblFile03");
    lblDesc01 = field<QLabel>("lblDesc01");
    lblDesc02 = field<QLabel>("lblDesc02");
    lblDesc03 = field<QLabel>("lblDesc03");

    buildNavigation(panContainer)->move(340, 516);
    buildCommands<T>(this, panContainer, kCommands, 40, 8, false)->setGeometry(1008, 16, 40, 12 * 40 + 11 * 8);
    hints({{chkSaldato, QStringLiteral("Spunta questa casella per indicare che il bollettino è stato saldato.")},
           {impEsecutore, QStringLiteral("Importa i dati dell'esecutore dall'archivio anagrafico dei richiedenti.")}});
    connect(impEsecutore, &Picture::clicked, this, &TfrmBollettino::impEsecutoreClick);

    Input::onKeyUp(txtImporto, [this] { txtImportoKeyUp(); });
    Input::onKeyUp(txtCents, [this] { txtCentsKeyUp(); });
    Input::onExit(txtCents, [this] { txtCentsExit(); });
    // Text reaching the euro field by other ways than typing (pasting) is followed too.
    connect(txtImporto, &QLineEdit::textEdited, this, &TfrmBollettino::txtImportoKeyUp);
}

void TfrmBollettino::afterShow()
{
    panAvvio->show();
    panContainer->hide();
    startNew();
}

void TfrmBollettino::yearOpened(const QString &)
{
    panAvvio->hide();
    panContainer->show();
    startNew();
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

bool TfrmBollettino::readyToSave()
{
    const auto warning = Seams::MsgKind::Warning;
    const QString euros = txtImporto->text().trimmed(), cents = txtCents->text().trimmed();
    if (!passes({
            {euros.isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'importo da versare."),
             txtImporto},
            // Text that reached the amount other than by typing (pasted before the field refused it, or loaded)
            // must not be stored as an amount without words.
            {!IsAllDigits(euros), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'importo da versare utilizzando "
                            "soltanto cifre."),
             txtImporto},
            {cents.isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i centesimi dell'importo da "
                            "versare."),
             txtCents},
            {!IsAllDigits(cents), warning,
             QStringLiteral(
                 "Attenzione: per salvare la scheda è necessario indicare i centesimi dell'importo da versare "
                 "utilizzando soltanto cifre."),
             txtCents},
            {txtEsecutore->text().trimmed().isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome dell'esecutore del "
                            "versamento."),
             txtEsecutore},
            {txtDataScade->text().trimmed().isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di scadenza del "
                            "versamento."),
             txtDataScade},
            {!IsValidDateText(txtDataScade->text()), warning,
             QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è necessario "
                            "indicare una data valida nel formato gg/mm/anno."),
             txtDataScade},
        }))
        return false;
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
    return true;
}

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

void TfrmBollettino::cmdStampaClick()
{
    runModal<TfrmStampaBolTer>(this);
}
void TfrmBollettino::cmdDaSaldareClick()
{
    runModal<TfrmDaSaldare>(this);
}
void TfrmBollettino::cmdScadutiClick()
{
    runModal<TfrmScadute>(this);
}
void TfrmBollettino::cmdEsportaClick()
{
    runModal<TfrmExpBollettini>(this);
}
void TfrmBollettino::cmdAllegaClick()
{
    TfrmAllegaCartella::attachFor(this, QStringLiteral("bollettino"));
}

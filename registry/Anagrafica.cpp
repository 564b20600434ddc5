#include "registry/Anagrafica.h"

#include "checks/OpenCheck.h"
#include "core/ArchiveTexts.h"
#include "core/Formats.h"
#include "core/HelpTexts.h"
#include "core/OpenURL.h"
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
#include "registry/AnteprimaAnagrafica.h"
#include "registry/ApplicantRecord.h"
#include "registry/ContrattiScaduti.h"
#include "registry/ExpAnagrafica.h"
#include "registry/StampaAnagrafica.h"
#include "registry/TrovaAnagrafica.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

using WindowStyle::runModal;

namespace {
enum class Rule { Free, Capitals, Digits, Trimmed, Date, Amount, Province };

struct BoxDef {
    const char *control;
    const char16_t *label;
    Rule rule;
    const char *calendarTag = nullptr;
};

// The boxes in tab order. Enter moves to the next one (the last back to the first); a date box opens the
// calendar instead.
const BoxDef kBoxes[] = {
    {"txtCognome", u"Cognome:", Rule::Free},
    {"txtNome", u"Nome:", Rule::Free},
    {"txtCodFisc", u"Codice fiscale:", Rule::Capitals},
    {"txtSesso", u"Sesso:", Rule::Capitals},
    {"txtDataNasc", u"Data di nascita:", Rule::Free},
    {"txtCittaNasc", u"Città di nascita:", Rule::Free},
    {"txtStatoNasc", u"Stato di nascita:", Rule::Free},
    {"txtIva", u"Partita IVA:", Rule::Digits},
    {"txtIndirizzo", u"Via e numero civico:", Rule::Free},
    {"txtCap", u"CAP:", Rule::Free},
    {"txtComuneRes", u"Comune di residenza:", Rule::Free},
    {"txtProvRes", u"Prov.", Rule::Province},
    {"txtStatoCit", u"Cittadinanza:", Rule::Free},
    {"txtIngresso", u"Ingresso in Italia (data, frontiera, visto):", Rule::Free},
    {"txtRecapito", u"Tel. preferenziale:", Rule::Free},
    {"txtTelCasa", u"Tel. casa:", Rule::Free},
    {"txtTelCel", u"Tel. cellulare:", Rule::Free},
    {"txtTelUff", u"Tel. ufficio:", Rule::Free},
    {"txtEmail", u"E-mail:", Rule::Trimmed},
    {"txtPermesso", u"Permesso di soggiorno n.", Rule::Free},
    {"txtScadePer", u"Scadenza:", Rule::Date, "anagrafica_scadeper"},
    {"txtComuniSog", u"Comuni di soggiorno negli ultimi 6 anni:", Rule::Free},
    {"txtIban", u"IBAN:", Rule::Capitals},
    {"txtIntestatario", u"Intestatario C/C:", Rule::Free},
    {"txtBanca", u"Banca:", Rule::Free},
    {"txtCarta", u"Carta di credito n.", Rule::Digits},
    {"txtScadeCarta", u"Scadenza:", Rule::Free},
    {"txtTipoLavoro", u"Tipologia di lavoro e mansione svolta:", Rule::Free},
    {"txtPrecedenti", u"Precedenti penali:", Rule::Free},
    {"txtNote", u"Note:", Rule::Free},
    {"txtTipoDoc", u"Tipo di documento:", Rule::Free},
    {"txtNumDoc", u"Numero:", Rule::Free},
    {"txtEnteRil", u"Ente di rilascio:", Rule::Free},
    {"txtDataRil", u"Data di rilascio:", Rule::Free},
    {"txtDataSca", u"Data di scadenza:", Rule::Free},
    {"txtCivile", u"Stato civile:", Rule::Free},
    {"txtConiuge", u"Coniuge:", Rule::Free},
    {"txtFigli", u"Figli a carico:", Rule::Free},
    {"txtDatore", u"Datore di lavoro:", Rule::Free},
    {"txtDecorrenza", u"Data assunzione:", Rule::Date, "anagrafica_decorrenza"},
    {"txtScadenza", u"Prossima scadenza:", Rule::Date, "anagrafica_scadenza"},
    {"txtPreavviso", u"Giorni di preavviso:", Rule::Digits},
    {"txtTotale", u"Reddito annuale: €", Rule::Amount},
    {"txtContratto", u"Contratto di lavoro:", Rule::Free},
};

// Where the boxes sit: four columns of rows, a row holding one or more boxes side by side. Boxes named
// here with a width keep it; the others share the row.
struct Place {
    const char *control;
    int width = 0;
};
using Row = std::vector<Place>;
struct Column {
    const char16_t *heading;
    int stretch;
    std::vector<Row> rows;
};
const std::vector<Column> kColumns = {
    {u"Dati anagrafici e residenza",
     5,
     {{{"txtCognome"}},
      {{"txtNome"}},
      {{"txtCodFisc"}},
      {{"txtSesso", 70}, {"txtDataNasc"}},
      {{"txtCittaNasc"}},
      {{"txtStatoNasc"}},
      {{"txtIva"}},
      {{"txtIndirizzo"}},
      {{"txtCap", 80}, {"txtComuneRes"}},
      {{"txtProvRes", 72}, {"txtStatoCit"}}}},
    {u"Ingresso, recapiti e soggiorno",
     4,
     {{{"txtIngresso"}},
      {{"txtRecapito"}},
      {{"txtTelCasa"}},
      {{"txtTelCel"}},
      {{"txtTelUff"}},
      {{"txtEmail"}},
      {{"txtPermesso"}, {"txtScadePer", 130}},
      {{"txtComuniSog"}},
      {{"txtTipoDoc"}},
      {{"txtNumDoc"}}}},
    {u"Documento, banca e famiglia",
     6,
     {{{"txtEnteRil"}},
      {{"txtDataRil"}, {"txtDataSca"}},
      {{"txtIban"}},
      {{"txtIntestatario"}},
      {{"txtBanca"}},
      {{"txtCarta"}, {"txtScadeCarta", 110}},
      {{"txtCivile"}},
      {{"txtConiuge"}},
      {{"txtFigli"}}}},
    {u"Lavoro e note",
     5,
     {{{"txtDatore"}},
      {{"txtDecorrenza"}, {"txtScadenza"}},
      {{"txtPreavviso", 110}, {"txtTotale"}},
      {{"txtContratto"}},
      {{"txtTipoLavoro"}},
      {{"txtPrecedenti"}},
      {{"txtNote"}}}},
};

const QString kStyle = QStringLiteral(
    "QFrame#panContainer { background: #EEF3F8; }"
    "QFrame#panContainer QLabel { color: #1F3A5F; font-weight: bold; }"
    "QFrame#panContainer QLineEdit, QFrame#panContainer QComboBox { background: white; border: 1px solid #8CA0B8; "
    "padding: 1px 4px; }"
    "QLabel#panInfo { background: #2F5F96; color: white; padding-left: 10px; }"
    "QLabel#lblPosizione { background: white; border: 1px solid #708090; }"
    "QFrame#panContainer QLabel[heading=\"true\"] { color: #2F5F96; border-bottom: 2px solid #2F5F96; padding-bottom: "
    "2px; }");

int capacity(const char *control)
{
    return kApplicantLayout.field(kApplicantLayout.indexOfControl(control)).capacity;
}

Picture *command(QWidget *parent, const char *name, const char *svg, int size = 40)
{
    return Controls::picture(parent, name, svg, QSize(size, size));
}

QPushButton *sideButton(QWidget *parent, const char *name, const char *svg)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(svg)));
    b->setIconSize(QSize(22, 22));
    b->setFixedSize(32, 30);
    return b;
}

// Runs action whenever watched is about to take the focus.
class FocusIn : public QObject {
public:
    FocusIn(QWidget *watched, std::function<void()> action) : QObject(watched), m_action(std::move(action))
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusIn)
            m_action();
        return false;
    }

private:
    std::function<void()> m_action;
};
} // namespace

const QStringList &TfrmAnagrafica::provinceCodes()
{
    static const QStringList codes =
        QStringLiteral(
            "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE "
            "FG FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD "
            "PE PG PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA "
            "VB VC VE VI VR VT VV")
            .split(QLatin1Char(' '));
    return codes;
}

TfrmAnagrafica::TfrmAnagrafica(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAnagrafica"));
    setWindowTitle(QStringLiteral(" Versalia - Anagrafica Richiedenti"));
    Formats::applyProcessFormats();

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    panContainer = new QFrame(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    // On the panel, not the window: the windows the editor opens are its children and keep their own look.
    panContainer->setStyleSheet(kStyle);
    root->addWidget(panContainer, 1);
    panInfo = new QLabel(QStringLiteral("Pronto per salvare una nuova scheda..."), this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(QFont(QStringLiteral("Tahoma"), 12));
    panInfo->setFixedHeight(32);
    panInfo->setStyleSheet(QStringLiteral("background: #2F5F96; color: white; padding-left: 10px;"));
    root->addWidget(panInfo);

    buildBoxes(panContainer);

    EditorFrame::Config config;
    config.layout = &kApplicantLayout;
    config.archivePath = [] { return ProgramFolder::file(QStringLiteral("Richiedenti.pro")); };
    config.saveFailureKind = Seams::MsgKind::Error;
    config.insertedMessage = ArchiveTexts::inserted();
    m_frame = new EditorFrame(this, lblPosizione, config);

    connect(cmdPrimo, &Picture::clicked, m_frame, &EditorFrame::first);
    connect(cmdIndietro, &Picture::clicked, m_frame, &EditorFrame::previous);
    connect(cmdAvanti, &Picture::clicked, m_frame, &EditorFrame::next);
    connect(cmdUltimo, &Picture::clicked, m_frame, &EditorFrame::last);
    connect(cmdNuovo, &Picture::clicked, this, &TfrmAnagrafica::cmdNuovoClick);
    connect(cmdSalva, &Picture::clicked, this, &TfrmAnagrafica::cmdSalvaClick);
    connect(cmdFile, &Picture::clicked, this, &TfrmAnagrafica::cmdFileClick);
    connect(cmdTrova, &Picture::clicked, this, &TfrmAnagrafica::cmdTrovaClick);
    connect(cmdStampa, &Picture::clicked, this, &TfrmAnagrafica::cmdStampaClick);
    connect(cmdAnteprima, &Picture::clicked, this, &TfrmAnagrafica::cmdAnteprimaClick);
    connect(cmdEsporta, &Picture::clicked, this, &TfrmAnagrafica::cmdEsportaClick);
    connect(cmdScaduti, &Picture::clicked, this, &TfrmAnagrafica::cmdScadutiClick);

    EditorFrame::bindKeys(this, {.salva = cmdSalva, .nuovo = cmdNuovo, .trova = cmdTrova, .stampa = cmdStampa,
                                 .guida = cmdGuida, .primo = cmdPrimo, .indietro = cmdIndietro, .avanti = cmdAvanti,
                                 .ultimo = cmdUltimo, .anteprima = cmdAnteprima, .allega = cmdFile,
                                 .esporta = cmdEsporta, .esci = cmdEsci, .lists = {cmdScaduti}});
    connect(cmdGuida, &Picture::clicked, this, &TfrmAnagrafica::cmdGuidaClick);
    connect(cmdEsci, &Picture::clicked, this, &QWidget::close);
    connect(btnCodFisc, &QPushButton::clicked, this, &TfrmAnagrafica::btnCodFiscClick);
    connect(btnIva, &QPushButton::clicked, this, &TfrmAnagrafica::btnIvaClick);
    connect(btnCarta, &QPushButton::clicked, this, &TfrmAnagrafica::btnCartaClick);
    connect(btnIban, &QPushButton::clicked, this, &TfrmAnagrafica::btnIbanClick);
    connect(btnEmail, &QPushButton::clicked, this, &TfrmAnagrafica::btnEmailClick);

    setWindowState(Qt::WindowMaximized);
}

void TfrmAnagrafica::buildBoxes(QWidget *panel)
{
    QHash<QString, QWidget *> boxes;
    QHash<QString, QLabel *> labels;
    const QFont boxFont(QStringLiteral("Verdana"), 12);
    const QFont labelFont(QStringLiteral("Verdana"), 9, QFont::Bold);
    for (const auto &def : kBoxes) {
        const QString name = QString::fromLatin1(def.control);
        QWidget *box;
        if (def.rule == Rule::Province) {
            auto *combo = new QComboBox(panel);
            combo->setEditable(true);
            combo->addItems(provinceCodes());
            combo->setInsertPolicy(QComboBox::NoInsert);
            // Typed text stays as typed: no completion from the list.
            combo->setCompleter(nullptr);
            combo->lineEdit()->setMaxLength(capacity(def.control));
            combo->lineEdit()->setFont(boxFont);
            combo->setCurrentIndex(-1);
            Input::trimUpper(combo->lineEdit());
            box = combo;
        } else {
            auto *e = new QLineEdit(panel);
            e->setMaxLength(capacity(def.control));
            box = e;
        }
        box->setObjectName(name);
        box->setFont(boxFont);
        auto *label = new QLabel(QString::fromUtf16(def.label), panel);
        label->setFont(labelFont);
        label->setBuddy(box);
        boxes.insert(name, box);
        labels.insert(name, label);
    }
    const auto edit = [&](const char *name) {
        return qobject_cast<QLineEdit *>(boxes.value(QString::fromLatin1(name)));
    };
    txtCognome = edit("txtCognome"), txtNome = edit("txtNome"), txtCodFisc = edit("txtCodFisc");
    txtSesso = edit("txtSesso"), txtDataNasc = edit("txtDataNasc"), txtCittaNasc = edit("txtCittaNasc");
    txtStatoNasc = edit("txtStatoNasc"), txtIva = edit("txtIva"), txtIndirizzo = edit("txtIndirizzo");
    txtCap = edit("txtCap"), txtComuneRes = edit("txtComuneRes");
    txtProvRes = qobject_cast<QComboBox *>(boxes.value(QStringLiteral("txtProvRes")));
    txtStatoCit = edit("txtStatoCit"), txtIngresso = edit("txtIngresso"), txtRecapito = edit("txtRecapito");
    txtTelCasa = edit("txtTelCasa"), txtTelCel = edit("txtTelCel"), txtTelUff = edit("txtTelUff");
    txtEmail = edit("txtEmail"), txtPermesso = edit("txtPermesso"), txtScadePer = edit("txtScadePer");
    txtComuniSog = edit("txtComuniSog"), txtIban = edit("txtIban"), txtIntestatario = edit("txtIntestatario");
    txtBanca = edit("txtBanca"), txtCarta = edit("txtCarta"), txtScadeCarta = edit("txtScadeCarta");
    txtTipoLavoro = edit("txtTipoLavoro"), txtPrecedenti = edit("txtPrecedenti"), txtNote = edit("txtNote");
    txtTipoDoc = edit("txtTipoDoc"), txtNumDoc = edit("txtNumDoc"), txtEnteRil = edit("txtEnteRil");
    txtDataRil = edit("txtDataRil"), txtDataSca = edit("txtDataSca"), txtCivile = edit("txtCivile");
    txtConiuge = edit("txtConiuge"), txtFigli = edit("txtFigli"), txtDatore = edit("txtDatore");
    txtDecorrenza = edit("txtDecorrenza"), txtScadenza = edit("txtScadenza"), txtPreavviso = edit("txtPreavviso");
    txtTotale = edit("txtTotale"), txtContratto = edit("txtContratto");

    // A whole IBAN stays in sight: its column gives way to it.
    txtIban->setMinimumWidth(QFontMetrics(boxFont).horizontalAdvance(QStringLiteral("IT00W0000000000000000000000")) +
                             20);

    btnCodFisc = sideButton(panel, "btnCodFisc", "check.svg");
    btnIva = sideButton(panel, "btnIva", "check.svg");
    btnCarta = sideButton(panel, "btnCarta", "check.svg");
    btnIban = sideButton(panel, "btnIban", "check.svg");
    btnEmail = sideButton(panel, "btnEmail", "email.svg");
    const QHash<QString, QPushButton *> beside = {{QStringLiteral("txtCodFisc"), btnCodFisc},
                                                  {QStringLiteral("txtIva"), btnIva},
                                                  {QStringLiteral("txtCarta"), btnCarta},
                                                  {QStringLiteral("txtIban"), btnIban},
                                                  {QStringLiteral("txtEmail"), btnEmail}};

    // Layout: the four columns of boxes, the navigation below them, the command bar on the right.
    auto *body = new QHBoxLayout(panel);
    body->setContentsMargins(18, 14, 12, 10);
    body->setSpacing(18);
    auto *work = new QVBoxLayout;
    auto *columns = new QHBoxLayout;
    columns->setSpacing(16);
    for (const auto &column : kColumns) {
        auto *col = new QVBoxLayout;
        col->setSpacing(6);
        auto *heading = new QLabel(QString::fromUtf16(column.heading), panel);
        heading->setProperty("heading", true);
        heading->setFont(QFont(QStringLiteral("Verdana"), 10, QFont::Bold));
        col->addWidget(heading);
        col->addSpacing(2);
        for (const auto &row : column.rows) {
            auto *line = new QHBoxLayout;
            line->setSpacing(8);
            for (const auto &place : row) {
                const QString name = QString::fromLatin1(place.control);
                auto *cell = new QVBoxLayout;
                cell->setSpacing(2);
                cell->addWidget(labels.value(name));
                auto *boxLine = new QHBoxLayout;
                boxLine->setSpacing(4);
                QWidget *box = boxes.value(name);
                if (place.width > 0)
                    box->setFixedWidth(place.width);
                boxLine->addWidget(box, place.width > 0 ? 0 : 1);
                if (auto *b = beside.value(name))
                    boxLine->addWidget(b);
                if (place.width > 0)
                    boxLine->addStretch(1);
                cell->addLayout(boxLine);
                line->addLayout(cell, place.width > 0 ? 0 : 1);
            }
            col->addLayout(line);
        }
        col->addStretch();
        columns->addLayout(col, column.stretch);
    }
    work->addLayout(columns, 1);

    cmdPrimo = command(panel, "cmdPrimo", "first.svg");
    cmdIndietro = command(panel, "cmdIndietro", "prev.svg");
    lblPosizione = new QLabel(panel);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->setFixedSize(110, 34);
    cmdAvanti = command(panel, "cmdAvanti", "next.svg");
    cmdUltimo = command(panel, "cmdUltimo", "last.svg");
    auto *nav = new QHBoxLayout;
    nav->addStretch();
    for (QWidget *w :
         {static_cast<QWidget *>(cmdPrimo), static_cast<QWidget *>(cmdIndietro), static_cast<QWidget *>(lblPosizione),
          static_cast<QWidget *>(cmdAvanti), static_cast<QWidget *>(cmdUltimo)})
        nav->addWidget(w);
    nav->addStretch();
    work->addLayout(nav);
    body->addLayout(work, 1);

    auto *bar = new QVBoxLayout;
    bar->setSpacing(6);
    cmdNuovo = command(panel, "cmdNuovo", "new.svg");
    cmdSalva = command(panel, "cmdSalva", "save.svg");
    cmdTrova = command(panel, "cmdTrova", "find.svg");
    cmdFile = command(panel, "cmdFile", "attach.svg");
    cmdStampa = command(panel, "cmdStampa", "print.svg");
    cmdAnteprima = command(panel, "cmdAnteprima", "preview.svg");
    cmdEsporta = command(panel, "cmdEsporta", "excel.svg");
    cmdScaduti = command(panel, "cmdScaduti", "overdue.svg");
    cmdGuida = command(panel, "cmdGuida", "help.svg");
    cmdEsci = command(panel, "cmdEsci", "exit.svg");
    for (auto *p : {cmdNuovo, cmdSalva, cmdTrova, cmdFile, cmdStampa, cmdAnteprima, cmdEsporta, cmdScaduti, cmdGuida})
        bar->addWidget(p);
    bar->addStretch();
    bar->addWidget(cmdEsci);
    body->addLayout(bar);

    lblFile01 = Controls::hidden(panel, "lblFile01");
    lblFile02 = Controls::hidden(panel, "lblFile02");
    lblFile03 = Controls::hidden(panel, "lblFile03");
    lblDesc01 = Controls::hidden(panel, "lblDesc01");
    lblDesc02 = Controls::hidden(panel, "lblDesc02");
    lblDesc03 = Controls::hidden(panel, "lblDesc03");
    btnFocus = Controls::focusHolder(panel);

    // Input conventions, box by box from the table.
    const int n = int(std::size(kBoxes));
    QWidget *previous = nullptr;
    for (int i = 0; i < n; ++i) {
        const auto &def = kBoxes[i];
        QWidget *box = boxes.value(QString::fromLatin1(def.control));
        auto *edit = qobject_cast<QLineEdit *>(box);
        Input::highlight(box);
        switch (def.rule) {
        case Rule::Free:
            Input::archiveCharsOnly(edit, panInfo);
            break;
        case Rule::Capitals:
            Input::trimUpper(edit);
            Input::archiveCharsOnly(edit, panInfo);
            break;
        case Rule::Digits:
            Input::digitsOnly(edit);
            break;
        case Rule::Trimmed:
            Input::trimmedText(edit);
            Input::archiveCharsOnly(edit, panInfo);
            break;
        case Rule::Amount:
            Input::amountChars(edit);
            break;
        case Rule::Date: {
            const QString tag = QString::fromLatin1(def.calendarTag);
            Input::dateField(edit, [this, tag] { TfrmCalendario::pickDate(this, tag); });
            break;
        }
        case Rule::Province: {
            auto *combo = txtProvRes;
            // The list selection is cleared whenever the box takes the focus; the text stays.
            new FocusIn(combo, [combo] {
                const QString text = combo->currentText();
                combo->setCurrentIndex(-1);
                combo->setEditText(text);
            });
            break;
        }
        }
        if (def.rule != Rule::Date)
            Input::enterMoves(box, boxes.value(QString::fromLatin1(kBoxes[(i + 1) % n].control)));
        if (previous)
            setTabOrder(previous, box);
        previous = box;
        if (auto *b = beside.value(QString::fromLatin1(def.control))) {
            setTabOrder(previous, b);
            previous = b;
        }
    }
    Input::onExit(txtTotale, [this] { txtTotaleExit(); });

    Input::statusHints(panInfo,
                       {{cmdNuovo, QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda.")},
                        {cmdSalva, QStringLiteral("Salva la scheda corrente in archivio.")},
                        {cmdTrova, QStringLiteral("Trova una scheda in archivio.")},
                        {cmdFile, QStringLiteral("Allega file alla scheda corrente.")},
                        {cmdStampa, QStringLiteral("Stampa la scheda corrente.")},
                        {cmdAnteprima, QStringLiteral("Visualizza l'anteprima di stampa della scheda corrente.")},
                        {cmdPrimo, QStringLiteral("Visualizza la prima scheda in archivio.")},
                        {cmdIndietro, QStringLiteral("Visualizza la scheda precedente in archivio.")},
                        {cmdAvanti, QStringLiteral("Visualizza la scheda successiva in archivio.")},
                        {cmdUltimo, QStringLiteral("Visualizza l'ultima scheda in archivio.")},
                        {cmdEsporta, QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
                        {cmdScaduti, QStringLiteral("Visualizza il riepilogo dei contratti in scadenza o scaduti.")},
                        {cmdGuida, QStringLiteral("Visualizza la guida in linea.")},
                        {cmdEsci, QStringLiteral("Esci da questa schermata di lavoro.")},
                        {btnCodFisc, QStringLiteral("Controlla il codice fiscale.")},
                        {btnIva, QStringLiteral("Controlla il numero di partita IVA.")},
                        {btnCarta, QStringLiteral("Controlla il numero di carta di credito.")},
                        {btnIban, QStringLiteral("Controlla l'IBAN.")},
                        {btnEmail, QStringLiteral("Invia una e-mail all'indirizzo indicato.")}});
}

void TfrmAnagrafica::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (e->spontaneous())
        return;
    // Maximised also where no window manager honours the state.
    if (screen())
        setGeometry(screen()->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    cmdNuovoClick();
}

void TfrmAnagrafica::closeEvent(QCloseEvent *e)
{
    e->accept();
    Navigation::backToMenu(this);
}

void TfrmAnagrafica::cmdNuovoClick()
{
    for (auto *e : panContainer->findChildren<QLineEdit *>())
        if (e->parentWidget() == panContainer)
            e->clear();
    txtPreavviso->setText(QStringLiteral("0"));
    txtTotale->setText(QStringLiteral("0,00"));
    for (auto *l : {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})
        l->clear();
    txtProvRes->setCurrentIndex(-1);
    txtProvRes->clearEditText();
    m_frame->setPosition(0);
    txtCognome->setFocus(Qt::OtherFocusReason);
}

void TfrmAnagrafica::cmdSalvaClick()
{
    btnFocus->setFocus(Qt::OtherFocusReason);
    const QString hired = txtDecorrenza->text().trimmed();
    const QString expires = txtScadenza->text().trimmed();
    const QDate hiredOn = Formats::parseDateText(txtDecorrenza->text());
    const QDate expiresOn = Formats::parseDateText(txtScadenza->text());
    const QString validDate = QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare "
                                             "una data valida nel formato gg/mm/aaaa.");
    struct Check {
        bool failed;
        Seams::MsgKind kind;
        QString message;
        QWidget *focus; // nullptr: the focus stays where it is
    };
    const Check checks[] = {
        {txtCognome->text().trimmed().isEmpty(), Seams::MsgKind::Warning,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il cognome del richiedente."),
         txtCognome},
        {txtNome->text().trimmed().isEmpty(), Seams::MsgKind::Warning,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del richiedente."), txtNome},
        {hired.isEmpty(), Seams::MsgKind::Warning,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di assunzione."),
         txtDecorrenza},
        {expires.isEmpty(), Seams::MsgKind::Warning,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di scadenza del contratto di "
                        "lavoro."),
         txtScadenza},
        {!hiredOn.isValid(), Seams::MsgKind::Plain,
         QStringLiteral("Attenzione: la data di assunzione ") + hired + validDate, txtDecorrenza},
        {!expiresOn.isValid(), Seams::MsgKind::Plain,
         QStringLiteral("Attenzione: la data di scadenza del contratto ") + expires + validDate, txtScadenza},
        {hiredOn.isValid() && expiresOn.isValid() && hiredOn > expiresOn, Seams::MsgKind::Plain,
         QStringLiteral("Attenzione: la data di scadenza del contratto (") + expires +
             QStringLiteral(") non può essere anteriore a quella di assunzione (") + hired +
             QStringLiteral(").\n\r\n\rPer poter salvare la scheda è necessario indicare un intervallo di tempo "
                            "valido."),
         nullptr},
        {txtPreavviso->text().trimmed().isEmpty(), Seams::MsgKind::Warning,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso."),
         txtPreavviso},
    };
    for (const auto &c : checks) {
        if (c.failed) {
            Seams::Messages::show(this, c.kind, c.message);
            if (c.focus)
                c.focus->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    m_frame->save();
}

void TfrmAnagrafica::txtTotaleExit()
{
    txtTotale->setText(FormatAmountText(txtTotale->text()));
}

void TfrmAnagrafica::cmdFileClick()
{
    TfrmAllegaCartella::attachFor(this, QStringLiteral("anagrafica"));
}


void TfrmAnagrafica::cmdTrovaClick()
{
    runModal<TfrmTrovaAnagrafica>(this, [](auto &w) { w.lblMemory->setText(QStringLiteral("anagrafica")); });
}

void TfrmAnagrafica::cmdStampaClick() { runModal<TfrmStampaAnagrafica>(this); }
void TfrmAnagrafica::cmdAnteprimaClick() { runModal<TfrmAnteprimaAnagrafica>(this); }
void TfrmAnagrafica::cmdEsportaClick() { runModal<TfrmExpAnagrafica>(this); }
void TfrmAnagrafica::cmdScadutiClick() { runModal<TfrmContrattiScaduti>(this); }

void TfrmAnagrafica::cmdGuidaClick()
{
    HelpTexts::show(this, QStringLiteral("applicant"));
}

void TfrmAnagrafica::btnCodFiscClick()
{
    IdentifierCheck::openFiscalCodeCheck(this, txtCodFisc->text());
}
void TfrmAnagrafica::btnIvaClick()
{
    IdentifierCheck::openVatCheck(this, txtIva->text());
}
void TfrmAnagrafica::btnCartaClick()
{
    IdentifierCheck::openCardCheck(this, txtCarta->text());
}
void TfrmAnagrafica::btnIbanClick()
{
    IdentifierCheck::openIbanCheck(this, txtIban->text());
}

void TfrmAnagrafica::btnEmailClick()
{
    // The address is data from a shared archive: encoded whole, so it cannot add a subject, a body or an
    // attachment to the message.
    const QByteArray address = QUrl::toPercentEncoding(txtEmail->text().trimmed(), "@+");
    TMisc::Open(QStringLiteral("\"mailto:") + QString::fromLatin1(address) + QLatin1Char('"'));
}

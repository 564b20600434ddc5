#include "registry/Anagrafica.h"

#include "checks/OpenCheck.h"
#include "core/ArchiveTexts.h"
#include "core/Formats.h"
#include "core/OpenURL.h"
#include "core/Routines.h"
#include "core/widgets/Controls.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/WindowNames.h"
#include "core/widgets/WindowStyle.h"
#include "registry/AllegaCartella.h"
#include "registry/AnteprimaAnagrafica.h"
#include "registry/ApplicantRecord.h"
#include "registry/ContrattiScaduti.h"
#include "registry/ExpAnagrafica.h"
#include "registry/StampaAnagrafica.h"
#include "registry/TrovaAnagrafica.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using WindowStyle::runModal;

namespace {
// The boxes in tab order. Enter moves to the next one (the last back to the first); a date box opens the
// calendar instead.
constexpr EditorField kFields[] = {
    {.name = "txtCognome", .caption = u"Cognome:"},
    {.name = "txtNome", .caption = u"Nome:"},
    {.name = "txtCodFisc", .rule = FieldRule::TrimUpper, .caption = u"Codice fiscale:", .beside = "btnCodFisc"},
    {.name = "txtSesso", .rule = FieldRule::TrimUpper, .caption = u"Sesso:"},
    {.name = "txtDataNasc", .caption = u"Data di nascita:"},
    {.name = "txtCittaNasc", .caption = u"Città di nascita:"},
    {.name = "txtStatoNasc", .caption = u"Stato di nascita:"},
    {.name = "txtIva", .rule = FieldRule::Digits, .caption = u"Partita IVA:", .beside = "btnIva"},
    {.name = "txtIndirizzo", .caption = u"Via e numero civico:"},
    {.name = "txtCap", .caption = u"CAP:"},
    {.name = "txtComuneRes", .caption = u"Comune di residenza:"},
    {.name = "txtProvRes", .rule = FieldRule::EditList, .caption = u"Prov.", .items = &TfrmAnagrafica::provinceCodes},
    {.name = "txtStatoCit", .caption = u"Cittadinanza:"},
    {.name = "txtIngresso", .caption = u"Ingresso in Italia (data, frontiera, visto):"},
    {.name = "txtRecapito", .caption = u"Tel. preferenziale:"},
    {.name = "txtTelCasa", .caption = u"Tel. casa:"},
    {.name = "txtTelCel", .caption = u"Tel. cellulare:"},
    {.name = "txtTelUff", .caption = u"Tel. ufficio:"},
    {.name = "txtEmail", .rule = FieldRule::Trimmed, .caption = u"E-mail:", .beside = "btnEmail"},
    {.name = "txtPermesso", .caption = u"Permesso di soggiorno n."},
    {.name = "txtScadePer", .rule = FieldRule::Date, .caption = u"Scadenza:", .calendarTag = "anagrafica_scadeper"},
    {.name = "txtComuniSog", .caption = u"Comuni di soggiorno negli ultimi 6 anni:"},
    {.name = "txtIban", .rule = FieldRule::TrimUpper, .caption = u"IBAN:", .beside = "btnIban"},
    {.name = "txtIntestatario", .caption = u"Intestatario C/C:"},
    {.name = "txtBanca", .caption = u"Banca:"},
    {.name = "txtCarta", .rule = FieldRule::Digits, .caption = u"Carta di credito n.", .beside = "btnCarta"},
    {.name = "txtScadeCarta", .caption = u"Scadenza:"},
    {.name = "txtTipoLavoro", .caption = u"Tipologia di lavoro e mansione svolta:"},
    {.name = "txtPrecedenti", .caption = u"Precedenti penali:"},
    {.name = "txtNote", .caption = u"Note:"},
    {.name = "txtTipoDoc", .caption = u"Tipo di documento:"},
    {.name = "txtNumDoc", .caption = u"Numero:"},
    {.name = "txtEnteRil", .caption = u"Ente di rilascio:"},
    {.name = "txtDataRil", .caption = u"Data di rilascio:"},
    {.name = "txtDataSca", .caption = u"Data di scadenza:"},
    {.name = "txtCivile", .caption = u"Stato civile:"},
    {.name = "txtConiuge", .caption = u"Coniuge:"},
    {.name = "txtFigli", .caption = u"Figli a carico:"},
    {.name = "txtDatore", .caption = u"Datore di lavoro:"},
    {.name = "txtDecorrenza",
     .rule = FieldRule::Date,
     .caption = u"Data assunzione:",
     .calendarTag = "anagrafica_decorrenza"},
    {.name = "txtScadenza",
     .rule = FieldRule::Date,
     .caption = u"Prossima scadenza:",
     .calendarTag = "anagrafica_scadenza"},
    {.name = "txtPreavviso", .rule = FieldRule::Digits, .caption = u"Giorni di preavviso:", .reset = u"0"},
    {.name = "txtTotale", .rule = FieldRule::Amount, .caption = u"Reddito annuale: €", .reset = u"0,00"},
    {.name = "txtContratto", .caption = u"Contratto di lavoro:"},
    {.name = "lblFile01", .rule = FieldRule::Hidden},
    {.name = "lblFile02", .rule = FieldRule::Hidden},
    {.name = "lblFile03", .rule = FieldRule::Hidden},
    {.name = "lblDesc01", .rule = FieldRule::Hidden},
    {.name = "lblDesc02", .rule = FieldRule::Hidden},
    {.name = "lblDesc03", .rule = FieldRule::Hidden},
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

using T = TfrmAnagrafica;
constexpr EditorCommand<T> kCommands[] = {
    {&T::cmdNuovo, "cmdNuovo", "new.svg", u"Nuovo", u"Prepara la schermata per la registrazione di una nuova scheda.",
     EditorKeys::nuovo, &T::cmdNuovoClick},
    {&T::cmdSalva, "cmdSalva", "save.svg", u"Salva", u"Salva la scheda corrente in archivio.", EditorKeys::salva,
     &T::cmdSalvaClick},
    {&T::cmdTrova, "cmdTrova", "find.svg", u"Trova", u"Trova una scheda in archivio.", EditorKeys::trova,
     &T::cmdTrovaClick},
    {&T::cmdFile, "cmdFile", "attach.svg", u"Allega", u"Allega file alla scheda corrente.", EditorKeys::allega,
     &T::cmdFileClick},
    {&T::cmdStampa, "cmdStampa", "print.svg", u"Stampa", u"Stampa la scheda corrente.", EditorKeys::stampa,
     &T::cmdStampaClick},
    {&T::cmdAnteprima, "cmdAnteprima", "preview.svg", u"Anteprima",
     u"Visualizza l'anteprima di stampa della scheda corrente.", EditorKeys::anteprima, &T::cmdAnteprimaClick},
    {&T::cmdEsporta, "cmdEsporta", "excel.svg", u"Esporta",
     u"Esporta le schede in archivio in un file di Microsoft Excel.", EditorKeys::esporta, &T::cmdEsportaClick},
    {&T::cmdScaduti, "cmdScaduti", "overdue.svg", u"Contratti",
     u"Visualizza il riepilogo dei contratti in scadenza o scaduti.", EditorKeys::lists[0], &T::cmdScadutiClick},
    {&T::cmdGuida, "cmdGuida", "help.svg", u"Guida", u"Visualizza la guida in linea.", EditorKeys::guida,
     &T::cmdGuidaClick},
    {&T::cmdEsci, "cmdEsci", "exit.svg", u"Esci", u"Esci da questa schermata di lavoro.", EditorKeys::esci,
     &T::cmdEsciClick},
};

const QString kStyle = QStringLiteral(
    "QFrame#panContainer { background: #EEF3F8; }"
    "QFrame#panContainer QLabel { color: #1F3A5F; font-weight: bold; }"
    "QFrame#panContainer QLineEdit, QFrame#panContainer QComboBox { background: white; border: 1px solid #8CA0B8; "
    "padding: 1px 4px; }"
    "QLabel#lblPosizione { background: white; border: 1px solid #708090; }"
    "QFrame#panContainer QLabel[heading=\"true\"] { color: #2F5F96; border-bottom: 2px solid #2F5F96; padding-bottom: "
    "2px; }");

TEditorWindow::Config config()
{
    TEditorWindow::Config c;
    c.name = WindowNames::anagrafica.toString();
    c.title = QStringLiteral(" Versalia - Anagrafica Richiedenti");
    c.layout = &kApplicantLayout;
    c.archive = QStringLiteral("Richiedenti.pro");
    c.saveFailureKind = Seams::MsgKind::Error;
    c.insertedMessage = ArchiveTexts::inserted();
    c.helpPage = QStringLiteral("applicant");
    c.readyText = QStringLiteral("Pronto per salvare una nuova scheda...");
    return c;
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

TfrmAnagrafica::TfrmAnagrafica(QWidget *parent) : TEditorWindow(config(), parent)
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    panContainer = new QFrame(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    // On the panel, not the window: the windows the editor opens are its children and keep their own look.
    panContainer->setStyleSheet(kStyle);
    root->addWidget(panContainer, 1);
    buildStatusLine(this)->setFixedHeight(32);
    root->addWidget(panInfo);

    buildBoxes(panContainer);
    finishEditor();

    connect(btnCodFisc, &QPushButton::clicked, this, &TfrmAnagrafica::btnCodFiscClick);
    connect(btnIva, &QPushButton::clicked, this, &TfrmAnagrafica::btnIvaClick);
    connect(btnCarta, &QPushButton::clicked, this, &TfrmAnagrafica::btnCartaClick);
    connect(btnIban, &QPushButton::clicked, this, &TfrmAnagrafica::btnIbanClick);
    connect(btnEmail, &QPushButton::clicked, this, &TfrmAnagrafica::btnEmailClick);
}

void TfrmAnagrafica::buildBoxes(QWidget *panel)
{
    const QFont boxFont(QStringLiteral("Verdana"), 12);
    const QFont labelFont(QStringLiteral("Verdana"), 9, QFont::Bold);
    buildFields(kFields, panel, {boxFont}, &labelFont);
    const auto edit = [&](const char *name) { return field<QLineEdit>(name); };
    txtCognome = edit("txtCognome"), txtNome = edit("txtNome"), txtCodFisc = edit("txtCodFisc");
    txtSesso = edit("txtSesso"), txtDataNasc = edit("txtDataNasc"), txtCittaNasc = edit("txtCittaNasc");
    txtStatoNasc = edit("txtStatoNasc"), txtIva = edit("txtIva"), txtIndirizzo = edit("txtIndirizzo");
    txtCap = edit("txtCap"), txtComuneRes = edit("txtComuneRes");
    txtProvRes = field<QComboBox>("txtProvRes");
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
    lblFile01 = field<QLabel>("lblFile01"), lblFile02 = field<QLabel>("lblFile02");
    lblFile03 = field<QLabel>("lblFile03"), lblDesc01 = field<QLabel>("lblDesc01");
    lblDesc02 = field<QLabel>("lblDesc02"), lblDesc03 = field<QLabel>("lblDesc03");

    // A whole IBAN stays in sight: its column gives way to it.
    txtIban->setMinimumWidth(QFontMetrics(boxFont).horizontalAdvance(QStringLiteral("IT00W0000000000000000000000")) +
                             20);

    btnCodFisc = sideButton(panel, "btnCodFisc", "check.svg");
    btnIva = sideButton(panel, "btnIva", "check.svg");
    btnCarta = sideButton(panel, "btnCarta", "check.svg");
    btnIban = sideButton(panel, "btnIban", "check.svg");
    btnEmail = sideButton(panel, "btnEmail", "email.svg");
    hints({{btnCodFisc, QStringLiteral("Controlla il codice fiscale.")},
           {btnIva, QStringLiteral("Controlla il numero di partita IVA.")},
           {btnCarta, QStringLiteral("Controlla il numero di carta di credito.")},
           {btnIban, QStringLiteral("Controlla l'IBAN.")},
           {btnEmail, QStringLiteral("Invia una e-mail all'indirizzo indicato.")}});
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
                cell->addWidget(captionOf(place.control));
                auto *boxLine = new QHBoxLayout;
                boxLine->setSpacing(4);
                QWidget *box = field(name);
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
    auto *nav = new QHBoxLayout;
    nav->addStretch();
    nav->addWidget(buildNavigation(panel));
    nav->addStretch();
    work->addLayout(nav);
    body->addLayout(work, 1);
    body->addWidget(buildCommands<T>(this, panel, kCommands, 40, 6, false));
}

void TfrmAnagrafica::afterShow()
{
    startNew();
}

bool TfrmAnagrafica::readyToSave()
{
    btnFocus->setFocus(Qt::OtherFocusReason);
    const QString hired = txtDecorrenza->text().trimmed();
    const QString expires = txtScadenza->text().trimmed();
    const QDate hiredOn = Formats::parseDateText(txtDecorrenza->text());
    const QDate expiresOn = Formats::parseDateText(txtScadenza->text());
    const QString validDate = QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare "
                                             "una data valida nel formato gg/mm/aaaa.");
    return passes({
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
    });
}

void TfrmAnagrafica::txtTotaleExit()
{
    formatAmount(txtTotale);
}

void TfrmAnagrafica::cmdFileClick()
{
    TfrmAllegaCartella::attachFor(this, QStringLiteral("anagrafica"));
}

void TfrmAnagrafica::cmdTrovaClick()
{
    runModal<TfrmTrovaAnagrafica>(this, [](auto &w) { w.lblMemory->setText(QStringLiteral("anagrafica")); });
}

void TfrmAnagrafica::cmdStampaClick()
{
    runModal<TfrmStampaAnagrafica>(this);
}
void TfrmAnagrafica::cmdAnteprimaClick()
{
    runModal<TfrmAnteprimaAnagrafica>(this);
}
void TfrmAnagrafica::cmdEsportaClick()
{
    runModal<TfrmExpAnagrafica>(this);
}
void TfrmAnagrafica::cmdScadutiClick()
{
    runModal<TfrmContrattiScaduti>(this);
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

#include "agenda/Scadenzario.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "agenda/DeadlineSheet.h"
#include "checks/OpenCheck.h"
#include "core/ArchiveTexts.h"
#include "core/Formats.h"
#include "core/Routines.h"
#include "core/widgets/Controls.h"
#include "core/widgets/DropDowns.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/WindowNames.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <memory>

namespace {
constexpr int kWidth = 1310;
constexpr int kHeight = 700;

constexpr std::array<const char *, 12> kMonths{"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                               "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

TfrmScadenzario::ApplicantSearchFactory &applicantSearch()
{
    static TfrmScadenzario::ApplicantSearchFactory factory;
    return factory;
}

QStringList numbers(int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return list;
}
const QStringList &days()
{
    static const QStringList list = numbers(1, 31);
    return list;
}
const QStringList &months()
{
    static const QStringList list = [] {
        QStringList l;
        for (const char *m : kMonths)
            l << QString::fromLatin1(m);
        return l;
    }();
    return list;
}
const QStringList &hours()
{
    static const QStringList list = numbers(0, 23);
    return list;
}
const QStringList &minutes()
{
    static const QStringList list = numbers(0, 59);
    return list;
}

// Captions on the left at x 24, fields at x 214; on the right at x 570 and 760; rows 46 pixels apart.
constexpr int left(int row)
{
    return 246 + 46 * row;
}
constexpr int right(int row)
{
    return 22 + 46 * row;
}
constexpr QRect leftField(int row, int width = 330)
{
    return {214, left(row), width, 32};
}
constexpr QRect rightField(int row, int width = 330)
{
    return {760, right(row), width, 32};
}
constexpr QPoint leftCaption(int row)
{
    return {24, left(row) + 8};
}
constexpr QPoint rightCaption(int row)
{
    return {570, right(row) + 8};
}

enum Font { Box, CheckBox, Year };

// The fields in tab order; Enter goes along the typed ones, the last back to the first.
constexpr EditorField kFields[] = {
    {.name = "txtGiorno",
     .rule = FieldRule::PickList,
     .caption = u"Giorno:",
     .captionAt = {14, 38},
     .parent = "grpData",
     .place = {80, 32, 76, 34},
     .items = &days,
     .duplicateResets = true},
    {.name = "txtMese",
     .rule = FieldRule::PickList,
     .caption = u"Mese:",
     .captionAt = {176, 38},
     .parent = "grpData",
     .place = {230, 32, 160, 34},
     .items = &months,
     .duplicateResets = true},
    {.name = "lblAnno",
     .rule = FieldRule::Label,
     .parent = "grpData",
     .place = {410, 30, 100, 38},
     .reset = u"ANNO",
     .font = Year},
    {.name = "txtOreApp",
     .rule = FieldRule::PickList,
     .caption = u"Ore:",
     .captionAt = {14, 38},
     .parent = "grpOra",
     .place = {80, 32, 76, 34},
     .reset = u"00",
     .items = &hours,
     .duplicateResets = true},
    {.name = "txtMinutiApp",
     .rule = FieldRule::PickList,
     .caption = u"Minuti:",
     .captionAt = {176, 38},
     .parent = "grpOra",
     .place = {240, 32, 76, 34},
     .reset = u"00",
     .items = &minutes,
     .duplicateResets = true},
    {.name = "txtAvviso",
     .rule = FieldRule::Digits,
     .caption = u"Avvisa n.",
     .captionAt = {24, 204},
     .place = {110, 196, 64, 32},
     .align = Qt::AlignHCenter},
    {.name = "txtCliente", .caption = u"Richiedente:", .captionAt = leftCaption(0), .place = leftField(0)},
    {.name = "txtCodFisc",
     .rule = FieldRule::TrimUpper,
     .caption = u"Codice fiscale:",
     .captionAt = leftCaption(1),
     .place = leftField(1, 290)},
    {.name = "txtRecapito", .caption = u"Telefono preferenziale:", .captionAt = leftCaption(2), .place = leftField(2)},
    {.name = "txtOggetto", .caption = u"Oggetto pratica:", .captionAt = leftCaption(3), .place = leftField(3)},
    {.name = "txtTipologia", .caption = u"Tipologia:", .captionAt = leftCaption(4), .place = leftField(4)},
    {.name = "txtProtocollo", .caption = u"Protocollo n.", .captionAt = leftCaption(5), .place = leftField(5)},
    {.name = "txtApertura", .caption = u"Data apertura:", .captionAt = leftCaption(6), .place = leftField(6, 150)},
    {.name = "txtChiusura", .caption = u"Data chiusura:", .captionAt = leftCaption(7), .place = leftField(7, 150)},
    {.name = "txtStato", .caption = u"Stato avanzamento:", .captionAt = rightCaption(0), .place = rightField(0)},
    {.name = "txtConsulente",
     .caption = u"Consulente o curatore:",
     .captionAt = rightCaption(1),
     .place = rightField(1)},
    {.name = "txtDettagli", .caption = u"Causale scadenza:", .captionAt = rightCaption(2), .place = rightField(2)},
    {.name = "txtOfficina", .caption = u"Modalità di pagamento:", .captionAt = rightCaption(3), .place = rightField(3)},
    {.name = "txtCosto",
     .rule = FieldRule::Amount,
     .caption = u"Importo in euro:",
     .captionAt = rightCaption(4),
     .place = rightField(4, 160),
     .align = Qt::AlignRight,
     .reset = u"0,00"},
    {.name = "txtContatto", .caption = u"Estremi ricevuta:", .captionAt = rightCaption(5), .place = rightField(5)},
    {.name = "chkDaConfermare",
     .rule = FieldRule::Check,
     .caption = u"Appuntamento da confermare",
     .place = {760, right(6), 330, 30},
     .font = CheckBox},
    {.name = "txtNote",
     .caption = u"Note:",
     .captionAt = {570, right(6) + 42 + 8},
     .place = {760, right(6) + 42, 330, 32}},
    {.name = "chkEffettuata",
     .rule = FieldRule::Check,
     .caption = u"Pagamento effettuato",
     .place = {760, right(7) + 42, 330, 30},
     .font = CheckBox},
    {.name = "lblData", .rule = FieldRule::Hidden},
    {.name = "lblOra", .rule = FieldRule::Hidden},
};

using T = TfrmScadenzario;
constexpr EditorCommand<T> kCommands[] = {
    {&T::cmdNuovo, "cmdNuovo", "new.svg", u"Nuovo", u"Prepara la schermata per la registrazione di una nuova scheda.",
     EditorKeys::nuovo, &T::cmdNuovoClick},
    {&T::cmdDuplica, "cmdDuplica", "duplicate.svg", u"Duplica",
     u"Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.", EditorKeys::duplica,
     &T::cmdDuplicaClick},
    {&T::cmdImporta,
     "cmdImporta",
     "import_arrow.svg",
     u"Importa dati",
     u"Importa i dati dall'archivio anagrafico dei richiedenti.",
     {},
     &T::cmdImportaClick},
    {&T::cmdSalva, "cmdSalva", "save.svg", u"Salva", u"Salva la scheda corrente in archivio.", EditorKeys::salva,
     &T::cmdSalvaClick},
    {&T::cmdTrova, "cmdTrova", "find.svg", u"Trova", u"Trova una scheda in archivio.", EditorKeys::trova,
     &T::cmdTrovaClick},
    {&T::cmdStampa, "cmdStampa", "print.svg", u"Stampa", u"Stampa la scheda corrente.", EditorKeys::stampa,
     &T::cmdStampaClick},
    {&T::cmdEsporta, "cmdEsporta", "excel.svg", u"Esporta archivio",
     u"Esporta le schede in archivio in un file di Microsoft Excel.", EditorKeys::esporta, &T::cmdEsportaClick},
    {&T::cmdDaConfermare, "cmdDaConfermare", "check.svg", u"Da confermare",
     u"Visualizza l'elenco degli appuntamenti in attesa di conferma.", EditorKeys::lists[0], &T::cmdDaConfermareClick},
    {&T::cmdDaEffettuare, "cmdDaEffettuare", "unpaid.svg", u"Da effettuare",
     u"Visualizza il riepilogo dei pagamenti da effettuare, sia scaduti che non.", EditorKeys::lists[1],
     &T::cmdDaEffettuareClick},
    {&T::cmdEffettuate, "cmdEffettuate", "overdue.svg", u"Effettuati",
     u"Visualizza il riepilogo storico dei pagamenti effettuati.", EditorKeys::lists[2], &T::cmdEffettuateClick},
    {&T::cmdGuida, "cmdGuida", "help.svg", u"Guida", u"Visualizza la pagina della guida sensibile al contesto.",
     EditorKeys::guida, &T::cmdGuidaClick},
    {&T::cmdEsci, "cmdEsci", "exit.svg", u"Esci", u"Esci da questa schermata di lavoro.", EditorKeys::esci,
     &T::cmdEsciClick},
};

const QString kAgendaStyle = QStringLiteral(
    "QFrame#panContainer QLabel { color: #1F3A5F; font-weight: bold; }"
    "QFrame#panContainer QLineEdit, QFrame#panContainer QComboBox { background: white; border: 1px solid #708090; }"
    "QGroupBox { color: #1F3A5F; font-weight: bold; border: 1px solid #9FB3C8; border-radius: 6px; margin-top: 10px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 10px; }"
    "QLabel#lblPosizione { background: white; border: 1px solid #708090; }");

TEditorWindow::Config config()
{
    TEditorWindow::Config c;
    c.name = WindowNames::scadenzario.toString();
    c.title = QStringLiteral(" Versalia - Scadenze e appuntamenti");
    c.layout = &kDeadlineLayout;
    c.yearExtension = QStringLiteral(".sca");
    c.saveFailureKind = Seams::MsgKind::Error;
    c.insertedMessage = ArchiveTexts::savedNew();
    c.helpPage = QStringLiteral("agenda");
    c.readyText = QStringLiteral("Pronto per archiviare una nuova scheda...");
    return c;
}

Picture *picture(QWidget *parent, const char *name, const char *svg, QPoint at, QSize size)
{
    return Controls::picture(parent, name, svg, size, at);
}

QFrame *box(QWidget *parent, const char *name, QRect geometry)
{
    auto *b = new QFrame(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    b->setStyleSheet(QStringLiteral("QFrame#%1 { background: white; border: 1px solid #B8C4D0; border-radius: 10px; }")
                         .arg(b->objectName()));
    return b;
}

QLabel *caption(QWidget *parent, const QString &text, QRect geometry, const char *name, const QFont &font,
                bool wrap = false)
{
    auto *l = Controls::caption(parent, text, geometry.topLeft(), name);
    l->setFont(font);
    l->setWordWrap(wrap);
    if (geometry.width() > 0)
        l->setGeometry(geometry);
    else
        l->adjustSize();
    return l;
}
} // namespace

void TfrmScadenzario::setApplicantSearchFactory(ApplicantSearchFactory factory)
{
    applicantSearch() = std::move(factory);
}

TfrmScadenzario::TfrmScadenzario(QWidget *parent) : TEditorWindow(config(), parent)
{
    setMinimumSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("TfrmScadenzario { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                 "stop:0 #F4F8FB, stop:1 #D9E4EE); }"));
    setAttribute(Qt::WA_StyledBackground);
    // The two panels keep their size and stay in the middle of the window.
    panStage = new QWidget(this);
    panStage->setObjectName(QStringLiteral("panStage"));
    panStage->setFixedSize(kWidth, kHeight);
    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panStage, 0, 0, Qt::AlignCenter);

    buildStartPanel();
    buildWorkPanel();
    finishEditor();
}

void TfrmScadenzario::buildStartPanel()
{
    panAvvio = new QFrame(panStage);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setGeometry(0, 0, kWidth, kHeight);
    const QFont heading(QStringLiteral("Verdana"), 12, QFont::Bold);
    const QFont plain(QStringLiteral("Verdana"), 10);

    QFrame *yearBox = box(panAvvio, "shpAnno", {115, 40, 520, 290});
    lblInfo05 = caption(yearBox, QStringLiteral("Accedi all'archivio annuale per inserire o modificare le scadenze."),
                        {20, 20, 480, 56}, "lblInfo05", heading, true);
    lblApri =
        caption(yearBox, QStringLiteral("Indicare l'anno solare e premere Apri."), {20, 96, 0, 0}, "lblApri", plain);
    buildYearPanel(yearBox);
    txtAnno->setGeometry(120, 150, 160, 64);
    txtAnno->setFont(QFont(QStringLiteral("Verdana"), 28, QFont::Bold));
    btnApri->setGeometry(300, 160, 100, 44);

    QFrame *imminentBox = box(panAvvio, "shpImminenti", {115, 360, 520, 260});
    lblInfo06 =
        caption(imminentBox, QStringLiteral("Visualizza le scadenze imminenti."), {20, 20, 0, 0}, "lblInfo06", heading);
    imgPresenti = picture(imminentBox, "imgPresenti", "imminent_present.svg", QPoint(40, 64), QSize(440, 70));
    imgAssenti = picture(imminentBox, "imgAssenti", "imminent_absent.svg", QPoint(40, 64), QSize(440, 70));
    imgPresenti->setCursor(Qt::ArrowCursor);
    imgAssenti->setCursor(Qt::ArrowCursor);
    lblOK = caption(imminentBox, QStringLiteral("Premere OK per ottenere l'elenco delle scadenze."), {20, 164, 0, 0},
                    "lblOK", plain);
    btnOK = new QPushButton(QStringLiteral("OK"), imminentBox);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(200, 196, 100, 40);

    QFrame *calendarBox = box(panAvvio, "shpCalendario", {675, 40, 520, 580});
    calAppuntamenti = new QCalendarWidget(calendarBox);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setGridVisible(true);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setGeometry(30, 24, 460, 330);
    calAppuntamenti->setSelectedDate(Seams::Clock::today());
    icoIstruzioni = caption(calendarBox,
                            QStringLiteral("Scegliere una data sul calendario e premere uno dei pulsanti qui sotto "
                                           "per vedere le scadenze di quel giorno o di quel mese."),
                            {30, 372, 460, 48}, "icoIstruzioni", plain, true);
    btnGiorno = picture(calendarBox, "btnGiorno", "agenda_day.svg", QPoint(30, 440), QSize(220, 44));
    btnMese = picture(calendarBox, "btnMese", "agenda_month.svg", QPoint(270, 440), QSize(220, 44));
    imgGuida = picture(calendarBox, "imgGuida", "help.svg", QPoint(30, 516), QSize(40, 40));
    imgEsci = picture(calendarBox, "imgEsci", "exit.svg", QPoint(450, 516), QSize(40, 40));

    connect(imgGuida, &Picture::clicked, this, &TfrmScadenzario::cmdGuidaClick);
    connect(imgEsci, &Picture::clicked, this, &TfrmScadenzario::cmdEsciClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmScadenzario::btnOKClick);
    connect(btnGiorno, &Picture::clicked, this, &TfrmScadenzario::btnGiornoClick);
    connect(btnMese, &Picture::clicked, this, &TfrmScadenzario::btnMeseClick);
    showImminent(false);
    setTabOrder(txtAnno, btnApri);
    setTabOrder(btnApri, calAppuntamenti);
}

void TfrmScadenzario::buildWorkPanel()
{
    panContainer = new QFrame(panStage);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(0, 0, kWidth, kHeight);
    panContainer->hide();
    // On the panel, not the window: the windows the editor opens are its children and keep their own look.
    panContainer->setStyleSheet(kAgendaStyle);

    grpData = new QGroupBox(QStringLiteral(" Data scadenza: "), panContainer);
    grpData->setObjectName(QStringLiteral("grpData"));
    grpData->setGeometry(24, 12, 520, 82);
    grpOra = new QGroupBox(QStringLiteral(" Ora appuntamento: "), panContainer);
    grpOra->setObjectName(QStringLiteral("grpOra"));
    grpOra->setGeometry(24, 100, 520, 82);
    Controls::caption(grpOra, QStringLiteral(":"), QPoint(164, 38));
    Controls::caption(panContainer, QStringLiteral("giorni prima della scadenza."), QPoint(184, 204));

    buildStatusLine(panContainer)->setGeometry(0, kHeight - 34, kWidth, 34);
    buildFields(kFields, panContainer,
                {QFont(QStringLiteral("Verdana"), 12, QFont::Bold), QFont(QStringLiteral("Verdana"), 11, QFont::Bold),
                 QFont(QStringLiteral("Verdana"), 18, QFont::Bold)});
    txtGiorno = field<QComboBox>("txtGiorno");
    txtMese = field<QComboBox>("txtMese");
    txtOreApp = field<QComboBox>("txtOreApp");
    txtMinutiApp = field<QComboBox>("txtMinutiApp");
    lblAnno = field<QLabel>("lblAnno");
    lblData = field<QLabel>("lblData");
    lblOra = field<QLabel>("lblOra");
    const auto edit = [this](const char *name) { return field<QLineEdit>(name); };
    txtAvviso = edit("txtAvviso"), txtCliente = edit("txtCliente"), txtCodFisc = edit("txtCodFisc");
    txtRecapito = edit("txtRecapito"), txtOggetto = edit("txtOggetto"), txtTipologia = edit("txtTipologia");
    txtProtocollo = edit("txtProtocollo"), txtApertura = edit("txtApertura"), txtChiusura = edit("txtChiusura");
    txtStato = edit("txtStato"), txtConsulente = edit("txtConsulente"), txtDettagli = edit("txtDettagli");
    txtOfficina = edit("txtOfficina"), txtCosto = edit("txtCosto"), txtContatto = edit("txtContatto");
    txtNote = edit("txtNote");
    chkDaConfermare = field<QCheckBox>("chkDaConfermare");
    chkEffettuata = field<QCheckBox>("chkEffettuata");

    btnCodFisc = picture(panContainer, "btnCodFisc", "lens.svg", leftField(1).topRight() + QPoint(9, 0), QSize(32, 32));
    impApertura =
        picture(panContainer, "impApertura", "today.svg", leftField(6, 150).topRight() + QPoint(9, 0), QSize(32, 32));
    impChiusura =
        picture(panContainer, "impChiusura", "today.svg", leftField(7, 150).topRight() + QPoint(9, 0), QSize(32, 32));

    buildNavigation(panContainer)->move(422, 618);
    buildCommands<T>(this, panContainer, kCommands, 36, 14, true)->setGeometry(1120, 14, 190, 12 * 36 + 11 * 14);
    hints({{btnCodFisc, QStringLiteral("Controlla il codice fiscale.")},
           {impApertura, QStringLiteral("Inserisci la data corrente.")},
           {impChiusura, QStringLiteral("Inserisci la data corrente.")},
           {chkDaConfermare,
            QStringLiteral("Spunta questa casella per annotare che l'appuntamento è in attesa di conferma.")},
           {chkEffettuata, QStringLiteral("Spunta questa casella per annotare che il pagamento è stata effettuato.")}});

    connect(btnCodFisc, &Picture::clicked, this, &TfrmScadenzario::btnCodFiscClick);
    connect(impApertura, &Picture::clicked, this, &TfrmScadenzario::impAperturaClick);
    connect(impChiusura, &Picture::clicked, this, &TfrmScadenzario::impChiusuraClick);
}

QList<QComboBox *> TfrmScadenzario::dropDowns() const
{
    return {txtGiorno, txtMese, txtOreApp, txtMinutiApp};
}

void TfrmScadenzario::showImminent(bool present)
{
    imgPresenti->setVisible(present);
    imgAssenti->setVisible(!present);
    btnOK->setEnabled(present);
}

void TfrmScadenzario::afterShow()
{
    panAvvio->show();
    panContainer->hide();
    cmdImporta->setEnabled(bool(applicantSearch()));
    DeadlineLists::showIndicator(this);
}

void TfrmScadenzario::beforeClose()
{
    setWindowTitle(QStringLiteral(" Versalia - Scadenze e appuntamenti"));
    panAvvio->show();
    panContainer->hide();
    Seams::Sound::stop();
}

void TfrmScadenzario::yearOpened(const QString &year)
{
    m_openYear = year;
    lblAnno->setText(m_openYear);
    cmdImporta->setEnabled(bool(applicantSearch()));
    panAvvio->hide();
    panContainer->show();
    startNew();
}

// A record loaded from another year's file showed its own year: a new record belongs to the open one.
void TfrmScadenzario::afterReset()
{
    lblAnno->setText(m_openYear);
}

void TfrmScadenzario::afterDuplicate()
{
    lblAnno->setText(m_openYear);
}

// A record without a year of its own shows the open year, so that saving it again forms a real date.
void TfrmScadenzario::afterLoad()
{
    if (lblAnno->text().trimmed().isEmpty())
        lblAnno->setText(m_openYear);
}

void TfrmScadenzario::cmdImportaClick()
{
    const auto &factory = applicantSearch();
    if (!factory)
        return;
    std::unique_ptr<QDialog> search(factory(this));
    if (!search)
        return;
    if (auto *memory = search->findChild<QLabel *>(QStringLiteral("lblMemory")))
        memory->setText(QStringLiteral("scadenzario"));
    search->exec();
}

// The rules of the fields hold at saving too: text may have reached a field without it ever losing
// the focus (pasted, then Salva, which takes no focus).
void TfrmScadenzario::applyFieldRules()
{
    for (QComboBox *box : dropDowns()) {
        Input::clearListSelection(box);
        Input::keepOnlyListed(box);
    }
    formatAmount(txtCosto);
}

bool TfrmScadenzario::readyToSave()
{
    applyFieldRules();
    const auto text = [](QWidget *w) {
        if (auto *c = qobject_cast<QComboBox *>(w))
            return c->currentText().trimmed();
        return static_cast<QLineEdit *>(w)->text().trimmed();
    };
    const auto warning = Seams::MsgKind::Warning;
    if (!passes({
            {text(txtGiorno).isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il giorno della scadenza."),
             txtGiorno},
            {text(txtGiorno).size() < 2, warning,
             QStringLiteral(
                 "Attenzione: per salvare la scheda è necessario indicare il giorno della scadenza usando due cifre."),
             txtGiorno},
            {text(txtMese).isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il mese della scadenza."),
             txtMese},
            {text(txtOreApp).isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'ora dell'appuntamento."),
             txtOreApp},
            {text(txtMinutiApp).isEmpty(), warning,
             QStringLiteral(
                 "Attenzione: per salvare la scheda è necessario indicare i minuti dell'ora dell'appuntamento."),
             txtMinutiApp},
            {text(txtOreApp).size() < 2, warning,
             QStringLiteral(
                 "Attenzione: per salvare la scheda è necessario indicare l'ora dell'appuntamento usando due cifre."),
             txtOreApp},
            {text(txtMinutiApp).size() < 2, warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i minuti dell'ora "
                            "dell'appuntamento usando due "
                            "cifre."),
             txtMinutiApp},
            {text(txtAvviso).isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso."),
             txtAvviso},
            {text(txtCliente).isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del richiedente."),
             txtCliente},
            {text(txtOggetto).isEmpty(), warning,
             QStringLiteral(
                 "Attenzione: per salvare la scheda è necessario indicare l'oggetto della pratica a cui la scadenza si "
                 "riferisce."),
             txtOggetto},
            {text(txtDettagli).isEmpty(), warning,
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la causale della scadenza."),
             txtDettagli},
        }))
        return false;
    lblOra->setText(text(txtOreApp) + QLatin1Char(':') + text(txtMinutiApp));

    int month = 0;
    for (int i = 0; i < int(kMonths.size()); ++i)
        if (LowerAZ(text(txtMese)) == LowerAZ(QString::fromLatin1(kMonths[size_t(i)])))
            month = i + 1;
    if (!passes({{month == 0, warning,
                  QStringLiteral("Attenzione: selezionare il mese dal menu a cascata.\n\r\n\rPer poter salvare la "
                                 "scheda è necessario indicare una data valida."),
                  txtMese}}))
        return false;
    lblData->setText(text(txtGiorno) + QStringLiteral("/%1/").arg(month, 2, 10, QLatin1Char('0')) +
                     lblAnno->text().trimmed());
    return passes({{!IsValidDateText(lblData->text()), Seams::MsgKind::Plain,
                    QStringLiteral("Attenzione: la data ") + lblData->text() +
                        QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una "
                                       "data valida."),
                    txtGiorno}});
}

void TfrmScadenzario::cmdStampaClick()
{
    DeadlineSheet::print(this, DeadlineSheet::rows(*this));
}

void TfrmScadenzario::btnCodFiscClick()
{
    IdentifierCheck::openFiscalCodeCheck(this, txtCodFisc->text());
}

void TfrmScadenzario::impAperturaClick()
{
    txtApertura->setText(Formats::dateText(Seams::Clock::today()));
}

void TfrmScadenzario::impChiusuraClick()
{
    txtChiusura->setText(Formats::dateText(Seams::Clock::today()));
}

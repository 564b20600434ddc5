#include "agenda/Scadenzario.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "agenda/DeadlineSheet.h"
#include "checks/OpenCheck.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Formats.h"
#include "core/HelpTexts.h"
#include "core/ProgramFolder.h"
#include "core/Routines.h"
#include "core/Seams.h"
#include "core/widgets/Controls.h"
#include "core/widgets/EditorFrame.h"
#include "core/widgets/Input.h"
#include "core/widgets/Navigation.h"
#include "core/widgets/Picture.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
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

class KeyFilter : public QObject {
public:
    using Fn = std::function<bool(QEvent *)>;
    KeyFilter(QObject *target, Fn fn) : QObject(target), m_fn(std::move(fn)) { target->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override { return m_fn(e); }

private:
    Fn m_fn;
};

bool isMoveKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

// The amount takes digits and commas only; its form is settled when the field is left (and on saving).
void amountKeys(QLineEdit *field)
{
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,]*")), field));
    new KeyFilter(field, [](QEvent *e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto *k = static_cast<QKeyEvent *>(e);
        if (isMoveKey(k->key()) || k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Delete)
            return false;
        const QString t = k->text();
        return !(t.size() == 1 && ((t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9')) || t[0] == QLatin1Char(',')));
    });
}

QLineEdit *edit(QWidget *parent, const char *name, QRect geometry, int maxLength, Qt::Alignment align = Qt::AlignLeft)
{
    auto *e = Controls::field(parent, name, geometry, maxLength, align);
    e->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    return e;
}

QComboBox *dropDown(QWidget *parent, const char *name, QRect geometry, const QStringList &items, int maxLength)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(geometry);
    c->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    c->addItems(items);
    c->setMaxVisibleItems(12);
    Input::pickOnly(c);
    c->lineEdit()->setFont(c->font());
    c->lineEdit()->setMaxLength(maxLength);
    return c;
}

QStringList numbers(int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return list;
}

Picture *picture(QWidget *parent, const char *name, const char *svg, QPoint at, QSize size)
{
    return Controls::picture(parent, name, svg, size, at);
}

const QString kAgendaStyle = QStringLiteral(
    "QFrame#panContainer QLabel { color: #1F3A5F; font-weight: bold; }"
    "QFrame#panContainer QLineEdit, QFrame#panContainer QComboBox { background: white; border: 1px solid #708090; }"
    "QGroupBox { color: #1F3A5F; font-weight: bold; border: 1px solid #9FB3C8; border-radius: 6px; margin-top: 10px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 10px; }"
    "QLabel#panInfo { background: #4A6A8A; color: white; padding-left: 10px; font-weight: normal; }"
    "QLabel#lblPosizione { background: white; border: 1px solid #708090; }");
} // namespace

void TfrmScadenzario::setApplicantSearchFactory(ApplicantSearchFactory factory)
{
    applicantSearch() = std::move(factory);
}

TfrmScadenzario::TfrmScadenzario(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmScadenzario"));
    setWindowTitle(QStringLiteral(" Versalia - Scadenze e appuntamenti"));
    Formats::applyProcessFormats();
    setMinimumSize(kWidth, kHeight);
    setWindowState(Qt::WindowMaximized);
    setStyleSheet(QStringLiteral("TfrmScadenzario { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                 "stop:0 #F4F8FB, stop:1 #D9E4EE); }"));
    setAttribute(Qt::WA_StyledBackground);

    lblFile = Controls::hidden(this, "lblFile", QStringLiteral("FilePath"));
    buildStartPanel();
    buildWorkPanel();

    EditorFrame::Config config;
    config.layout = &kDeadlineLayout;
    config.archivePath = [this] { return lblFile->text().trimmed(); };
    config.saveFailureKind = Seams::MsgKind::Error;
    config.insertedMessage = ArchiveTexts::savedNew();
    m_frame = new EditorFrame(this, lblPosizione, config);

    connect(cmdPrimo, &Picture::clicked, this, &TfrmScadenzario::cmdPrimoClick);
    connect(cmdIndietro, &Picture::clicked, this, &TfrmScadenzario::cmdIndietroClick);
    connect(cmdAvanti, &Picture::clicked, this, &TfrmScadenzario::cmdAvantiClick);
    connect(cmdUltimo, &Picture::clicked, this, &TfrmScadenzario::cmdUltimoClick);

    EditorFrame::bindKeys(this, {.salva = cmdSalva, .nuovo = cmdNuovo, .duplica = cmdDuplica, .trova = cmdTrova,
                                 .stampa = cmdStampa, .guida = cmdGuida, .primo = cmdPrimo, .indietro = cmdIndietro,
                                 .avanti = cmdAvanti, .ultimo = cmdUltimo, .esporta = cmdEsporta, .esci = cmdEsci,
                                 .lists = {cmdDaConfermare, cmdDaEffettuare, cmdEffettuate}});
}

void TfrmScadenzario::buildStartPanel()
{
    panAvvio = new QFrame(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setGeometry(0, 0, kWidth, kHeight);
    const QString boxStyle = QStringLiteral("background: white; border: 1px solid #B8C4D0; border-radius: 10px;");
    const QFont heading(QStringLiteral("Verdana"), 12, QFont::Bold);
    const QFont plain(QStringLiteral("Verdana"), 10);

    auto *yearBox = new QFrame(panAvvio);
    yearBox->setObjectName(QStringLiteral("shpAnno"));
    yearBox->setGeometry(115, 40, 520, 290);
    yearBox->setStyleSheet(QStringLiteral("QFrame#shpAnno {") + boxStyle + QLatin1Char('}'));
    lblInfo05 =
        Controls::caption(yearBox, QStringLiteral("Accedi all'archivio annuale per inserire o modificare le scadenze."),
                          QPoint(20, 20), "lblInfo05");
    lblInfo05->setWordWrap(true);
    lblInfo05->setFont(heading);
    lblInfo05->setGeometry(20, 20, 480, 56);
    lblApri =
        Controls::caption(yearBox, QStringLiteral("Indicare l'anno solare e premere Apri."), QPoint(20, 96), "lblApri");
    lblApri->setFont(plain);
    lblApri->adjustSize();
    txtAnno = new QLineEdit(yearBox);
    txtAnno->setObjectName(QStringLiteral("txtAnno"));
    txtAnno->setGeometry(120, 150, 160, 64);
    txtAnno->setMaxLength(4);
    txtAnno->setAlignment(Qt::AlignCenter);
    txtAnno->setFont(QFont(QStringLiteral("Verdana"), 28, QFont::Bold));
    btnApri = new QPushButton(QStringLiteral("Apri"), yearBox);
    btnApri->setObjectName(QStringLiteral("btnApri"));
    btnApri->setGeometry(300, 160, 100, 44);

    auto *imminentBox = new QFrame(panAvvio);
    imminentBox->setObjectName(QStringLiteral("shpImminenti"));
    imminentBox->setGeometry(115, 360, 520, 260);
    imminentBox->setStyleSheet(QStringLiteral("QFrame#shpImminenti {") + boxStyle + QLatin1Char('}'));
    lblInfo06 = Controls::caption(imminentBox, QStringLiteral("Visualizza le scadenze imminenti."), QPoint(20, 20),
                                  "lblInfo06");
    lblInfo06->setFont(heading);
    lblInfo06->adjustSize();
    imgPresenti = picture(imminentBox, "imgPresenti", "imminent_present.svg", QPoint(40, 64), QSize(440, 70));
    imgAssenti = picture(imminentBox, "imgAssenti", "imminent_absent.svg", QPoint(40, 64), QSize(440, 70));
    imgPresenti->setCursor(Qt::ArrowCursor);
    imgAssenti->setCursor(Qt::ArrowCursor);
    lblOK = Controls::caption(imminentBox, QStringLiteral("Premere OK per ottenere l'elenco delle scadenze."),
                              QPoint(20, 164), "lblOK");
    lblOK->setFont(plain);
    lblOK->adjustSize();
    btnOK = new QPushButton(QStringLiteral("OK"), imminentBox);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(200, 196, 100, 40);

    auto *calendarBox = new QFrame(panAvvio);
    calendarBox->setObjectName(QStringLiteral("shpCalendario"));
    calendarBox->setGeometry(675, 40, 520, 580);
    calendarBox->setStyleSheet(QStringLiteral("QFrame#shpCalendario {") + boxStyle + QLatin1Char('}'));
    calAppuntamenti = new QCalendarWidget(calendarBox);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setGridVisible(true);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setGeometry(30, 24, 460, 330);
    calAppuntamenti->setSelectedDate(Seams::Clock::today());
    icoIstruzioni =
        Controls::caption(calendarBox,
                          QStringLiteral("Scegliere una data sul calendario e premere uno dei pulsanti qui sotto "
                                         "per vedere le scadenze di quel giorno o di quel mese."),
                          QPoint(30, 372), "icoIstruzioni");
    icoIstruzioni->setWordWrap(true);
    icoIstruzioni->setFont(plain);
    icoIstruzioni->setGeometry(30, 372, 460, 48);
    btnGiorno = picture(calendarBox, "btnGiorno", "agenda_day.svg", QPoint(30, 440), QSize(220, 44));
    btnMese = picture(calendarBox, "btnMese", "agenda_month.svg", QPoint(270, 440), QSize(220, 44));
    imgGuida = picture(calendarBox, "imgGuida", "help.svg", QPoint(30, 516), QSize(40, 40));
    imgEsci = picture(calendarBox, "imgEsci", "exit.svg", QPoint(450, 516), QSize(40, 40));

    Input::digitsOnly(txtAnno);
    Input::highlight(txtAnno);
    Input::enterMoves(txtAnno, btnApri);
    connect(btnApri, &QPushButton::clicked, this, &TfrmScadenzario::btnApriClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmScadenzario::imgGuidaClick);
    connect(imgEsci, &Picture::clicked, this, &QWidget::close);
    connect(btnOK, &QPushButton::clicked, this, &TfrmScadenzario::btnOKClick);
    connect(btnGiorno, &Picture::clicked, this, &TfrmScadenzario::btnGiornoClick);
    connect(btnMese, &Picture::clicked, this, &TfrmScadenzario::btnMeseClick);
    showImminent(false);
    setTabOrder(txtAnno, btnApri);
    setTabOrder(btnApri, calAppuntamenti);
}

void TfrmScadenzario::buildWorkPanel()
{
    panContainer = new QFrame(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(0, 0, kWidth, kHeight);
    panContainer->hide();
    // On the panel, not the window: the windows the editor opens are its children and keep their own look.
    panContainer->setStyleSheet(kAgendaStyle);

    // Left column: date and time groups, then the applicant and the case.
    grpData = new QGroupBox(QStringLiteral(" Data scadenza: "), panContainer);
    grpData->setObjectName(QStringLiteral("grpData"));
    grpData->setGeometry(24, 12, 520, 82);
    Controls::caption(grpData, QStringLiteral("Giorno:"), QPoint(14, 38));
    txtGiorno = dropDown(grpData, "txtGiorno", QRect(80, 32, 76, 34), numbers(1, 31), 2);
    Controls::caption(grpData, QStringLiteral("Mese:"), QPoint(176, 38));
    QStringList months;
    for (const char *m : kMonths)
        months << QString::fromLatin1(m);
    txtMese = dropDown(grpData, "txtMese", QRect(230, 32, 160, 34), months, 10);
    lblAnno = new QLabel(QStringLiteral("ANNO"), grpData);
    lblAnno->setObjectName(QStringLiteral("lblAnno"));
    lblAnno->setFont(QFont(QStringLiteral("Verdana"), 18, QFont::Bold));
    lblAnno->setGeometry(410, 30, 100, 38);

    grpOra = new QGroupBox(QStringLiteral(" Ora appuntamento: "), panContainer);
    grpOra->setObjectName(QStringLiteral("grpOra"));
    grpOra->setGeometry(24, 100, 520, 82);
    Controls::caption(grpOra, QStringLiteral("Ore:"), QPoint(14, 38));
    txtOreApp = dropDown(grpOra, "txtOreApp", QRect(80, 32, 76, 34), numbers(0, 23), 2);
    Controls::caption(grpOra, QStringLiteral(":"), QPoint(164, 38));
    Controls::caption(grpOra, QStringLiteral("Minuti:"), QPoint(176, 38));
    txtMinutiApp = dropDown(grpOra, "txtMinutiApp", QRect(240, 32, 76, 34), numbers(0, 59), 2);
    txtOreApp->setEditText(QStringLiteral("00"));
    txtMinutiApp->setEditText(QStringLiteral("00"));

    Controls::caption(panContainer, QStringLiteral("Avvisa n."), QPoint(24, 204));
    txtAvviso = edit(panContainer, "txtAvviso", QRect(110, 196, 64, 32), 3, Qt::AlignHCenter);
    Controls::caption(panContainer, QStringLiteral("giorni prima della scadenza."), QPoint(184, 204));

    const int labelW = 190;
    int y = 246;
    const auto left = [&](const QString &label, const char *name, int maxLength, int width = 330) {
        Controls::caption(panContainer, label, QPoint(24, y + 8));
        auto *e = edit(panContainer, name, QRect(24 + labelW, y, width, 32), maxLength);
        y += 46;
        return e;
    };
    txtCliente = left(QStringLiteral("Richiedente:"), "txtCliente", 50);
    txtCodFisc = left(QStringLiteral("Codice fiscale:"), "txtCodFisc", 16, 290);
    btnCodFisc = picture(panContainer, "btnCodFisc", "lens.svg", QPoint(24 + labelW + 298, y - 46), QSize(32, 32));
    txtRecapito = left(QStringLiteral("Telefono preferenziale:"), "txtRecapito", 50);
    txtOggetto = left(QStringLiteral("Oggetto pratica:"), "txtOggetto", 250);
    txtTipologia = left(QStringLiteral("Tipologia:"), "txtTipologia", 50);
    txtProtocollo = left(QStringLiteral("Protocollo n."), "txtProtocollo", 30);
    txtApertura = left(QStringLiteral("Data apertura:"), "txtApertura", 10, 150);
    impApertura = picture(panContainer, "impApertura", "today.svg", QPoint(24 + labelW + 158, y - 46), QSize(32, 32));
    txtChiusura = left(QStringLiteral("Data chiusura:"), "txtChiusura", 10, 150);
    impChiusura = picture(panContainer, "impChiusura", "today.svg", QPoint(24 + labelW + 158, y - 46), QSize(32, 32));

    // Right column: progress, reason and payment.
    y = 22;
    const int rx = 570;
    const auto right = [&](const QString &label, const char *name, int maxLength, int width = 330) {
        Controls::caption(panContainer, label, QPoint(rx, y + 8));
        auto *e = edit(panContainer, name, QRect(rx + labelW, y, width, 32), maxLength);
        y += 46;
        return e;
    };
    txtStato = right(QStringLiteral("Stato avanzamento:"), "txtStato", 30);
    txtConsulente = right(QStringLiteral("Consulente o curatore:"), "txtConsulente", 50);
    txtDettagli = right(QStringLiteral("Causale scadenza:"), "txtDettagli", 250);
    txtOfficina = right(QStringLiteral("Modalità di pagamento:"), "txtOfficina", 150);
    txtCosto = right(QStringLiteral("Importo in euro:"), "txtCosto", 15, 160);
    txtCosto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtCosto->setText(QStringLiteral("0,00"));
    txtContatto = right(QStringLiteral("Estremi ricevuta:"), "txtContatto", 50);
    chkDaConfermare = new QCheckBox(QStringLiteral("Appuntamento da confermare"), panContainer);
    chkDaConfermare->setObjectName(QStringLiteral("chkDaConfermare"));
    chkDaConfermare->setGeometry(rx + labelW, y, 330, 30);
    y += 42;
    txtNote = right(QStringLiteral("Note:"), "txtNote", 250);
    chkEffettuata = new QCheckBox(QStringLiteral("Pagamento effettuato"), panContainer);
    chkEffettuata->setObjectName(QStringLiteral("chkEffettuata"));
    chkEffettuata->setGeometry(rx + labelW, y, 330, 30);
    for (auto *c : {chkDaConfermare, chkEffettuata})
        c->setFont(QFont(QStringLiteral("Verdana"), 11, QFont::Bold));

    lblData = Controls::hidden(panContainer, "lblData");
    lblOra = Controls::hidden(panContainer, "lblOra");

    // Navigation under the fields.
    const int navY = 618;
    cmdPrimo = picture(panContainer, "cmdPrimo", "first.svg", QPoint(422, navY), QSize(40, 40));
    cmdIndietro = picture(panContainer, "cmdIndietro", "prev.svg", QPoint(472, navY), QSize(40, 40));
    lblPosizione = new QLabel(panContainer);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(522, navY + 4, 110, 32);
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    cmdAvanti = picture(panContainer, "cmdAvanti", "next.svg", QPoint(642, navY), QSize(40, 40));
    cmdUltimo = picture(panContainer, "cmdUltimo", "last.svg", QPoint(692, navY), QSize(40, 40));

    // Commands down the right edge, each with its lettering.
    int cy = 14;
    const auto command = [&](const char *name, const char *svg, const QString &lettering) {
        auto *p = picture(panContainer, name, svg, QPoint(1120, cy), QSize(36, 36));
        auto *l = Controls::caption(panContainer, lettering, QPoint(1164, cy + 9));
        l->setFont(QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));
        l->adjustSize();
        cy += 50;
        return p;
    };
    cmdNuovo = command("cmdNuovo", "new.svg", QStringLiteral("Nuovo"));
    cmdDuplica = command("cmdDuplica", "duplicate.svg", QStringLiteral("Duplica"));
    cmdImporta = command("cmdImporta", "import_arrow.svg", QStringLiteral("Importa dati"));
    cmdSalva = command("cmdSalva", "save.svg", QStringLiteral("Salva"));
    cmdTrova = command("cmdTrova", "find.svg", QStringLiteral("Trova"));
    cmdStampa = command("cmdStampa", "print.svg", QStringLiteral("Stampa"));
    cmdEsporta = command("cmdEsporta", "excel.svg", QStringLiteral("Esporta archivio"));
    cmdDaConfermare = command("cmdDaConfermare", "check.svg", QStringLiteral("Da confermare"));
    cmdDaEffettuare = command("cmdDaEffettuare", "unpaid.svg", QStringLiteral("Da effettuare"));
    cmdEffettuate = command("cmdEffettuate", "overdue.svg", QStringLiteral("Effettuati"));
    cmdGuida = command("cmdGuida", "help.svg", QStringLiteral("Guida"));
    cmdEsci = command("cmdEsci", "exit.svg", QStringLiteral("Esci"));

    panInfo = new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), panContainer);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(QFont(QStringLiteral("Tahoma"), 12));
    panInfo->setGeometry(0, kHeight - 34, kWidth, 34);

    // Input conventions.
    const QList<QWidget *> chain{txtGiorno,     txtMese,     txtOreApp,    txtMinutiApp, txtAvviso,
                                 txtCliente,    txtCodFisc,  txtRecapito,  txtOggetto,   txtTipologia,
                                 txtProtocollo, txtApertura, txtChiusura,  txtStato,     txtConsulente,
                                 txtDettagli,   txtOfficina, txtCosto,     txtContatto,  txtNote};
    for (QWidget *w : chain)
        Input::highlight(w);
    Input::enterChain(chain);
    Input::enterMoves(txtNote, txtGiorno);
    Input::digitsOnly(txtAvviso);
    Input::trimUpper(txtCodFisc);
    amountKeys(txtCosto);
    Input::onExit(txtCosto, [this] { txtCosto->setText(FormatAmountText(txtCosto->text())); });
    for (auto *e : {txtCliente, txtCodFisc, txtRecapito, txtOggetto, txtTipologia, txtProtocollo, txtApertura,
                    txtChiusura, txtStato, txtConsulente, txtDettagli, txtOfficina, txtContatto, txtNote})
        Input::archiveCharsOnly(e, panInfo);

    QWidget *previous = nullptr;
    for (QWidget *w : QList<QWidget *>{txtGiorno, txtMese, txtOreApp, txtMinutiApp, txtAvviso, txtCliente, txtCodFisc,
                                       txtRecapito, txtOggetto, txtTipologia, txtProtocollo, txtApertura, txtChiusura,
                                       txtStato, txtConsulente, txtDettagli, txtOfficina, txtCosto, txtContatto,
                                       chkDaConfermare, txtNote, chkEffettuata}) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }

    Input::statusHints(
        panInfo,
        {{cmdNuovo, QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda.")},
         {cmdDuplica,
          QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.")},
         {cmdImporta, QStringLiteral("Importa i dati dall'archivio anagrafico dei richiedenti.")},
         {cmdSalva, QStringLiteral("Salva la scheda corrente in archivio.")},
         {cmdTrova, QStringLiteral("Trova una scheda in archivio.")},
         {cmdStampa, QStringLiteral("Stampa la scheda corrente.")},
         {cmdEsporta, QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
         {cmdDaConfermare, QStringLiteral("Visualizza l'elenco degli appuntamenti in attesa di conferma.")},
         {cmdDaEffettuare, QStringLiteral("Visualizza il riepilogo dei pagamenti da effettuare, sia scaduti che non.")},
         {cmdEffettuate, QStringLiteral("Visualizza il riepilogo storico dei pagamenti effettuati.")},
         {cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
         {cmdEsci, QStringLiteral("Esci da questa schermata di lavoro.")},
         {cmdPrimo, QStringLiteral("Visualizza la prima scheda in archivio.")},
         {cmdIndietro, QStringLiteral("Visualizza la scheda precedente in archivio.")},
         {cmdAvanti, QStringLiteral("Visualizza la scheda successiva in archivio.")},
         {cmdUltimo, QStringLiteral("Visualizza l'ultima scheda in archivio.")},
         {btnCodFisc, QStringLiteral("Controlla il codice fiscale.")},
         {impApertura, QStringLiteral("Inserisci la data corrente.")},
         {impChiusura, QStringLiteral("Inserisci la data corrente.")},
         {chkDaConfermare,
          QStringLiteral("Spunta questa casella per annotare che l'appuntamento è in attesa di conferma.")},
         {chkEffettuata, QStringLiteral("Spunta questa casella per annotare che il pagamento è stata effettuato.")}});

    connect(cmdNuovo, &Picture::clicked, this, &TfrmScadenzario::cmdNuovoClick);
    connect(cmdDuplica, &Picture::clicked, this, &TfrmScadenzario::cmdDuplicaClick);
    connect(cmdImporta, &Picture::clicked, this, &TfrmScadenzario::cmdImportaClick);
    connect(cmdSalva, &Picture::clicked, this, &TfrmScadenzario::cmdSalvaClick);
    connect(cmdStampa, &Picture::clicked, this, &TfrmScadenzario::cmdStampaClick);
    connect(cmdGuida, &Picture::clicked, this, &TfrmScadenzario::imgGuidaClick);
    connect(cmdEsci, &Picture::clicked, this, &QWidget::close);
    connect(btnCodFisc, &Picture::clicked, this, &TfrmScadenzario::btnCodFiscClick);
    connect(impApertura, &Picture::clicked, this, &TfrmScadenzario::impAperturaClick);
    connect(impChiusura, &Picture::clicked, this, &TfrmScadenzario::impChiusuraClick);
    connect(cmdTrova, &Picture::clicked, this, &TfrmScadenzario::cmdTrovaClick);
    connect(cmdEsporta, &Picture::clicked, this, &TfrmScadenzario::cmdEsportaClick);
    connect(cmdDaConfermare, &Picture::clicked, this, &TfrmScadenzario::cmdDaConfermareClick);
    connect(cmdDaEffettuare, &Picture::clicked, this, &TfrmScadenzario::cmdDaEffettuareClick);
    connect(cmdEffettuate, &Picture::clicked, this, &TfrmScadenzario::cmdEffettuateClick);
}

QList<QComboBox *> TfrmScadenzario::dropDowns() const { return {txtGiorno, txtMese, txtOreApp, txtMinutiApp}; }

void TfrmScadenzario::showImminent(bool present)
{
    imgPresenti->setVisible(present);
    imgAssenti->setVisible(!present);
    btnOK->setEnabled(present);
}

void TfrmScadenzario::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (e->spontaneous())
        return;
    // Maximised also where no window manager honours the state (a kiosk or a bare X server).
    if (screen())
        setGeometry(screen()->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(QStringLiteral(" Versalia - Scadenze e appuntamenti"));
    panAvvio->show();
    panContainer->hide();
    txtAnno->setText(QString::number(Seams::Clock::today().year()).rightJustified(4, QLatin1Char('0')));
    cmdImporta->setEnabled(bool(applicantSearch()));
    txtAnno->setFocus(Qt::OtherFocusReason);
    txtAnno->selectAll();
    DeadlineLists::showIndicator(this);
}

// The two panels keep their size and stay in the middle of the window.
void TfrmScadenzario::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    const QPoint at(qMax(0, (width() - kWidth) / 2), qMax(0, (height() - kHeight) / 2));
    panAvvio->move(at);
    panContainer->move(at);
}

void TfrmScadenzario::closeEvent(QCloseEvent *e)
{
    e->accept();
    setWindowTitle(QStringLiteral(" Versalia - Scadenze e appuntamenti"));
    panAvvio->show();
    panContainer->hide();
    Seams::Sound::stop();
    Navigation::backToMenu(this);
}

void TfrmScadenzario::btnApriClick()
{
    // Four digits: the year becomes part of a file name, and nothing else may reach it.
    if (txtAnno->text().size() != 4 || !IsAllDigits(txtAnno->text())) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_openYear = txtAnno->text().trimmed();
    lblFile->setText(ProgramFolder::file(m_openYear + QStringLiteral(".sca")));
    lblAnno->setText(m_openYear);
    setWindowTitle(QStringLiteral(" Versalia - Scadenze e appuntamenti anno ") + m_openYear);
    cmdImporta->setEnabled(bool(applicantSearch()));
    panAvvio->hide();
    panContainer->show();
    ResetDeadlineForm();
}

void TfrmScadenzario::ResetDeadlineForm()
{
    for (QComboBox *box : dropDowns())
        Input::clearListSelection(box);
    txtGiorno->setEditText(QString());
    txtMese->setEditText(QString());
    txtOreApp->setEditText(QStringLiteral("00"));
    txtMinutiApp->setEditText(QStringLiteral("00"));
    for (auto *e : {txtAvviso, txtCliente, txtCodFisc, txtRecapito, txtOggetto, txtTipologia, txtProtocollo,
                    txtApertura, txtChiusura, txtStato, txtConsulente, txtDettagli, txtOfficina, txtContatto, txtNote})
        e->clear();
    txtCosto->setText(QStringLiteral("0,00"));
    chkDaConfermare->setChecked(false);
    chkEffettuata->setChecked(false);
    m_frame ? m_frame->setPosition(0) : lblPosizione->clear();
    // A record loaded from another year's file showed its own year: a new record belongs to the open one.
    lblAnno->setText(m_openYear);
    txtGiorno->setFocus(Qt::OtherFocusReason);
}

void TfrmScadenzario::ShowDeadline(const Record &record, qint64 position)
{
    m_frame->load(record, position);
    afterLoad();
}

// A record without a year of its own shows the open year, so that saving it again forms a real date.
void TfrmScadenzario::afterLoad()
{
    if (lblAnno->text().trimmed().isEmpty())
        lblAnno->setText(m_openYear);
}

void TfrmScadenzario::cmdPrimoClick()
{
    m_frame->first();
    afterLoad();
}

void TfrmScadenzario::cmdIndietroClick()
{
    // At record 1 nothing happens, not even the archive is opened.
    if (m_frame->position() == 1)
        return;
    m_frame->previous();
    afterLoad();
}

void TfrmScadenzario::cmdAvantiClick()
{
    m_frame->next();
    afterLoad();
}

void TfrmScadenzario::cmdUltimoClick()
{
    m_frame->last();
    afterLoad();
}

void TfrmScadenzario::cmdDuplicaClick()
{
    if (m_frame->position() == 0) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                                      "dopo che questa è stata inserita in archivio."));
        return;
    }
    m_frame->setPosition(0);
    {
        ArchiveFile file(m_frame->archivePath(), kDeadlineLayout.size());
        if (!file.open()) {
            Seams::Messages::error(this, ArchiveTexts::accessFailure());
            return;
        }
        txtGiorno->setEditText(QString());
        txtMese->setEditText(QString());
        txtOreApp->setEditText(QStringLiteral("00"));
        txtMinutiApp->setEditText(QStringLiteral("00"));
        for (QComboBox *box : dropDowns())
            Input::clearListSelection(box);
        lblAnno->setText(m_openYear);
        txtGiorno->setFocus(Qt::OtherFocusReason);
    }
    Seams::Messages::information(this, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                      "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                                      "scheda in archivio."));
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
    txtCosto->setText(FormatAmountText(txtCosto->text()));
}

void TfrmScadenzario::cmdSalvaClick()
{
    applyFieldRules();
    const auto text = [](QWidget *w) {
        if (auto *c = qobject_cast<QComboBox *>(w))
            return c->currentText().trimmed();
        return static_cast<QLineEdit *>(w)->text().trimmed();
    };
    struct Check {
        bool failed;
        const char16_t *message;
        QWidget *focus;
    };
    const Check checks[] = {
        {text(txtGiorno).isEmpty(), u"Attenzione: per salvare la scheda è necessario indicare il giorno della scadenza.",
         txtGiorno},
        {text(txtGiorno).size() < 2,
         u"Attenzione: per salvare la scheda è necessario indicare il giorno della scadenza usando due cifre.",
         txtGiorno},
        {text(txtMese).isEmpty(), u"Attenzione: per salvare la scheda è necessario indicare il mese della scadenza.",
         txtMese},
        {text(txtOreApp).isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare l'ora dell'appuntamento.", txtOreApp},
        {text(txtMinutiApp).isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare i minuti dell'ora dell'appuntamento.",
         txtMinutiApp},
        {text(txtOreApp).size() < 2,
         u"Attenzione: per salvare la scheda è necessario indicare l'ora dell'appuntamento usando due cifre.",
         txtOreApp},
        {text(txtMinutiApp).size() < 2,
         u"Attenzione: per salvare la scheda è necessario indicare i minuti dell'ora dell'appuntamento usando due "
         u"cifre.",
         txtMinutiApp},
        {text(txtAvviso).isEmpty(), u"Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso.",
         txtAvviso},
        {text(txtCliente).isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare il nome del richiedente.", txtCliente},
        {text(txtOggetto).isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare l'oggetto della pratica a cui la scadenza si "
         u"riferisce.",
         txtOggetto},
        {text(txtDettagli).isEmpty(),
         u"Attenzione: per salvare la scheda è necessario indicare la causale della scadenza.", txtDettagli},
    };
    for (const auto &c : checks) {
        if (c.failed) {
            Seams::Messages::warning(this, QString::fromUtf16(c.message));
            c.focus->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    lblOra->setText(text(txtOreApp) + QLatin1Char(':') + text(txtMinutiApp));

    int month = 0;
    for (int i = 0; i < int(kMonths.size()); ++i)
        if (LowerAZ(text(txtMese)) == LowerAZ(QString::fromLatin1(kMonths[size_t(i)])))
            month = i + 1;
    if (month == 0) {
        Seams::Messages::warning(this, QStringLiteral("Attenzione: selezionare il mese dal menu a cascata.\n\r\n\rPer "
                                                      "poter salvare la scheda è necessario indicare una data valida."));
        txtMese->setFocus(Qt::OtherFocusReason);
        return;
    }
    lblData->setText(text(txtGiorno) + QStringLiteral("/%1/").arg(month, 2, 10, QLatin1Char('0')) +
                     lblAnno->text().trimmed());
    if (!IsValidDateText(lblData->text())) {
        Seams::Messages::plain(this, QStringLiteral("Attenzione: la data ") + lblData->text() +
                                         QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è "
                                                        "necessario indicare una data valida."));
        txtGiorno->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_frame->save();
}

void TfrmScadenzario::cmdStampaClick() { DeadlineSheet::print(this, DeadlineSheet::rows(*this)); }

void TfrmScadenzario::imgGuidaClick() { HelpTexts::show(this, QStringLiteral("agenda")); }

void TfrmScadenzario::btnCodFiscClick() { IdentifierCheck::openFiscalCodeCheck(this, txtCodFisc->text()); }

void TfrmScadenzario::impAperturaClick() { txtApertura->setText(Formats::dateText(Seams::Clock::today())); }

void TfrmScadenzario::impChiusuraClick() { txtChiusura->setText(Formats::dateText(Seams::Clock::today())); }

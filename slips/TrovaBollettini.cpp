#include "slips/TrovaBollettini.h"

#include "core/ArchiveTexts.h"
#include "core/Cp1252.h"
#include "core/Formats.h"
#include "core/Forms.h"
#include "core/Routines.h"
#include "core/Seams.h"
#include "core/widgets/Input.h"
#include "core/widgets/SummaryList.h"
#include "core/widgets/WindowStyle.h"
#include "slips/SlipLists.h"
#include "slips/SlipRecord.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <array>

namespace {
// Letters A to Z to small letters on Windows-1252 bytes; every other byte (accented letters included) kept.
constexpr std::array<unsigned char, 256> kFold = [] {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    return t;
}();

struct ActiveKey {
    int field;
    QByteArray key; // Windows-1252, A to Z in small letters
};

bool containsFolded(QByteArrayView field, const QByteArray &key) {
    const qsizetype m = key.size(), n = field.size();
    const auto *f = reinterpret_cast<const unsigned char *>(field.data());
    const auto *k = reinterpret_cast<const unsigned char *>(key.constData());
    for (qsizetype i = 0; i + m <= n; ++i) {
        qsizetype j = 0;
        while (j < m && kFold[f[i + j]] == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}
} // namespace

TfrmTrovaBollettini::TfrmTrovaBollettini(QWidget *parent) : QDialog(parent) {
    Formats::applyProcessFormats();
    setObjectName(QStringLiteral("frmTrovaBollettini"));
    setWindowTitle(QStringLiteral(" Trova versamenti in archivio"));
    WindowStyle::fixedDialog(this, WindowStyle::Border::Sizeable);

    panAvvio = new QWidget(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    auto *intro1 =
        new QLabel(QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle "
                                  "schede da trovare e premere il pulsante Cerca."),
                   panAvvio);
    auto *intro2 = new QLabel(QStringLiteral("Lasciare in bianco tutti gli altri campi."), panAvvio);
    auto *intro3 = new QLabel(
        QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."), panAvvio);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    const auto field = [&](const char *name, const QString &caption) {
        auto *label = new QLabel(caption, panAvvio);
        auto *edit = new QLineEdit(panAvvio);
        edit->setObjectName(QString::fromLatin1(name));
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    txtIntero = field("txtIntero", QStringLiteral("Importo in cifre:"));
    txtSaldato = field("txtSaldato", QStringLiteral("Saldato (Sì/No):"));
    txtEsecutore = field("txtEsecutore", QStringLiteral("Esecutore:"));
    txtComuneRes = field("txtComuneRes", QStringLiteral("Località di residenza:"));
    txtCapRes = field("txtCapRes", QStringLiteral("CAP:"));
    txtIndirizzoRes = field("txtIndirizzoRes", QStringLiteral("Indirizzo di residenza:"));
    txtDataScade = field("txtDataScade", QStringLiteral("Data scadenza (gg/mm/aaaa):"));
    txtDataPaga = field("txtDataPaga", QStringLiteral("Data versamento (gg/mm/aaaa):"));
    txtTimbro = field("txtTimbro", QStringLiteral("Estremi timbro Ufficio Postale:"));
    txtNote = field("txtNote", QStringLiteral("Note:"));

    btnCerca = new QPushButton(QStringLiteral("Cerca"), panAvvio);
    btnCerca->setObjectName(QStringLiteral("btnCerca"));
    btnAnnulla = new QPushButton(QStringLiteral("Chiudi"), panAvvio);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    lblConta = new QLabel(QStringLiteral("0"), panAvvio);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();
    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panAvvio);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setStyleSheet(QStringLiteral("color: #DC143C; font-weight: bold;"));
    lblAttendere->hide();
    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblAttendere);
    buttons->addStretch();
    buttons->addWidget(btnCerca);
    buttons->addWidget(btnAnnulla);
    auto *avvio = new QVBoxLayout(panAvvio);
    avvio->addWidget(intro1);
    avvio->addWidget(intro2);
    avvio->addWidget(intro3);
    avvio->addSpacing(8);
    avvio->addLayout(grid);
    avvio->addStretch();
    avvio->addLayout(buttons);

    m_filters = {{txtIntero, "Intero"},          {txtSaldato, "Saldato"},         {txtEsecutore, "Esecutore"},
                 {txtComuneRes, "ComuneRes"},    {txtCapRes, "CapRes"},           {txtIndirizzoRes, "IndirizzoRes"},
                 {txtDataScade, "DataScade"},    {txtDataPaga, "DataPaga"},       {txtTimbro, "Timbro"},
                 {txtNote, "Note"}};
    QList<QWidget *> chain;
    for (const auto &[f, name] : m_filters) {
        Input::highlight(f);
        chain.append(f);
    }
    chain.append(txtIntero);
    Input::enterChain(chain);

    panContainer = new TResultPanel(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setReport(QStringLiteral("Riepilogo versamenti"), SummaryReport::Variant::Schede);
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    btnStampa = panContainer->btnStampa;
    btnChiudi = panContainer->btnChiudi;
    lblTrovate = new QLabel(QStringLiteral("Il presente elenco contiene 0 schede."), panContainer);
    lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
    lblTrovate->setStyleSheet(QStringLiteral("font-weight: bold;"));
    panContainer->footer->insertWidget(1, lblTrovate);
    panContainer->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panAvvio);
    layout->addWidget(panContainer);
    setMinimumSize(1000, 640);
    resize(1000, 640);
    WindowStyle::fitLines(this, lstRecords, SlipLists::searchLine().width());

    connect(btnCerca, &QPushButton::pressed, this, &TfrmTrovaBollettini::btnCercaMouseDown);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaBollettini::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(panContainer, &TResultPanel::closeRequested, this, &QDialog::close);
    connect(panContainer, &TResultPanel::lineChosen, this, &TfrmTrovaBollettini::lstRecordsDblClick);
    connect(this, &QDialog::finished, this, [this] {
        lstRecords->clear();
        lblAttendere->hide();
    });
}

void TfrmTrovaBollettini::showEvent(QShowEvent *e) {
    if (!e->spontaneous()) {
        WindowStyle::centre(this);
        FormShow();
    }
    QDialog::showEvent(e);
}

void TfrmTrovaBollettini::FormShow() {
    panContainer->resetFind();
    if (lstRecords->count() > 0)
        lstRecords->selectRow(0);
    txtIntero->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaBollettini::btnCercaMouseDown() {
    lblAttendere->show();
}

void TfrmTrovaBollettini::btnCercaClick() {
    // A filter is active when it holds more than blanks; it scores with its text as typed, blanks included,
    // so a blank-only filter counts for nothing but may still score.
    int active = 0;
    QList<ActiveKey> keys;
    for (const auto &[edit, name] : m_filters) {
        const QString text = edit->text();
        if (!TrimControls(text).isEmpty())
            ++active;
        if (text.isEmpty())
            continue;
        bool storable = true;
        for (QChar c : text)
            storable = storable && Cp1252::canEncode(c);
        // A key with a character no archive can hold never scores.
        if (storable)
            keys.append({kSlipLayout.indexOf(name), Cp1252::encode(LowerAZ(text))});
    }
    lblConta->setText(QString::number(active));
    m_match = [keys, active](const RecordView &slip) {
        int hits = 0;
        for (const auto &k : keys)
            hits += containsFolded(slip.stored(k.field), k.key) ? 1 : 0;
        return hits >= active;
    };

    const LineFormat &line = SlipLists::searchLine();
    QStringList lines;
    const bool ok = ResultLines::collect(SlipLists::archivePath(), kSlipLayout, m_match, line, lines);
    if (!ok) {
        lblAttendere->hide();
        Seams::Messages::plain(this, ArchiveTexts::accessFailure());
        return;
    }
    const qsizetype found = lines.size();
    lstRecords->setLines(std::move(lines));
    lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(found));
    panAvvio->hide();
    panContainer->show();
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaBollettini::lstRecordsDblClick() {
    QWidget *editor = Forms::get(SlipLists::editorName());
    if (lstRecords->selectedRow() >= 0 && editor && lblMemory->text() == QLatin1String("bollettino")) {
        const auto found = ResultLines::lastEqualLine(SlipLists::archivePath(), kSlipLayout, m_match,
                                                      SlipLists::searchLine(), lstRecords->selectedLine());
        if (found)
            ResultLines::loadIntoEditor(editor, found->record, found->position);
    }
    close();
}

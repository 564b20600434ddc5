#include "core/widgets/SearchWindow.h"

#include "core/ArchiveTexts.h"
#include "core/Cp1252.h"
#include "core/Formats.h"
#include "core/Routines.h"
#include "core/Seams.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/ScanProgress.h"
#include "core/widgets/SummaryList.h"
#include "core/widgets/WindowStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <array>

namespace {
// Windows-1252 bytes as a search compares them: capitals to small letters, accented letters to their base
// letter (office staff type "huaman" for "Huamán"); every other byte kept.
constexpr std::array<unsigned char, 256> kFold = [] {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    // From 0xC0 (and from 0xE0, the small letters) in code order: ÀÁÂÃÄÅ Æ Ç ÈÉÊË ÌÍÎÏ Ð Ñ ÒÓÔÕÖ × Ø ÙÚÛÜ Ý
    // Þ ß; a blank keeps the byte as it is.
    constexpr char kBase[] = "aaaaaa ceeeeiiii nooooo ouuuuy  ";
    static_assert(sizeof kBase == 33);
    for (int i = 0; i < 32; ++i)
        if (kBase[i] != ' ') {
            t[size_t(0xC0 + i)] = static_cast<unsigned char>(kBase[i]);
            t[size_t(0xE0 + i)] = static_cast<unsigned char>(kBase[i]);
        }
    t[0xC6] = t[0xE6] = 0xE6; // Æ æ
    t[0xD0] = t[0xF0] = 0xF0; // Ð ð
    t[0xDE] = t[0xFE] = 0xFE; // Þ þ
    t[0xF7] = 0xF7;           // ÷
    t[0xFF] = t[0x9F] = 'y';  // ÿ Ÿ
    t[0x8A] = t[0x9A] = 's';  // Š š
    t[0x8E] = t[0x9E] = 'z';  // Ž ž
    t[0x8C] = t[0x9C] = 0x9C; // Œ œ
    return t;
}();

QByteArray folded(QByteArray bytes)
{
    for (char &c : bytes)
        c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
    return bytes;
}

bool containsFolded(QByteArrayView field, const QByteArray &key)
{
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

SearchMatch::SearchMatch(const RecordLayout &layout, const QList<QPair<std::string_view, QString>> &keys)
{
    for (const auto &[field, text] : keys) {
        if (!TrimControls(text).isEmpty())
            ++m_active;
        if (text.isEmpty())
            continue;
        bool storable = true;
        for (QChar c : text)
            storable = storable && Cp1252::canEncode(c);
        // A key with a character no archive can hold never scores.
        if (storable)
            m_keys.append({layout.require(field), folded(Cp1252::encode(text))});
    }
}

bool SearchMatch::operator()(const RecordView &record) const
{
    int hits = 0;
    for (const auto &k : m_keys)
        hits += containsFolded(record.stored(k.field), k.text) ? 1 : 0;
    return hits >= m_active;
}

TSearchWindow::TSearchWindow(SearchConfig config, QWidget *parent) : QDialog(parent), m_config(std::move(config))
{
    Formats::applyProcessFormats();
    setObjectName(m_config.name);
    setWindowTitle(m_config.caption);
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
    QList<QWidget *> chain;
    for (const auto &f : m_config.filters) {
        auto *label = new QLabel(QString::fromUtf8(f.caption), panAvvio);
        auto *edit = new QLineEdit(panAvvio);
        edit->setObjectName(QString::fromLatin1(f.control));
        if (m_config.boldFilters)
            edit->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        Input::highlight(edit);
        filterBoxes.append(edit);
        chain.append(edit);
    }
    if (!chain.isEmpty())
        chain.append(chain.first());
    Input::enterChain(chain);

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

    panContainer = new TResultPanel(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setReport(m_config.reportTitle, m_config.variant);
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
    // Wide enough for a whole line: the line of a blank record has every column at its full width.
    const QByteArray blank(m_config.layout->size(), '\0');
    WindowStyle::fitLines(this, lstRecords, int(m_config.line(RecordView(*m_config.layout, blank.constData())).size()));

    connect(btnCerca, &QPushButton::pressed, this, &TSearchWindow::btnCercaMouseDown);
    connect(btnCerca, &QPushButton::clicked, this, &TSearchWindow::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(panContainer, &TResultPanel::closeRequested, this, &QDialog::close);
    connect(panContainer, &TResultPanel::lineChosen, this, &TSearchWindow::lstRecordsDblClick);
    connect(this, &QDialog::finished, this, [this] {
        lstRecords->clear();
        lblAttendere->hide();
    });
}

QLineEdit *TSearchWindow::filterBox(const char *control) const
{
    for (auto *box : filterBoxes)
        if (box->objectName() == QLatin1String(control))
            return box;
    return nullptr;
}

void TSearchWindow::showEvent(QShowEvent *e)
{
    if (!e->spontaneous()) {
        WindowStyle::centre(this);
        FormShow();
    }
    QDialog::showEvent(e);
}

void TSearchWindow::FormShow()
{
    panContainer->resetFind();
    if (lstRecords->count() > 0)
        lstRecords->selectRow(0);
    if (!filterBoxes.isEmpty())
        filterBoxes.first()->setFocus(Qt::OtherFocusReason);
}

void TSearchWindow::btnCercaMouseDown()
{
    lblAttendere->show();
}

void TSearchWindow::btnCercaClick()
{
    QList<QPair<std::string_view, QString>> keys;
    for (int i = 0; i < filterBoxes.size(); ++i)
        keys.append({m_config.filters.at(i).field, filterBoxes.at(i)->text()});
    const SearchMatch match(*m_config.layout, keys);
    lblConta->setText(QString::number(match.active()));
    m_match = match;

    QStringList lines;
    QList<qint64> positions;
    bool cancelled = false;
    QString failure;
    const bool ok = ResultLines::collect(m_config.archivePath(), *m_config.layout, m_match, m_config.line, lines,
                                         &positions, this, &cancelled, &failure);
    if (!ok) {
        lblAttendere->hide();
        Seams::Messages::plain(this, failure);
        return;
    }
    if (cancelled)
        Seams::Messages::information(this, ScanProgress::cancelledText());
    const qsizetype found = lines.size();
    lstRecords->setLines(std::move(lines), std::move(positions));
    lblTrovate->setText(m_config.countText.arg(found));
    panAvvio->hide();
    panContainer->show();
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TSearchWindow::lstRecordsDblClick()
{
    // Any failure closes the window; what was already written into the opener stays.
    if (lstRecords->selectedRow() >= 0 && m_config.handBack) {
        const auto found = ResultLines::chosenRecord(m_config.archivePath(), *m_config.layout, m_match, m_config.line,
                                                     lstRecords->selectedLine(), lstRecords->selectedPosition());
        if (found)
            m_config.handBack(lblMemory->text().trimmed(), found->record, found->position);
    }
    close();
}

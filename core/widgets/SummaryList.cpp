#include "core/widgets/SummaryList.h"

#include "core/Formats.h"
#include "core/Routines.h"
#include "core/Seams.h"
#include "core/widgets/EditorFrame.h"
#include "core/widgets/EditorWindow.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/Picture.h"
#include "core/widgets/ScanProgress.h"
#include "core/widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

// ---- ResultLines ------------------------------------------------------------------------------------

namespace ResultLines {
bool collect(const QString &path, const RecordLayout &layout, const RecordFilter &select, const LineBuilder &line,
             QStringList &out, QList<qint64> *positions, QWidget *progressParent, bool *cancelled, QString *failure)
{
    // The bar is made once the archive's count is known, as the pass starts.
    std::optional<ScanProgress> progress;
    const bool read = collect(path, layout, select, line, out, positions,
                              progressParent ? Progress([&](qint64 done, qint64 total) {
                                  if (!progress)
                                      progress.emplace(progressParent, total);
                                  return progress->step(done);
                              })
                                             : Progress(),
                              failure);
    if (cancelled)
        *cancelled = progress && progress->cancelled();
    return read;
}

void loadIntoEditor(QWidget *editor, const Record &record, qint64 position)
{
    // A real editor loads through its frame, so that what it does after every load happens here too.
    if (auto *ed = qobject_cast<TEditorWindow *>(editor)) {
        ed->showRecord(record, position);
        return;
    }
    EditorFrame::loadInto(editor, record);
    if (auto *label = EditorFrame::ownControl(editor, QStringLiteral("lblPosizione")))
        if (auto *l = qobject_cast<QLabel *>(label))
            l->setText(QString::number(position));
}

QString editorArchivePath(const QString &editorName)
{
    if (auto *editor = Forms::get(editorName))
        if (auto *label = qobject_cast<QLabel *>(EditorFrame::ownControl(editor, QStringLiteral("lblFile"))))
            return label->text().trimmed();
    return {};
}
} // namespace ResultLines

// ---- TResultList ------------------------------------------------------------------------------------

namespace {
// Every row as wide as the widest line can be, so long lines scroll instead of being cut.
class WideRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(1600, QStyledItemDelegate::sizeHint(option, index).height());
    }
};
} // namespace

TResultList::TResultList(QWidget *parent) : QListView(parent), m_model(new QStringListModel(this))
{
    setObjectName(QStringLiteral("lstRecords"));
    setModel(m_model);
    setItemDelegate(new WideRows(this));
    // One row height for all lines: the view never measures 100 000 rows one by one.
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"), 12);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
}

void TResultList::setLines(QStringList lines, QList<qint64> positions)
{
    if (positions.size() != lines.size()) {
        ResultLines::sortFolded(lines);
        m_positions.clear();
        m_model->setStringList(lines);
        return;
    }
    // Sorted through an index, so that each line keeps the position it was listed from.
    QList<int> order(lines.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return ResultLines::lessFolded(lines.at(a), lines.at(b)); });
    QStringList sorted;
    sorted.reserve(lines.size());
    m_positions.clear();
    m_positions.reserve(lines.size());
    for (int i : order) {
        sorted.append(std::move(lines[i]));
        m_positions.append(positions.at(i));
    }
    m_model->setStringList(sorted);
}

qint64 TResultList::selectedPosition() const
{
    const int row = selectedRow();
    return row < 0 || row >= m_positions.size() ? 0 : m_positions.at(row);
}

QStringList TResultList::lines() const
{
    return m_model->stringList();
}

int TResultList::count() const
{
    return m_model->rowCount();
}

int TResultList::selectedRow() const
{
    const auto rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString TResultList::selectedLine() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->index(row).data().toString();
}

void TResultList::selectRow(int row)
{
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void TResultList::clear()
{
    m_positions.clear();
    m_model->setStringList({});
}

// ---- TResultPanel -----------------------------------------------------------------------------------

TResultPanel::TResultPanel(QWidget *parent) : QWidget(parent)
{
    lblRigo01 = new QLabel(QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                                          "cercare e premere il pulsante Trova."),
                           this);
    lblRigo01->setObjectName(QStringLiteral("lblRigo01"));
    lblRigo02 = new QLabel(QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                          "fare di nuovo clic su Trova."),
                           this);
    lblRigo02->setObjectName(QStringLiteral("lblRigo02"));

    imgLente = new Picture(QStringLiteral("imgLente"), QStringLiteral(":/icons/lens.svg"), QSize(32, 32), this);
    txtTrova = new QLineEdit(this);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    btnTrova = new QPushButton(QStringLiteral("Trova"), this);
    btnTrova->setObjectName(QStringLiteral("btnTrova"));

    lstRecords = new TResultList(this);

    lblRigo03 =
        new QLabel(QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."), this);
    lblRigo03->setObjectName(QStringLiteral("lblRigo03"));
    lblRigo03->setStyleSheet(QStringLiteral("color: #DC143C;"));
    btnStampa = new QPushButton(QStringLiteral("Stampa"), this);
    btnStampa->setObjectName(QStringLiteral("btnStampa"));
    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));

    auto *find = new QHBoxLayout;
    find->addWidget(imgLente);
    find->addWidget(txtTrova, 1);
    find->addWidget(btnTrova);
    footer = new QHBoxLayout;
    footer->addWidget(lblRigo03);
    footer->addStretch();
    footer->addWidget(btnStampa);
    footer->addWidget(btnChiudi);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblRigo01);
    layout->addWidget(lblRigo02);
    layout->addLayout(find);
    layout->addWidget(lstRecords, 1);
    layout->addLayout(footer);

    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnTrova);
    setTabOrder(btnTrova, btnChiudi);

    // Enter only moves to "Trova"; the search starts from the button.
    Input::enterMoves(txtTrova, btnTrova);
    connect(btnTrova, &QPushButton::clicked, this, &TResultPanel::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TResultPanel::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TResultPanel::closeRequested);
    connect(lstRecords, &QListView::doubleClicked, this, &TResultPanel::lineChosen);
    Input::enterActivates(lstRecords, [this] { emit lineChosen(); });
}

void TResultPanel::setReport(const QString &title, SummaryReport::Variant variant)
{
    m_title = title;
    m_variant = variant;
}

void TResultPanel::resetFind()
{
    m_lastFind.clear();
    txtTrova->clear();
}

void TResultPanel::btnTrovaClick()
{
    const int n = lstRecords->count();
    if (n == 0) {
        Seams::Messages::plain(window(),
                               QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (lstRecords->selectedRow() < 0)
        lstRecords->selectRow(0);
    const QString key = LowerAZ(txtTrova->text());
    const bool again = key == m_lastFind;
    m_lastFind = key;
    if (key.isEmpty())
        return;
    // A new text tests the first line first; the same text again starts after the selected line and comes
    // back to it last, so a single matching line keeps the selection.
    const int start = again ? lstRecords->selectedRow() : 0;
    const QStringList lines = lstRecords->lines();
    for (int k = again ? 1 : 0; k < (again ? n + 1 : n); ++k) {
        const int row = (start + k) % n;
        if (ResultLines::containsFolded(lines.at(row), key)) {
            lstRecords->selectRow(row);
            return;
        }
    }
}

void TResultPanel::btnStampaClick()
{
    SummaryReport::print(window(), m_title, m_variant, lstRecords->lines());
}

// ---- TSummaryList -----------------------------------------------------------------------------------

TSummaryList::TSummaryList(SummaryListConfig config, QWidget *parent) : QDialog(parent), m_config(std::move(config))
{
    Formats::applyProcessFormats();
    setObjectName(m_config.name);
    setWindowTitle(m_config.caption);
    WindowStyle::fixedDialog(this, WindowStyle::Border::Sizeable);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/banner.svg"), QSize(960, 80), this);
    panel = new TResultPanel(this);
    panel->setReport(m_config.reportTitle, m_config.variant);
    lblRigo01 = panel->lblRigo01;
    lblRigo02 = panel->lblRigo02;
    lblRigo03 = panel->lblRigo03;
    imgLente = panel->imgLente;
    txtTrova = panel->txtTrova;
    btnTrova = panel->btnTrova;
    lstRecords = panel->lstRecords;
    btnStampa = panel->btnStampa;
    btnChiudi = panel->btnChiudi;

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(imgLogo, 0, Qt::AlignHCenter);
    layout->addWidget(panel, 1);
    setMinimumSize(1000, 680);
    resize(1000, 680);
    // Wide enough for a whole line: the line of a blank record has every column at its full width.
    const QByteArray blank(m_config.layout->size(), '\0');
    WindowStyle::fitLines(this, lstRecords, int(m_config.line(RecordView(*m_config.layout, blank.constData())).size()));

    connect(panel, &TResultPanel::closeRequested, this, &QDialog::close);
    connect(panel, &TResultPanel::lineChosen, this, &TSummaryList::lstRecordsDblClick);
    // The lines live only while the window is open.
    connect(this, &QDialog::finished, lstRecords, &TResultList::clear);
}

void TSummaryList::showEvent(QShowEvent *e)
{
    if (!e->spontaneous()) {
        WindowStyle::centre(this);
        FormShow();
    }
    QDialog::showEvent(e);
}

void TSummaryList::FormShow()
{
    panel->resetFind();
    QStringList lines;
    QList<qint64> positions;
    // A read failure ends the building silently with the lines read so far.
    bool cancelled = false;
    ResultLines::collect(m_config.archivePath ? m_config.archivePath() : QString(), *m_config.layout,
                         m_config.selection ? m_config.selection() : RecordFilter(), m_config.line, lines, &positions,
                         this, &cancelled);
    lstRecords->setLines(std::move(lines), std::move(positions));
    if (cancelled)
        Seams::Messages::information(this, ScanProgress::cancelledText());
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TSummaryList::lstRecordsDblClick()
{
    const QString chosen = lstRecords->selectedLine();
    QWidget *editor = Forms::get(m_config.editor);
    if (lstRecords->selectedRow() >= 0 && editor) {
        const auto found =
            ResultLines::chosenRecord(m_config.archivePath ? m_config.archivePath() : QString(), *m_config.layout,
                                      m_config.selection ? m_config.selection() : RecordFilter(), m_config.line, chosen,
                                      lstRecords->selectedPosition());
        if (found && m_config.handBack)
            m_config.handBack(found->record, found->position);
        else if (found)
            ResultLines::loadIntoEditor(editor, found->record, found->position);
    }
    close();
}

#include "core/widgets/ExportGrid.h"

#include <QHeaderView>

void ExportGridModel::setColumns(const QStringList &headings, const QList<int> &editable, bool numbered)
{
    beginResetModel();
    m_headings = headings;
    m_editable = editable;
    m_numbered = numbered;
    endResetModel();
}

void ExportGridModel::setRows(QList<QStringList> rows, QList<int> numbers)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_numbers = numbers.size() == m_rows.size() ? std::move(numbers) : QList<int>();
    endResetModel();
}

int ExportGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ExportGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant ExportGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (m_numbered && index.column() == 0)
        return QString::number(m_numbers.isEmpty() ? index.row() + 1 : m_numbers.at(index.row()));
    return m_rows.at(index.row()).value(dataColumn(index.column()));
}

bool ExportGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_editable.contains(index.column()))
        return false;
    QStringList &row = m_rows[index.row()];
    const int c = dataColumn(index.column());
    while (row.size() <= c)
        row.append(QString());
    row[c] = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ExportGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_editable.contains(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ExportGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headings.size())
        return m_headings.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

TExportGrid::TExportGrid(QWidget *parent) : QTableView(parent), m_model(new ExportGridModel(this))
{
    setObjectName(QStringLiteral("grdRecords"));
    setModel(m_model);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    // Fixed row heights: the view never measures 100 000 rows one by one.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(21);
    verticalHeader()->setMinimumSectionSize(21);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TExportGrid::setColumns(const QStringList &headings, const QList<int> &widths, const QList<int> &editable,
                             bool numbered)
{
    m_model->setColumns(headings, editable, numbered);
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths.at(c));
}

QString TExportGrid::cell(int row, int column) const
{
    return m_model->index(row, column).data().toString();
}

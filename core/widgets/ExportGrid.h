#pragma once
// The grid of the export windows: one row per record, read-only cells but for the columns the window lets the
// user correct before exporting. The rows are held as the export writes them, so an export takes them as
// they stand without copying cell by cell.

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QTableView>

class ExportGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ExportGridModel(QObject *parent) : QAbstractTableModel(parent) {}
    // numbered: a first column "N." holding the row number, which is not part of the rows.
    void setColumns(const QStringList &headings, const QList<int> &editable, bool numbered);
    // numbers: what "N." shows in each row (a row keeps its reading ordinal when sorted); empty = 1, 2, 3...
    void setRows(QList<QStringList> rows, QList<int> numbers = {});
    const QList<QStringList> &rows() const { return m_rows; }
    int dataColumn(int column) const { return m_numbered ? column - 1 : column; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings; // every grid column, "N." included
    QList<int> m_editable;  // grid column indexes
    bool m_numbered = false;
    QList<QStringList> m_rows;
    QList<int> m_numbers;
};

class TExportGrid : public QTableView {
    Q_OBJECT
public:
    explicit TExportGrid(QWidget *parent);
    // headings and widths of every grid column (the "N." column first when numbered); editable by grid index.
    void setColumns(const QStringList &headings, const QList<int> &widths, const QList<int> &editable, bool numbered);
    void setRows(QList<QStringList> rows, QList<int> numbers = {})
    {
        m_model->setRows(std::move(rows), std::move(numbers));
    }
    const QList<QStringList> &rows() const { return m_model->rows(); }
    QString cell(int row, int column) const;
    ExportGridModel *gridModel() const { return m_model; }

private:
    ExportGridModel *m_model;
};

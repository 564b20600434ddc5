#pragma once
// The export window shared by the archives: every record in a grid, one row each, then written to a
// spreadsheet file in the program folder. A concrete export is data: archive, columns, file and sheet
// names, help texts.

#include "core/Spreadsheet.h"
#include "core/widgets/SummaryList.h"

#include <QDialog>

class QLabel;
class Picture;
class TExportGrid;

struct ExportColumn {
    const char *heading; // grid and file heading (UTF-8)
    int gridWidth;
    int exportWidth;
    bool editable; // the user may correct the cell before exporting (the grid only, never the archive)
    std::function<QString(const RecordView &)> value;
};

// Column values.
namespace ExportValues {
// The field (field-to-text rule, trimmed).
std::function<QString(const RecordView &)> field(const RecordLayout &layout, std::string_view name);
// prefix + the field.
std::function<QString(const RecordView &)> prefixed(const QString &prefix, const RecordLayout &layout,
                                                    std::string_view name);
// The two fields joined by one blank, kept even when the second is empty.
std::function<QString(const RecordView &)> joined(const RecordLayout &layout, std::string_view first,
                                                  std::string_view second);
} // namespace ExportValues

struct ExportConfig {
    QString name;    // the window's objectName
    QString caption; // window title
    const RecordLayout *layout = nullptr;
    std::function<QString()> archivePath;
    // Made afresh for every filling; empty = every record. A list of deadlines selects its day or month.
    std::function<RecordFilter()> selection;
    // Further archives read after the first, in this order, only when they exist (never created).
    std::function<QStringList()> laterArchives;
    // The order in which the rows of one archive are shown, as indexes into them (a list sorted by a key
    // column); empty = file order. Each archive's rows stay together, after those of the archives before it.
    // "N." shows each row's reading ordinal wherever the row goes.
    std::function<QList<int>(const QList<QStringList> &rows)> order;
    int numberWidth = 50;        // the grid's "N." column, never exported
    QList<ExportColumn> columns; // after "N.", in grid and file order
    QString fileName;
    QString sheetName;
    QString help; // the help page (HelpTexts)
};

class TExportWindow : public QDialog {
    Q_OBJECT
public:
    TExportWindow(ExportConfig config, QWidget *parent = nullptr);

    Picture *imgLogo;
    TExportGrid *grdRecords;
    Picture *cmdEsporta;
    Picture *cmdGuida;
    Picture *cmdEsci;
    QLabel *panInfo;

    void FormShow();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    // The grid's rows as the export writes them.
    SpreadsheetExport description() const;
    // False when the last filling could not read the whole archive (a failure or a cancel).
    bool filled() const { return m_failure.isEmpty(); }

protected:
    void showEvent(QShowEvent *e) override;

private:
    ExportConfig m_config;
    // The message for a grid that misses part of the archive; such a grid is never exported over an earlier,
    // complete file.
    QString m_failure = QStringLiteral("-");
};

#pragma once
// The summary list window and the result list it shares with the search windows: fixed-width lines kept in
// case-folded order, find next with search-again and wrap-around, the printed summary report, and handing
// the record of a chosen line back to its editor. A concrete list is data: archive, selection, line format,
// receiving editor, caption and report title. The lines themselves, their order and find need no window
// (core/LineFormat.h, core/ResultLines.h).

#include "core/LineFormat.h"
#include "core/Record.h"
#include "core/RecordView.h"
#include "core/ResultLines.h"
#include "core/widgets/SummaryReport.h"

#include <QDialog>
#include <QList>
#include <QListView>
#include <QStringList>
#include <functional>
#include <optional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;
class Picture;

namespace ResultLines {
// The pass of ResultLines::collect from a window: with progressParent, a long pass shows a progress bar
// there; a cancel stops it with the lines read so far and sets cancelled.
bool collect(const QString &path, const RecordLayout &layout, const RecordFilter &select, const LineBuilder &line,
             QStringList &out, QList<qint64> *positions, QWidget *progressParent, bool *cancelled = nullptr,
             QString *failure = nullptr);
// The record's fields into the editor's controls and its position into the editor's lblPosizione.
void loadIntoEditor(QWidget *editor, const Record &record, qint64 position);
// The hidden lblFile of a long-lived editor, trimmed; empty when the editor is not there.
QString editorArchivePath(const QString &editorName);
} // namespace ResultLines

// The list of lines: one uniform row per line in a fixed-width font, wide enough for the longest line.
class TResultList : public QListView {
    Q_OBJECT
public:
    explicit TResultList(QWidget *parent);
    // Sorted here, once, then shown all at once; positions (one per line, or none) follow their lines.
    void setLines(QStringList lines, QList<qint64> positions = {});
    QStringList lines() const;
    qint64 selectedPosition() const; // the record the selected line was listed from; 0 when unknown
    int count() const;
    int selectedRow() const; // -1 when no line is selected
    QString selectedLine() const;
    void selectRow(int row);
    void clear();

private:
    QStringListModel *m_model;
    QList<qint64> m_positions;
};

// The part of a list window below its banner: find field and button, the list, the hand-back hint, print and
// close. The summary lists and the search windows' result panels are this panel.
class TResultPanel : public QWidget {
    Q_OBJECT
public:
    explicit TResultPanel(QWidget *parent);
    void setReport(const QString &title, SummaryReport::Variant variant);
    void resetFind(); // empties the last search text and the search field

    QLabel *lblRigo01;
    QLabel *lblRigo02;
    Picture *imgLente;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    TResultList *lstRecords;
    QLabel *lblRigo03;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;
    QHBoxLayout *footer; // beside the hint: a window may add its own labels here

    void btnTrovaClick();
    void btnStampaClick();

signals:
    void lineChosen(); // a double click on a line
    void closeRequested();

private:
    QString m_lastFind;
    QString m_title;
    SummaryReport::Variant m_variant = SummaryReport::Variant::Schede;
};

struct SummaryListConfig {
    QString name;    // the window's objectName
    QString caption; // window title
    QString reportTitle;
    SummaryReport::Variant variant = SummaryReport::Variant::Schede;
    const RecordLayout *layout = nullptr;
    std::function<QString()> archivePath;
    // Made afresh for every building, so a rule may capture today's date once.
    std::function<RecordFilter()> selection;
    LineBuilder line;
    QString editor; // objectName of the long-lived editor that receives a chosen record
    // How the chosen record enters the editor, when it needs more than its fields and position.
    std::function<void(const Record &record, qint64 position)> handBack;
};

class TSummaryList : public QDialog {
    Q_OBJECT
public:
    TSummaryList(SummaryListConfig config, QWidget *parent = nullptr);

    Picture *imgLogo;
    TResultPanel *panel;
    // The panel's controls, by their usual names.
    QLabel *lblRigo01;
    QLabel *lblRigo02;
    QLabel *lblRigo03;
    Picture *imgLente;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    TResultList *lstRecords;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;

    void FormShow();
    void lstRecordsDblClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    SummaryListConfig m_config;
};

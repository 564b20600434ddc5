#pragma once
// The summary list window and the result list it shares with the search windows: fixed-width lines kept in
// case-folded order, find next with search-again and wrap-around, the printed summary report, and handing
// the record of a chosen line back to its editor. A concrete list is data: archive, selection, line format,
// receiving editor, caption and report title.

#include "core/Record.h"
#include "core/widgets/SummaryReport.h"

#include <QByteArrayView>
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

// A record where it lies in the read block: fields are decoded on demand and nothing is copied, so a pass
// over a large archive costs only the fields a list looks at.
class RecordView {
public:
    RecordView(const RecordLayout &layout, const char *bytes) : m_layout(&layout), m_bytes(bytes) {}
    QString text(int field) const;          // field-to-text rule (trimmed)
    QByteArrayView stored(int field) const; // the field's text bytes as stored, untrimmed
    Record toRecord() const;
    const RecordLayout &layout() const { return *m_layout; }

private:
    const RecordLayout *m_layout;
    const char *m_bytes;
};

using LineBuilder = std::function<QString(const RecordView &)>;
using RecordFilter = std::function<bool(const RecordView &)>;

// Fixed-width columns (trimmed, then padded with blanks or cut on the right) and separator texts, in order.
class LineFormat {
public:
    LineFormat &column(int field, int width);
    // Two fields, each trimmed, joined by one blank, as one column ("surname name").
    LineFormat &joined(int first, int second, int width);
    // The field trimmed and neither padded nor cut: it ends the line.
    LineFormat &tail(int field);
    LineFormat &literal(const QString &text);
    QString operator()(const RecordView &record) const;
    int width() const; // of the fixed part

private:
    struct Piece {
        int field;  // -1 for a literal
        int second; // joined column: the second field, -1 otherwise
        int width;  // -1: unpadded
        QString text;
    };
    QList<Piece> m_pieces;
    int m_width = 0;
};

namespace ResultLines {
// Ascending by character code with the letters a to z folded to capitals.
bool lessFolded(const QString &a, const QString &b);
// Sorted once, stably: lines equal but for case keep their file order.
void sortFolded(QStringList &lines);
// keyLower has A to Z already in small letters; the line's A to Z are folded while comparing.
// An empty key matches nothing.
bool containsFolded(const QString &line, const QString &keyLower);

// One pass over the archive (opened for reading, created empty when missing): the line of every selected
// record and, when positions is given, the record's position beside it. False when the archive cannot be
// opened or a read fails; the lines read until then stay in out.
// With progressParent, a long pass shows a progress bar there; a cancel stops it with the lines read so far
// and sets cancelled. failure receives the message for a failed pass (another workstation holding the archive
// or the access failure).
bool collect(const QString &path, const RecordLayout &layout, const RecordFilter &select, const LineBuilder &line,
             QStringList &out, QList<qint64> *positions = nullptr, QWidget *progressParent = nullptr,
             bool *cancelled = nullptr, QString *failure = nullptr);
// One pass over the archive: among the records the window would list (select) whose line equals chosen (both
// trimmed), the last one in the file, which is the one the editor keeps. Records the window would not list are
// skipped, so a paid twin of an unpaid slip never replaces it. Nothing when no line is equal or the archive
// cannot be opened or read.
struct FoundRecord {
    Record record;
    qint64 position;
};
std::optional<FoundRecord> lastEqualLine(const QString &path, const RecordLayout &layout, const RecordFilter &select,
                                         const LineBuilder &line, const QString &chosen);
// The record of a chosen line: the one at the position the line was listed from, when it is still selected
// and still gives that line; otherwise (another copy of the program overwrote it) lastEqualLine. A position
// of 0 means unknown.
std::optional<FoundRecord> chosenRecord(const QString &path, const RecordLayout &layout, const RecordFilter &select,
                                        const LineBuilder &line, const QString &chosen, qint64 position);
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

#pragma once
// The search window shared by the archives: a filter panel of partial keys, one per record field, and the
// result panel of the summary lists. A concrete search is data: archive, filters, line, report and what a
// chosen record does in the window that opened the search.

#include "core/widgets/SummaryList.h"

#include <QDialog>
#include <QList>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

struct SearchFilter {
    const char *control;    // objectName of the filter box
    const char *caption;    // its label (UTF-8)
    std::string_view field; // the record field it is compared with
};

struct SearchConfig {
    QString name;    // the window's objectName
    QString caption; // window title
    QString reportTitle;
    SummaryReport::Variant variant = SummaryReport::Variant::Schede;
    const RecordLayout *layout = nullptr;
    std::function<QString()> archivePath;
    QList<SearchFilter> filters; // in the order of the Enter chain, which wraps to the first
    bool boldFilters = false;    // filter boxes in bold Verdana 12
    LineBuilder line;
    // The count line under the results; %1 is the number of lines.
    QString countText = QStringLiteral("Il presente riepilogo contiene %1 schede.");
    // The chosen record into the window its context word (lblMemory, trimmed) names; other words do nothing.
    std::function<void(const QString &context, const Record &record, qint64 position)> handBack;
};

// Records match when at least as many filters score as are in use. A filter is in use when it holds more
// than blanks; it scores when its text as typed (blanks kept) occurs in the field as stored, the letters
// A to Z of both folded to small letters and nothing else folded. An empty filter never scores.
class SearchMatch {
public:
    SearchMatch(const RecordLayout &layout, const QList<QPair<std::string_view, QString>> &keys);
    int active() const { return m_active; }
    bool operator()(const RecordView &record) const;

private:
    struct Key {
        int field;
        QByteArray text; // Windows-1252, A to Z in small letters
    };
    QList<Key> m_keys;
    int m_active = 0;
};

class TSearchWindow : public QDialog {
    Q_OBJECT
public:
    TSearchWindow(SearchConfig config, QWidget *parent = nullptr);

    // Filter panel.
    QWidget *panAvvio;
    QList<QLineEdit *> filterBoxes; // in the order of the configuration
    QPushButton *btnCerca;
    QPushButton *btnAnnulla;
    QLabel *lblConta;
    QLabel *lblAttendere;
    QLabel *lblMemory; // the context word set by the opener

    // Result panel.
    TResultPanel *panContainer;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    TResultList *lstRecords;
    QLabel *lblTrovate;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;

    void FormShow();
    void btnCercaMouseDown();
    void btnCercaClick();
    void lstRecordsDblClick();

protected:
    void showEvent(QShowEvent *e) override;
    QLineEdit *filterBox(const char *control) const;

private:
    SearchConfig m_config;
    RecordFilter m_match; // the rule of the last search, kept for handing a record back
};

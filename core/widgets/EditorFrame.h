#pragma once
// The record frame shared by the editors: the position label, navigation, loading a record into the window and
// filling a record from it, saving (overwrite or append) and the duplicate frame. Every field of the layout is
// bound to its control once, at construction, among the window's own controls: a control that is missing or of
// a kind the frame cannot read stops the program there, instead of storing an empty field without a word.

#include "core/Record.h"
#include "core/Seams.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

class QLabel;
class QWidget;

class EditorFrame : public QObject {
    Q_OBJECT
public:
    struct Config {
        const RecordLayout *layout = nullptr;
        std::function<QString()> archivePath;
        Seams::MsgKind saveFailureKind = Seams::MsgKind::Error;
        QString insertedMessage; // shown after an append
        // Asked before navigation replaces the shown record; false keeps it.
        std::function<bool()> mayReplace;
    };
    EditorFrame(QWidget *window, QLabel *position, Config config);

    // The window's own control of that name: the windows it owns (searches, lists) are its children too and carry
    // controls of the same names, so the lookup never descends into another window. Null when there is none.
    static QWidget *ownControl(QWidget *window, const QString &name);
    // A control the frame can read and fill: line edit, label, check box, combo box, plain text box.
    static bool readable(const QWidget *control);

    // 0 when the window holds no stored record.
    qint64 position() const;
    void setPosition(qint64 position);

    // True when a record was loaded.
    bool first();
    bool previous();
    bool next();
    bool last();

    // Every field to its control (field-to-text rule; check boxes from "Sì"/"No", left alone otherwise); for
    // windows without a frame (stand-ins), looked up by name and skipped when missing.
    static void loadInto(QWidget *window, const Record &record);
    void load(const Record &record, qint64 position);
    void fillRecord(Record &record) const;
    // Overwrite at the shown position or append; messages as usual. False when nothing was stored.
    bool save();
    // Duplicate frame: warns when nothing is stored; otherwise resets what a new copy must not keep and empties
    // the position, checks the archive is reachable, focuses focus and informs.
    bool duplicate(const QString &notStoredWarning, const std::function<void()> &reset, QWidget *focus,
                   const QString &information);

    const RecordLayout &layout() const { return *m_config.layout; }
    QString archivePath() const { return m_config.archivePath(); }

private:
    bool loadAt(qint64 position, class ArchiveFile &file);
    bool navigate(qint64 (*target)(qint64 n, qint64 p), bool emptyPositionWhenEmpty);
    QWidget *m_window;
    QLabel *m_position;
    Config m_config;
    QList<QWidget *> m_controls; // one per field of the layout
};

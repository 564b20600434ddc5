#pragma once
// The record frame shared by the editors: position label, the four navigation buttons, loading a record
// into the window and filling a record from it (controls looked up by objectName from the layout),
// saving (overwrite or append) and the duplicate frame.

#include "core/Record.h"
#include "core/Seams.h"

#include <QList>
#include <QObject>
#include <QPair>
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
    };
    EditorFrame(QWidget *window, QLabel *position, Config config);

    // 0 when the window holds no stored record.
    qint64 position() const;
    void setPosition(qint64 position);

    void first();
    void previous();
    void next();
    void last();

    // Every field to its control (field-to-text rule; check boxes from "Sì"/"No", left alone otherwise).
    static void loadInto(QWidget *window, const Record &record);
    void load(const Record &record, qint64 position);
    void fillRecord(Record &record) const;
    // Overwrite at the shown position or append; messages as usual. False when nothing was stored.
    bool save();
    // Duplicate frame: warns when nothing is stored; otherwise empties the listed controls and the position,
    // checks the archive is reachable, focuses focus and informs.
    bool duplicate(const QString &notStoredWarning, const QStringList &controlsToEmpty, QWidget *focus,
                   const QString &information);

    // The picture commands every editor has, for their keyboard shortcuts; a command an editor lacks is null.
    struct Commands {
        QWidget *salva = nullptr, *nuovo = nullptr, *duplica = nullptr, *trova = nullptr, *stampa = nullptr,
                *guida = nullptr, *primo = nullptr, *indietro = nullptr, *avanti = nullptr, *ultimo = nullptr,
                *anteprima = nullptr, *allega = nullptr, *esporta = nullptr, *esci = nullptr;
        QList<QWidget *> lists; // the editor's list commands, in the order they are shown
    };
    // Ctrl+S, Ctrl+N, Ctrl+D, Ctrl+F, Ctrl+P, F1, Alt+Home, Alt+PgUp, Alt+PgDown, Alt+End, Ctrl+Shift+P (preview),
    // Ctrl+Shift+A (attach), Ctrl+E (export), Ctrl+Q (leave), and F5, F6, F7 for the lists: each does what a click
    // on its command does, while the command is visible and enabled, even with the focus in a text field; the
    // command's status hint names its key.
    static void bindKeys(QWidget *window, const Commands &commands);
    // (key, command caption) in the order the guide lists them.
    static QList<QPair<QString, QString>> keyList();

    const RecordLayout &layout() const { return *m_config.layout; }
    QString archivePath() const { return m_config.archivePath(); }

private:
    bool loadAt(qint64 position, class ArchiveFile &file);
    void navigate(qint64 (*target)(qint64 n, qint64 p), bool emptyPositionWhenEmpty);
    QWidget *m_window;
    QLabel *m_position;
    Config m_config;
};

#pragma once
// The list of files of one safety copy, written last into its folder: for every file its name, size, the time
// its original was last changed, and its SHA-256. A restore checks a copy against it before anything is
// replaced; the next day's copy uses it to recognise attachments that did not change.
//
// Text, one line per file, "<sha256 hex> <size> <modified ms> <name>", between a first line naming the form
// and a last line "fine <count>", so a list cut short is never taken for a whole one. Names are relative to
// the copy's folder with "/" between folders; control characters and "%" are written as %XX.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct BackupManifest {
    struct Entry {
        QString name;
        qint64 size = 0;
        qint64 modifiedMs = 0;
        QByteArray sha256; // 32 bytes
    };
    QList<Entry> entries;

    static QString fileName(); // "Elenco.sha256"
    QByteArray encode() const;
    // Nothing when the bytes are not a whole list.
    static std::optional<BackupManifest> decode(const QByteArray &bytes);
    // The list of the copy in folder; nothing when it is missing, a link, too large or not a whole list.
    static std::optional<BackupManifest> load(const QString &folder);
    const Entry *find(const QString &name) const;
};

#pragma once
// The redo journal of an archive ("<archive>.jnl"): an overwrite first writes the new record and where it goes
// there, synced, then writes it in place and empties the journal. A process killed between the two leaves a
// complete entry, which the next operation of any copy writes again in place; an incomplete entry is dropped,
// since its overwrite never started.
//
// Entry: magic, byte offset in the archive, length, the archive it belongs to (file id and size), the record
// bytes, SHA-1 of everything before it. The journal goes by the archive's name, but an archive replaced under
// that name (a restore) is another file: an entry that names another file is never replayed, only removed.
// Entries of the first form, without the archive's identity, are still replayed as they were: only a copy of
// the previous version can have left one, and a restore replays any pending entry into the file it was made
// for before it replaces that file.

#include "core/NativeFile.h"

#include <QByteArray>
#include <QString>
#include <optional>

class Journal {
public:
    struct Entry {
        qint64 offset;
        QByteArray bytes;
        std::optional<FileId> file; // the archive it was made for; none in an entry of the first form
        qint64 archiveSize = -1;
        bool belongsTo(const NativeFile &archive) const;
    };

    static QString pathFor(const QString &archivePath);
    // A journal that is not empty waits to be replayed.
    static bool pending(const QString &archivePath);
    // Under the archive's exclusive lock over the whole file. An entry that belongs to another file is
    // dropped. False when the replay failed (the journal then stays for the next operation).
    static bool replay(NativeFile &archive, const QString &archivePath);
    // A reader that may not write cannot replay: it reads through the journal instead, so it sees the record a
    // dead writer may have torn as the journal holds it.
    static void readThrough(const NativeFile &archive, const QString &archivePath, qint64 offset, char *data,
                            qint64 size);
    // Under the archive's exclusive lock: nothing pending any more (the archive is about to be replaced).
    static bool discard(const QString &archivePath);

    // The journal of one overwrite: opened (made with the archive's permissions when missing), the entry
    // recorded and synced, then cleared once the record is in place. error() tells why begin failed.
    bool begin(const NativeFile &archive, const QString &archivePath);
    bool record(qint64 offset, const QByteArray &bytes);
    void clear();
    int error() const { return m_error; }

private:
    static std::optional<Entry> read(const NativeFile &journal);
    NativeFile m_file;
    const NativeFile *m_archive = nullptr;
    int m_error = 0;
};

#pragma once
// The redo journal of an archive ("<archive>.jnl"): an overwrite first writes the new record and where it goes
// there, synced, then writes it in place and empties the journal. A process killed between the two leaves a
// complete entry, which the next operation of any copy writes again in place; an incomplete entry is dropped,
// since its overwrite never started.
//
// Entry: magic, byte offset in the archive, length, the record bytes, SHA-1 of everything before it.

#include "core/NativeFile.h"

#include <QByteArray>
#include <QString>
#include <optional>

class Journal {
public:
    struct Entry {
        qint64 offset;
        QByteArray bytes;
    };

    static QString pathFor(const QString &archivePath);
    // A journal that is not empty waits to be replayed.
    static bool pending(const QString &archivePath);
    // Under the archive's exclusive lock over the whole file. False when the replay failed (the journal then
    // stays for the next operation).
    static bool replay(NativeFile &archive, const QString &archivePath);
    // A reader that may not write cannot replay: it reads through the journal instead, so it sees the record a
    // dead writer may have torn as the journal holds it.
    static void readThrough(const QString &archivePath, qint64 offset, char *data, qint64 size);

    // The journal of one overwrite: opened (made with the archive's permissions when missing), the entry
    // recorded and synced, then cleared once the record is in place.
    bool begin(const NativeFile &archive, const QString &archivePath);
    bool record(qint64 offset, const QByteArray &bytes);
    void clear();

private:
    static std::optional<Entry> read(const NativeFile &journal);
    NativeFile m_file;
};

#pragma once
// A file of fixed-size records laid end to end. Each user operation opens the file, works and closes it
// (the destructor closes); nothing stays open between two operations. Records count as size div record
// size, so a torn tail left by a crash or an interrupted copy is never read and never shifts an append.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <optional>

class ArchiveFile {
public:
    enum class Op { Open, Read, Write, Append };
    enum class Mode {
        ReadWrite,    // editors: open for reading and writing, create when missing
        ReadOrCreate, // lists and searches: open for reading; create empty only when missing
    };

    ArchiveFile(const QString &path, int recordSize);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile &) = delete;
    ArchiveFile &operator=(const ArchiveFile &) = delete;

    bool open(Mode mode = Mode::ReadWrite);
    void close();
    qint64 count() const;
    // position is 1-based.
    bool read(qint64 position, QByteArray &record);
    bool write(qint64 position, const QByteArray &record);
    // Appends under an exclusive lock shared by every copy of the program on the folder; returns the
    // 1-based position where the record really landed.
    std::optional<qint64> append(const QByteArray &record);
    // One pass over every record in large blocks; visit returns false to stop. False on a read failure.
    bool scan(const std::function<bool(const char *record, qint64 position)> &visit);

    const QString &path() const { return m_path; }
    int recordSize() const { return m_recordSize; }

    // Tests: an I/O layer that fails on demand. The hook returns true to make that operation fail.
    static void setFaultHook(std::function<bool(Op, const QString &path)> hook);
    // How long an append waits for another copy of the program to finish its own.
    static void setLockTimeoutMs(int ms);

private:
    bool fault(Op op) const;
    QString m_path;
    int m_recordSize;
    QFile m_file;
};

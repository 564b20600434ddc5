#pragma once
// One file copied into a new one, as the safety copies, the restore and the attachments need it: the new file
// is made under its name exclusively (never through a link, never over anything already there), filled one
// block at a time with one block of memory, hashed (SHA-256) on the way and synced. A new file that is not
// finished (a failure, a cancel, an exception) is removed.

#include "core/NativeFile.h"
#include "core/Sha256.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace FileCopy {
inline constexpr qint64 kBlock = 1 << 20;

// A long copy's progress, shared with the thread that shows it: the copy adds to done, and stops at the next
// block once cancel is set.
struct Progress {
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancel{false};
};

using ::Sha256;

class NewFile {
public:
    explicit NewFile(Progress *progress = nullptr) : m_progress(progress) {}
    ~NewFile();
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    bool create(const QString &path);
    // Called before every block; false fails the copy (tests: a disk that fails or is slow).
    void setBeforeBlock(std::function<bool()> check) { m_beforeBlock = std::move(check); }
    // False on a write failure, and once the progress was cancelled.
    bool append(const char *data, qint64 size);
    // Every byte of source from its start.
    bool copyFrom(const NativeFile &source);
    // The same with source's blocks shared copy-on-write (nothing written), read back for the hash; false,
    // with nothing written, where the file system cannot clone.
    bool cloneFrom(const NativeFile &source);
    // Closed, the file stays; synced unless the caller syncs a whole folder of new files at once (syncTree).
    bool finish(bool sync = true);
    void discard(); // closed and removed

    bool cancelled() const { return m_cancelled; }
    QByteArray sha256() const { return m_hash.result(); }
    qint64 size() const { return m_size; }
    int error() const { return m_error; }
    const QString &path() const { return m_path; }

private:
    bool failed(int error);
    Progress *m_progress;
    std::function<bool()> m_beforeBlock;
    QString m_path;
    NativeFile m_file;
    Sha256 m_hash;
    qint64 m_size = 0;
    bool m_open = false;
    bool m_cancelled = false;
    int m_error = 0;
};

// The SHA-256 of a whole open file, read one block at a time; empty when it cannot be read.
QByteArray sha256(const NativeFile &file);
// The same for a path, opened without following a link.
QByteArray sha256(const QString &path);

// A hidden name beside path for work in progress: ".<name>.<tag>-<pid>-<random>" in path's folder.
QString hiddenBeside(const QString &path, const QString &tag);
// Whether a name is one of those.
bool isHiddenWork(const QString &name, const QString &tag);
} // namespace FileCopy

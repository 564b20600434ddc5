#pragma once
// The operating system's files behind one small interface. With FileLock, the only code that knows whether it
// runs on POSIX or on Windows; everything above it (archives, journals, settings, copies) is written once.
//
// Every call reports failure by its result and keeps the system's error number in error(); nothing throws.

#include <QString>
#include <QtGlobal>

// Which file a handle or a path names: device and inode, or volume serial and file index on Windows. Two
// names of one file give the same id; a file replaced by a rename gets a new one.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    bool valid() const { return device != 0 || inode != 0; }
    friend bool operator==(const FileId &, const FileId &) = default;
};

class NativeFile {
public:
    enum class Access { ReadWrite, ReadOnly };
    enum class Create {
        Never,     // the file must exist
        IfMissing, // opened when it exists, made empty otherwise
        New,       // made new; fails when the name exists, a link included
    };

    NativeFile() = default;
    ~NativeFile();
    NativeFile(const NativeFile &) = delete;
    NativeFile &operator=(const NativeFile &) = delete;
    NativeFile(NativeFile &&other) noexcept;
    NativeFile &operator=(NativeFile &&other) noexcept;

    // A final name that is a symbolic link (a reparse point on Windows) is never opened when noFollow is set.
    bool open(const QString &path, Access access, Create create = Create::Never, bool noFollow = false);
    // An existing file for reading and writing, or only for reading where writing is not allowed.
    bool openWritableOrReadOnly(const QString &path, bool &writable);
    bool isOpen() const { return m_handle != kNone; }
    // False when the system reported a failure on closing (data that may not have reached the disk).
    bool close();

    // Whole or false: a short read or write is a failure.
    bool readAt(qint64 offset, char *data, qint64 size) const;
    bool writeAt(qint64 offset, const char *data, qint64 size);
    qint64 size() const; // -1 on failure
    bool resize(qint64 size);
    // The file's data on the disk (fdatasync, FlushFileBuffers).
    bool sync();
    FileId id() const;
    // Gives this file the other's permission bits, where the system has them and this process owns the file.
    void takePermissionsOf(const NativeFile &other);

    int error() const { return m_error; }
    // For FileLock: the descriptor or the HANDLE.
    qintptr native() const { return m_handle; }

private:
    static constexpr qintptr kNone = -1;
    qintptr m_handle = kNone;
    mutable int m_error = 0;
};

namespace NativeFs {
// The id of the file a path names, the link itself when it is one; an invalid id when nothing is there.
FileId idOf(const QString &path);
// A symbolic link, or on Windows any reparse point (junctions included).
bool isLink(const QString &path);
// Renames from over to in one step: to names either its old file or the new one, never neither.
bool replace(const QString &from, const QString &to);
// A rename or a new name in folder reaches the disk.
void syncFolder(const QString &folder);
// The system's error number of the calling thread's last failure.
int lastError();
} // namespace NativeFs

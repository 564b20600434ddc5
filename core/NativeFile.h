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

// What a name is, seen without following it when it is a link.
struct FileStatus {
    enum class Kind {
        Missing,
        File,   // a plain file
        Folder, // a real folder, not a link to one
        Link,   // a symbolic link, dangling or not (any reparse point on Windows, junctions included)
        Other,  // a device, a pipe, a socket
    };
    Kind kind = Kind::Missing;
    qint64 size = 0;
    qint64 modifiedMs = 0; // last change of the contents, milliseconds since 1970 UTC
    FileId id;
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
    // Makes this file, open for writing and empty, share all of source's blocks copy-on-write (FICLONE on
    // Linux, block cloning on ReFS): no bytes are copied, and a later change to either file leaves the other
    // as it was. False where the file system cannot; nothing has changed then and the caller copies instead.
    bool cloneFrom(const NativeFile &source);

    int error() const { return m_error; }
    // For FileLock: the descriptor or the HANDLE.
    qintptr native() const { return m_handle; }

private:
    static constexpr qintptr kNone = -1;
    qintptr m_handle = kNone;
    mutable int m_error = 0;
};

namespace NativeFs {
// The id of the file a path names, the link itself when it is one (the file it leads to with followLink);
// an invalid id when nothing is there.
FileId idOf(const QString &path, bool followLink = false);
// A symbolic link, or on Windows any reparse point (junctions included).
bool isLink(const QString &path);
// What path names; a link is reported as a link, never as what it leads to.
FileStatus status(const QString &path);
// Renames from over to in one step: to names either its old file or the new one, never neither. A link at to
// is replaced itself; nothing is ever written through it.
bool replace(const QString &from, const QString &to);
// Renames from (a file or a folder) to a name that nothing has yet; false when anything, a link included,
// already has it. Never replaces.
bool renameNew(const QString &from, const QString &to);
// Makes a new folder; false when anything (a link included) already has the name.
bool makeFolder(const QString &path);
// Removes a file, or a link itself (never what it leads to); false for a folder.
bool removeFile(const QString &path);
// Removes a real folder and everything in it without following any link found there (a link is removed as
// a link). False when path is no real folder (a link to one included) or something in it stayed.
bool removeTree(const QString &path);
// A rename or a new name in folder reaches the disk.
void syncFolder(const QString &folder);
// Everything written under folder (the files' data, their names, the folders) reaches the disk, for many new
// files at once (syncfs on Linux; FlushFileBuffers on each file on Windows). It may flush more of the volume.
// False when the system reports that something could not be written.
bool syncTree(const QString &folder);
// The system's error number of the calling thread's last failure.
int lastError();
// True for an error number that means the system forbids the access (permissions, a read-only volume), as
// opposed to an access that was tried and failed.
bool isDenied(int error);
} // namespace NativeFs

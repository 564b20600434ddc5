#include "core/NativeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <vector>
#include <windows.h>

namespace {
HANDLE h(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// Paths as Windows wants them: backslashes, UTF-16.
std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The errno values the callers test. A range another workstation holds makes a read or write fail on Windows
// (its locks are mandatory): EAGAIN, as POSIX says of mandatory locks, so the archive layer waits and retries.
int errnoOf(DWORD e)
{
    switch (e) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_PRIVILEGE_NOT_HELD:
        return EPERM;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_LOCK_VIOLATION:
    case ERROR_SHARING_VIOLATION:
        return EAGAIN;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
        return EINVAL;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    default:
        return EIO;
    }
}

int lastErrno()
{
    return errnoOf(::GetLastError());
}

OVERLAPPED at(qint64 offset)
{
    OVERLAPPED ov{};
    ov.Offset = DWORD(quint64(offset) & 0xFFFFFFFFu);
    ov.OffsetHigh = DWORD(quint64(offset) >> 32);
    return ov;
}

// Symbolic links, junctions and mount points name another file; other reparse points (cloud placeholders,
// deduplicated files) are the file itself.
bool namesAnother(DWORD attributes, DWORD tag)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(tag);
}

bool namesAnother(HANDLE handle)
{
    FILE_ATTRIBUTE_TAG_INFO info{};
    return ::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info) &&
           namesAnother(info.FileAttributes, info.ReparseTag);
}

// The directory entry itself, never what it points to.
HANDLE openEntry(const QString &path)
{
    return ::CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

FileId idOfHandle(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        return {};
    return {quint64(info.dwVolumeSerialNumber), (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// One ReadFile or WriteFile moves at most this much.
constexpr qint64 kChunk = 1 << 30;

// Opens what a path leads to, following links.
HANDLE openTarget(const QString &path)
{
    return ::CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

qint64 msSince1970(const FILETIME &t)
{
    // FILETIME counts 100 ns steps from 1601.
    const quint64 ticks = (quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return qint64(ticks / 10000) - 11644473600000LL;
}

// Keeps a failure's code for NativeFs::lastError() past the calls that clean up after it.
bool failWith(DWORD e)
{
    ::SetLastError(e);
    return false;
}

// A virus scanner or another workstation that has just opened the old file without sharing its deletion
// holds a rename off for a moment: a few tries before giving up.
bool moveEntry(const QString &from, const QString &to, DWORD flags)
{
    const std::wstring source = wide(from), target = wide(to);
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(), flags | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD e = ::GetLastError();
        if (attempt == 10 || (e != ERROR_ACCESS_DENIED && e != ERROR_SHARING_VIOLATION && e != ERROR_LOCK_VIOLATION))
            return failWith(e);
        QThread::msleep(50);
    }
}

// The rename another workstation's open handle does not hold off (Windows 10 on NTFS): the old file lives on
// for its holders, as on POSIX, instead of the rename failing while any copy of the program has it open.
bool posixReplace(const QString &from, const QString &to)
{
    const HANDLE source =
        ::CreateFileW(wide(from).c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (source == INVALID_HANDLE_VALUE)
        return false;
    const std::wstring target = wide(QFileInfo(to).absoluteFilePath());
    const DWORD nameBytes = DWORD(target.size() * sizeof(wchar_t));
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto *info = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    constexpr DWORD kReplaceIfExists = 0x1, kPosixSemantics = 0x2; // FILE_RENAME_FLAG_*
    const DWORD flags = kReplaceIfExists | kPosixSemantics;
    std::memcpy(info, &flags, sizeof flags); // the flags share their place with ReplaceIfExists
    info->RootDirectory = nullptr;
    info->FileNameLength = nameBytes;
    std::memcpy(info->FileName, target.data(), nameBytes);
    const bool ok = ::SetFileInformationByHandle(source, FILE_INFO_BY_HANDLE_CLASS(22) /* FileRenameInfoEx */, info,
                                                 DWORD(buffer.size()));
    const DWORD e = ::GetLastError();
    ::CloseHandle(source);
    if (!ok)
        ::SetLastError(e);
    return ok;
}

// One folder entry, never what it leads to: a link to a folder (a junction) is removed as a folder entry,
// which removes the link alone. A read-only file loses the attribute first, as a deletion by hand would.
bool removeEntry(const QString &path)
{
    const std::wstring name = wide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return failWith(::GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return ::RemoveDirectoryW(name.c_str()) || failWith(::GetLastError());
    if (::DeleteFileW(name.c_str()))
        return true;
    const DWORD e = ::GetLastError();
    if (e == ERROR_ACCESS_DENIED && (attributes & FILE_ATTRIBUTE_READONLY) &&
        ::SetFileAttributesW(name.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)) && ::DeleteFileW(name.c_str()))
        return true;
    return failWith(e);
}

// The entries of a real folder, "." and ".." left out; links are entries like any other.
template <typename F> bool eachEntry(const QString &folder, F f)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW(wide(folder + QStringLiteral("/*")).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return failWith(::GetLastError());
    bool ok = true;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        const bool link = namesAnother(found.dwFileAttributes, found.dwReserved0);
        const bool folderEntry = !link && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        ok = f(folder + QLatin1Char('/') + name, link, folderEntry) && ok;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return ok;
}

bool removeFolder(const QString &folder)
{
    const bool emptied = eachEntry(folder, [](const QString &path, bool, bool isFolder) {
        return isFolder ? removeFolder(path) : removeEntry(path);
    });
    return emptied && (::RemoveDirectoryW(wide(folder).c_str()) || failWith(::GetLastError()));
}

// FlushFileBuffers needs a handle open for writing; links are not followed.
bool flushFolder(const QString &folder)
{
    return eachEntry(folder, [](const QString &path, bool link, bool isFolder) {
        if (link)
            return true;
        if (isFolder)
            return flushFolder(path);
        const HANDLE file =
            ::CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return failWith(::GetLastError());
        const bool ok = ::FlushFileBuffers(file) || failWith(::GetLastError());
        ::CloseHandle(file);
        return ok;
    });
}
} // namespace

bool NativeFile::open(const QString &path, Access access, Create create, bool noFollow)
{
    close();
    const DWORD rights = GENERIC_READ | (access == Access::ReadWrite ? GENERIC_WRITE : 0);
    // Other workstations open, lock and replace the same files while this one works with them.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const DWORD disposition = create == Create::New         ? CREATE_NEW
                              : create == Create::IfMissing ? OPEN_ALWAYS
                                                            : OPEN_EXISTING;
    const bool entryItself = noFollow || create == Create::New;
    const std::wstring name = wide(path);
    HANDLE handle = ::CreateFileW(name.c_str(), rights, share, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL | (entryItself ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_error = lastErrno();
        return false;
    }
    if (entryItself) {
        FILE_ATTRIBUTE_TAG_INFO info{};
        if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) {
            m_error = lastErrno();
            ::CloseHandle(handle);
            return false;
        }
        if (namesAnother(info.FileAttributes, info.ReparseTag)) {
            ::CloseHandle(handle);
            m_error = ELOOP; // as O_NOFOLLOW says of a link
            return false;
        }
        if (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // A placeholder of a synchronised folder: opened through its reparse point, its data would not be
            // fetched. It names no other file, so it is opened again the ordinary way.
            ::CloseHandle(handle);
            handle = ::CreateFileW(name.c_str(), rights, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                m_error = lastErrno();
                return false;
            }
        }
    }
    m_handle = reinterpret_cast<qintptr>(handle);
    return true;
}

bool NativeFile::close()
{
    if (m_handle == kNone)
        return true;
    const bool ok = ::CloseHandle(h(m_handle));
    if (!ok)
        m_error = lastErrno();
    m_handle = kNone;
    return ok;
}

bool NativeFile::readAt(qint64 offset, char *data, qint64 size) const
{
    while (size > 0) {
        OVERLAPPED ov = at(offset);
        DWORD got = 0;
        if (!::ReadFile(h(m_handle), data, DWORD(qMin(size, kChunk)), &got, &ov)) {
            const DWORD e = ::GetLastError();
            m_error = e == ERROR_HANDLE_EOF ? EIO : errnoOf(e);
            return false;
        }
        if (got == 0) {
            m_error = EIO;
            return false;
        }
        data += got;
        size -= got;
        offset += got;
    }
    return true;
}

bool NativeFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    while (size > 0) {
        OVERLAPPED ov = at(offset);
        DWORD put = 0;
        if (!::WriteFile(h(m_handle), data, DWORD(qMin(size, kChunk)), &put, &ov)) {
            m_error = lastErrno();
            return false;
        }
        if (put == 0) {
            m_error = ENOSPC;
            return false;
        }
        data += put;
        size -= put;
        offset += put;
    }
    return true;
}

qint64 NativeFile::size() const
{
    LARGE_INTEGER s{};
    if (!::GetFileSizeEx(h(m_handle), &s)) {
        m_error = lastErrno();
        return -1;
    }
    return qint64(s.QuadPart);
}

bool NativeFile::resize(qint64 size)
{
    // Every read and write names its offset, so moving the file pointer here disturbs nothing.
    LARGE_INTEGER to{};
    to.QuadPart = size;
    if (::SetFilePointerEx(h(m_handle), to, nullptr, FILE_BEGIN) && ::SetEndOfFile(h(m_handle)))
        return true;
    m_error = lastErrno();
    return false;
}

bool NativeFile::sync()
{
    if (::FlushFileBuffers(h(m_handle)))
        return true;
    m_error = lastErrno();
    return false;
}

FileId NativeFile::id() const
{
    return idOfHandle(h(m_handle));
}

// Block cloning (ReFS) wants cluster-aligned ranges and a volume few offices have: the caller copies instead.
bool NativeFile::cloneFrom(const NativeFile &)
{
    m_error = EOPNOTSUPP;
    return false;
}

// A new file takes the folder's inherited access rights, which is what the other workstations need.
void NativeFile::takePermissionsOf(const NativeFile &) {}

namespace NativeFs {
FileId idOf(const QString &path, bool followLink)
{
    const HANDLE entry = followLink ? openTarget(path) : openEntry(path);
    if (entry == INVALID_HANDLE_VALUE)
        return {};
    const FileId id = idOfHandle(entry);
    ::CloseHandle(entry);
    return id;
}

FileStatus status(const QString &path)
{
    FileStatus st;
    const HANDLE entry = openEntry(path);
    if (entry == INVALID_HANDLE_VALUE) {
        // A file another program holds without sharing can still be described from its folder entry.
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (::GetLastError() != ERROR_SHARING_VIOLATION ||
            !::GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data))
            return st;
        st.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? FileStatus::Kind::Link
                  : (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)   ? FileStatus::Kind::Folder
                                                                         : FileStatus::Kind::File;
        st.size = qint64((quint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        st.modifiedMs = msSince1970(data.ftLastWriteTime);
        return st;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (::GetFileInformationByHandle(entry, &info) &&
        ::GetFileInformationByHandleEx(entry, FileAttributeTagInfo, &tag, sizeof tag)) {
        const DWORD type = ::GetFileType(entry);
        st.kind = namesAnother(tag.FileAttributes, tag.ReparseTag)     ? FileStatus::Kind::Link
                  : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileStatus::Kind::Folder
                  : type == FILE_TYPE_DISK                             ? FileStatus::Kind::File
                                                                       : FileStatus::Kind::Other;
        st.size =
            st.kind == FileStatus::Kind::File ? qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow) : 0;
        st.modifiedMs = msSince1970(info.ftLastWriteTime);
        st.id = {quint64(info.dwVolumeSerialNumber), (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    }
    ::CloseHandle(entry);
    return st;
}

bool isLink(const QString &path)
{
    const HANDLE entry = openEntry(path);
    if (entry == INVALID_HANDLE_VALUE)
        return false;
    const bool link = namesAnother(entry);
    ::CloseHandle(entry);
    return link;
}

bool replace(const QString &from, const QString &to)
{
    return posixReplace(from, to) || moveEntry(from, to, MOVEFILE_REPLACE_EXISTING);
}

// Without MOVEFILE_REPLACE_EXISTING a name that anything has, a link included, makes the move fail.
bool renameNew(const QString &from, const QString &to)
{
    return moveEntry(from, to, 0);
}

bool makeFolder(const QString &path)
{
    return ::CreateDirectoryW(wide(path).c_str(), nullptr) != 0;
}

bool removeFile(const QString &path)
{
    const FileStatus st = status(path);
    if (st.kind == FileStatus::Kind::Folder || st.kind == FileStatus::Kind::Missing)
        return failWith(st.kind == FileStatus::Kind::Folder ? ERROR_DIRECTORY : ERROR_FILE_NOT_FOUND);
    return removeEntry(path);
}

bool removeTree(const QString &path)
{
    if (status(path).kind != FileStatus::Kind::Folder)
        return failWith(ERROR_DIRECTORY);
    return removeFolder(path);
}

bool syncTree(const QString &folder)
{
    if (status(folder).kind != FileStatus::Kind::Folder)
        return false;
    return flushFolder(folder);
}

// MOVEFILE_WRITE_THROUGH returns only once the rename is on the disk; a folder has nothing more to flush.
void syncFolder(const QString &) {}

int lastError()
{
    return lastErrno();
}

bool isDenied(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}
} // namespace NativeFs

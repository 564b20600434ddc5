#include "core/NativeFile.h"

#include <cerrno>

// What both systems share; the system calls are in NativeFile_posix.cpp and NativeFile_win.cpp.

NativeFile::~NativeFile()
{
    close();
}

NativeFile::NativeFile(NativeFile &&other) noexcept : m_handle(other.m_handle), m_error(other.m_error)
{
    other.m_handle = kNone;
}

NativeFile &NativeFile::operator=(NativeFile &&other) noexcept
{
    if (this != &other) {
        close();
        m_handle = other.m_handle;
        m_error = other.m_error;
        other.m_handle = kNone;
    }
    return *this;
}

bool NativeFile::openWritableOrReadOnly(const QString &path, bool &writable)
{
    writable = open(path, Access::ReadWrite);
    if (writable)
        return true;
    if (m_error != EACCES && m_error != EROFS && m_error != EPERM)
        return false;
    return open(path, Access::ReadOnly);
}

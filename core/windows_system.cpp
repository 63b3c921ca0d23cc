// What the Windows parts of core share: paths in UTF-16 and the system's
// errors as the user is shown them.
#include "windows_system.h"

#include <QDir>

#include <cerrno>

#include <windows.h>

namespace windows_system {

std::wstring wideOf(const FilePath& path) { return QDir::toNativeSeparators(path.display()).toStdWString(); }

namespace {

int errnoOf(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

QString descriptionOf(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString description = QString::fromWCharArray(text, qsizetype(length)).trimmed();
    ::LocalFree(text);
    return description.isEmpty() ? QStringLiteral("Windows error %1").arg(code) : description;
}

}  // namespace

FileError errorOf(unsigned long code, const FilePath& path)
{
    return {errnoOf(code), FileProblem::System, path.display(), descriptionOf(code)};
}

FileError lastError(const FilePath& path) { return errorOf(::GetLastError(), path); }

}  // namespace windows_system

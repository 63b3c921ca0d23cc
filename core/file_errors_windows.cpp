// The system's error numbers for file access on Windows: GetLastError's,
// with FormatMessageW's words.
#include "file_system.h"

#include "windows_system.h"

#include <windows.h>

namespace file_system {

FileError lastError(const FilePath& path) { return windows_system::lastError(path); }

// Older MinGW headers lack this one; the number is Windows' own.
#ifndef ERROR_DIRECTORY_NOT_SUPPORTED
#define ERROR_DIRECTORY_NOT_SUPPORTED 336L
#endif

int numberOf(Found failure)
{
    switch (failure) {
    case Found::NotRegular:
        return ERROR_BAD_FILE_TYPE;
    case Found::TooLarge:
        return ERROR_FILE_TOO_LARGE;
    case Found::Busy:
        return ERROR_LOCK_VIOLATION;
    case Found::StreamClosed:
        return ERROR_INVALID_HANDLE;
    case Found::Missing:
        return ERROR_PATH_NOT_FOUND;
    case Found::Folder:
        return ERROR_DIRECTORY_NOT_SUPPORTED;
    case Found::Incomplete:
        return ERROR_READ_FAULT;
    }
    Q_UNREACHABLE();
}

FileError systemError(Found failure, const FilePath& path)
{
    return windows_system::errorOf(DWORD(numberOf(failure)), path);
}

Meaning lastErrorMeans()
{
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
        return Meaning::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return Meaning::NameTaken;
    default:
        return Meaning::Other;
    }
}

}  // namespace file_system

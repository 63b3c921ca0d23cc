// The system's error numbers for file access on Linux and other POSIX
// systems: errno's.
#include "file_system.h"

#include <cerrno>

namespace file_system {

FileError lastError(const FilePath& path) { return FileError::fromErrno(errno, path); }

int numberOf(Found failure)
{
    switch (failure) {
    case Found::NotRegular:
        return ENXIO;
    case Found::TooLarge:
        return EFBIG;
    case Found::Busy:
        return EWOULDBLOCK;
    case Found::StreamClosed:
        return EBADF;
    case Found::Missing:
        return ENOENT;
    case Found::Folder:
        return EISDIR;
    case Found::Incomplete:
        return EIO;
    }
    Q_UNREACHABLE();
}

FileError systemError(Found failure, const FilePath& path) { return FileError::fromErrno(numberOf(failure), path); }

Meaning lastErrorMeans()
{
    if (errno == ENOENT)
        return Meaning::NotFound;
    return errno == EEXIST ? Meaning::NameTaken : Meaning::Other;
}

}  // namespace file_system

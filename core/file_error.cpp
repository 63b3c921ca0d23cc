#include "file_error.h"

#include <cerrno>
#include <cstring>

FileError FileError::fromErrno(int errnoValue, const FilePath& path)
{
    return {errnoValue, FileProblem::System, path.display(), QString::fromLocal8Bit(std::strerror(errnoValue))};
}

FileError FileError::of(FileProblem problem, int number, const FilePath& path)
{
    return {number, problem, path.display(), {}};
}

FileError FileError::notRegularFile(const FilePath& path) { return of(FileProblem::NotRegularFile, ENXIO, path); }

FileError FileError::tooLarge(const FilePath& path) { return of(FileProblem::TooLarge, EFBIG, path); }

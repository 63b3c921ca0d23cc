// What file access is the same for on every system.
#include "file_io.h"

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

namespace file_io {

Content Content::wholly(const QByteArray& bytes)
{
    return Content(bytes.size(), [bytes, given = false]() mutable {
        const bool first = !given;
        given = true;
        return first ? QByteArrayView(bytes) : QByteArrayView();
    });
}

}  // namespace file_io

#include "file_error.h"

#include "file_system.h"

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

FileError FileError::notRegularFile(const FilePath& path)
{
    return of(FileProblem::NotRegularFile, file_system::numberOf(file_system::Found::NotRegular), path);
}

FileError FileError::tooLarge(const FilePath& path)
{
    return of(FileProblem::TooLarge, file_system::numberOf(file_system::Found::TooLarge), path);
}

FileError FileError::beingWritten(const FilePath& path)
{
    return of(FileProblem::BeingWritten, file_system::numberOf(file_system::Found::Busy), path);
}

FileError FileError::streamClosed(int stream)
{
    return of(stream == 0 ? FileProblem::InputClosed : FileProblem::OutputClosed,
              file_system::numberOf(file_system::Found::StreamClosed), FilePath(QStringLiteral("-")));
}

FileError FileError::isFolder(const FilePath& path)
{
    return file_system::systemError(file_system::Found::Folder, path);
}

FileError FileError::incomplete(const FilePath& path)
{
    return file_system::systemError(file_system::Found::Incomplete, path);
}

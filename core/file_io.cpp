// File access: reading, appending and what replacing shares with them.
#include "file_io.h"
#include "file_io_internal.h"
#include "program_folder.h"

#include <QDir>
#include <QThread>
#include <algorithm>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace file_io {
namespace internal {

std::optional<FileError> lastError(const FilePath& path) { return FileError::fromErrno(errno, path); }

FileError folderNotFound() { return programFolderNotFound(); }

std::optional<FileError> writeAll(int fd, QByteArrayView bytes, const FilePath& path)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError(path);
        }
        data += written;
        left -= written;
    }
    return std::nullopt;
}

std::optional<FileError> writeContent(int fd, const Content& content, const FilePath& path, qint64* written)
{
    for (QByteArrayView piece = content.next(); !piece.isEmpty(); piece = content.next()) {
        if (auto error = writeAll(fd, piece, path))
            return error;
        if (written)
            *written += piece.size();
    }
    return std::nullopt;
}

std::optional<FileError> writeAndClose(FileDescriptor& file, const Content& content, const FilePath& path)
{
    if (auto error = writeContent(file.get(), content, path))
        return error;
    if (file.close() != 0)
        return lastError(path);
    return std::nullopt;
}

namespace {

FilePath followLinks(const FilePath& path, std::optional<FileError>& error)
{
    FilePath current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(current.c_str(), target.data(), size_t(target.size()));
        if (length < 0 || length >= target.size()) {
            error = lastError(path);
            return path;
        }
        target.truncate(length);
        current = target.startsWith('/') ? FilePath::fromNative(target) : current.folder().childNative(target);
    }
    error = FileError::fromErrno(ELOOP, path);
    return path;
}

void ignoreBrokenPipes()
{
    static const bool ignored = std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    Q_UNUSED(ignored);
}

}  // namespace

std::optional<FileError> writeTarget(const FilePath& path, FilePath& target)
{
    if (path.isEmpty())
        return folderNotFound();
    ignoreBrokenPipes();
    std::optional<FileError> error;
    target = followLinks(path, error);
    return error;
}

}  // namespace internal

using namespace internal;

namespace {

// Only a regular file of a size the program reads is read.
std::optional<FileError> checkReadable(const struct stat& info, const FilePath& path)
{
    if (S_ISDIR(info.st_mode))
        return FileError::fromErrno(EISDIR, path);
    if (!S_ISREG(info.st_mode))
        return FileError::notRegularFile(path);
    if (info.st_size > kLargestRead)
        return FileError::tooLarge(path);
    return std::nullopt;
}

// Reads straight into the bytes' spare room, growing it only where the file
// holds more than it had room for.
std::optional<FileError> readAtMost(int fd, qint64 limit, QByteArray& bytes, const FilePath& path)
{
    for (;;) {
        if (bytes.size() == bytes.capacity())
            bytes.reserve(bytes.size() + 65536);
        const qsizetype had = bytes.size();
        bytes.resize(bytes.capacity());
        const ssize_t got = ::read(fd, bytes.data() + had, size_t(bytes.size() - had));
        bytes.resize(had + std::max<ssize_t>(got, 0));
        if (got == 0)
            return std::nullopt;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || bytes.size() > limit) {
            const FileError error = got < 0 ? FileError::fromErrno(errno, path) : FileError::tooLarge(path);
            bytes.clear();
            return error;
        }
    }
}

}  // namespace

bool entryExists(const FilePath& path)
{
    struct stat info {};
    return !path.isEmpty() && ::lstat(path.c_str(), &info) == 0;
}

std::optional<FileError> readFile(const FilePath& path, QByteArray& bytes)
{
    bytes.clear();
    if (path.isEmpty())
        return folderNotFound();
    // Looked at before it is opened, so that a pipe or a device is never
    // opened at all, and again once open, in case it changed in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return lastError(path);
    if (auto error = checkReadable(info, path))
        return error;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen() || ::fstat(file.get(), &info) != 0)
        return lastError(path);
    if (auto error = checkReadable(info, path))
        return error;
    bytes.reserve(qsizetype(info.st_size) + 1);  // room to find the end without growing
    return readAtMost(file.get(), kLargestRead, bytes, path);
}

}  // namespace file_io

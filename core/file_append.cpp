// Appending: the single-language release adds each document after the
// file's content.
#include "file_io.h"
#include "file_io_internal.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace file_io {

using namespace internal;

namespace {

// Another program appending holds the lock for as long as its write takes;
// one that holds it longer than this is reported instead of waited for.
constexpr auto kLockWait = std::chrono::seconds(5);

// Opens the file for appending; created tells whether this call made it.
FileDescriptor openForAppend(const FilePath& target, bool& created)
{
    constexpr int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < 3; ++attempt) {
        FileDescriptor file(::open(target.c_str(), flags | O_CREAT | O_EXCL, 0666));
        created = file.isOpen();
        if (created || errno != EEXIST)
            return file;
        FileDescriptor existing(::open(target.c_str(), flags));
        if (existing.isOpen() || errno != ENOENT)
            return existing;
    }
    return FileDescriptor();
}

std::optional<FileError> lockExclusively(int fd, const FilePath& path)
{
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return std::nullopt;  // a file system without locks: written without one
        if (std::chrono::steady_clock::now() > deadline)
            return FileError::of(FileProblem::BeingWritten, EWOULDBLOCK, path);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

// Takes back what this append added: the file is cut to where the append
// began, or removed when the append created it.
void takeBack(int fd, off_t start, bool created, const FilePath& target)
{
    if (created)
        ::unlink(target.c_str());
    else if (::ftruncate(fd, start) != 0)
        return;  // the write's own error is the one the user hears of
}

// A failed close leaves no file open to cut: it is opened and locked again,
// and cut back only while nothing was appended after this append.
void takeBackAfterClose(const FilePath& target, off_t start, qint64 written, bool created)
{
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!file.isOpen() || lockExclusively(file.get(), target) || ::fstat(file.get(), &info) != 0 ||
        info.st_size != start + written)
        return;
    takeBack(file.get(), start, created, target);
}

std::optional<FileError> appendToRegularFile(FileDescriptor& file, bool created, const FilePath& target,
                                             const Content& content)
{
    if (auto error = lockExclusively(file.get(), target)) {
        takeBack(file.get(), 0, created, target);
        return error;
    }
    const off_t start = ::lseek(file.get(), 0, SEEK_END);  // under the lock: where this append begins
    qint64 written = 0;
    auto error = writeContent(file.get(), content, target, &written);
    if (!error && ::fsync(file.get()) != 0)
        error = lastError(target);
    if (error) {
        takeBack(file.get(), start, created, target);
        return error;
    }
    if (file.close() != 0) {
        error = lastError(target);
        takeBackAfterClose(target, start, written, created);
    }
    return error;
}

}  // namespace

std::optional<FileError> append(const FilePath& path, const Content& content)
{
    FilePath target;
    if (auto error = writeTarget(path, target))
        return error;
    bool created = false;
    FileDescriptor file = openForAppend(target, created);
    struct stat info {};
    if (!file.isOpen() || ::fstat(file.get(), &info) != 0)
        return lastError(path);
    if (S_ISREG(info.st_mode))
        return appendToRegularFile(file, created, target, content);
    return writeAndClose(file, content, target);  // a device or a pipe, written as it is
}

}  // namespace file_io

#pragma once

// What the parts of file access share; not for use elsewhere.

#include "file_io.h"

#include <unistd.h>

namespace file_io::internal {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Closes now so that a failure to close can be reported.
    int close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

std::optional<FileError> lastError(const FilePath& path);
// An empty path is what a file in a program folder that cannot be found has.
FileError folderNotFound();

// Writes every piece of the content; how many bytes went out is added to
// written, where given.
std::optional<FileError> writeContent(int fd, const Content& content, const FilePath& path, qint64* written = nullptr);

// Writes every piece of the content and closes the file, so that a failure
// to close is reported too.
std::optional<FileError> writeAndClose(FileDescriptor& file, const Content& content, const FilePath& path);

// The file a write goes to: the path with every symbolic link on it followed
// (for a dangling link, the path it names). An empty path (a file in a
// program folder that cannot be found) is refused. From here on a pipe whose
// reader has gone is an ordinary error (EPIPE), not the end of the program.
std::optional<FileError> writeTarget(const FilePath& path, FilePath& target);

}  // namespace file_io::internal

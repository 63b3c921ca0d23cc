#include "file_io.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileError FileError::fromErrno(int errnoValue, const QString& path)
{
    return {errnoValue, QString::fromLocal8Bit(std::strerror(errnoValue)), path};
}

namespace file_io {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Closes now so that a failure to close can be reported.
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// For steps that make a result better but whose failure is not the one the
// user must hear of (the write's own error is).
void keepBestEffort(int) {}

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

std::optional<FileError> lastError(const QString& path) { return FileError::fromErrno(errno, path); }

std::optional<FileError> writeAll(int fd, QByteArrayView bytes, const QString& path)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
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

std::optional<FileError> writeContent(int fd, const Content& content, const QString& path)
{
    for (QByteArrayView piece = content(); !piece.isEmpty(); piece = content()) {
        if (auto error = writeAll(fd, piece, path))
            return error;
    }
    return std::nullopt;
}

std::optional<FileError> writeAndClose(FileDescriptor& file, const Content& content, const QString& path)
{
    if (auto error = writeContent(file.get(), content, path))
        return error;
    if (file.close() != 0)
        return lastError(path);
    return std::nullopt;
}

mode_t modeForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::optional<FileError> replaceDirectly(const QString& path, const Content& content)
{
    FileDescriptor file(::open(nativePath(path).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!file.isOpen())
        return lastError(path);
    return writeAndClose(file, content, path);
}

// Opening for writing is what tells a read-only file from a writable one;
// the probe leaves the file untouched.
std::optional<FileError> checkWritable(const QString& path)
{
    FileDescriptor probe(::open(nativePath(path).constData(), O_WRONLY | O_CLOEXEC));
    if (!probe.isOpen())
        return lastError(path);
    return std::nullopt;
}

std::optional<FileError> replaceThroughTemporary(const QString& path, const Content& content,
                                                 const struct stat* existing)
{
    QByteArray temporaryName = nativePath(path) + ".XXXXXX";
    FileDescriptor file(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (!file.isOpen())
        return lastError(path);
    auto error = [&]() -> std::optional<FileError> {
        if (existing) {
            ::fchmod(file.get(), existing->st_mode & 07777);
            keepBestEffort(::fchown(file.get(), existing->st_uid, existing->st_gid));
        } else {
            ::fchmod(file.get(), modeForNewFile());
        }
        if (auto writeError = writeContent(file.get(), content, path))
            return writeError;
        if (::fsync(file.get()) != 0 || file.close() != 0)
            return lastError(path);
        if (::rename(temporaryName.constData(), nativePath(path).constData()) != 0)
            return lastError(path);
        return std::nullopt;
    }();
    if (error)
        ::unlink(temporaryName.constData());
    return error;
}

}  // namespace

std::optional<FileError> readAll(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    FileDescriptor file(::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    if (!file.isOpen())
        return lastError(path);
    struct stat info {};
    if (::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode))
        bytes.reserve(static_cast<qsizetype>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0)
            return std::nullopt;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            bytes.clear();
            return lastError(path);
        }
        bytes.append(buffer, got);
    }
}

bool entryExists(const QString& path)
{
    struct stat info {};
    return ::lstat(nativePath(path).constData(), &info) == 0;
}

Content wholly(const QByteArray& bytes)
{
    return [bytes, given = false]() mutable {
        const bool first = !given;
        given = true;
        return first ? QByteArrayView(bytes) : QByteArrayView();
    };
}

std::optional<FileError> replace(const QString& path, const Content& content)
{
    // A link is followed, so that the file it names gets the new content.
    const QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    struct stat existing {};
    if (::stat(nativePath(target).constData(), &existing) != 0)
        return errno == ENOENT ? replaceThroughTemporary(target, content, nullptr) : lastError(path);
    if (!S_ISREG(existing.st_mode))
        return replaceDirectly(target, content);
    if (auto error = checkWritable(target))
        return error;
    return replaceThroughTemporary(target, content, &existing);
}

std::optional<FileError> append(const QString& path, const Content& content)
{
    struct stat before {};
    const bool existed = ::stat(nativePath(path).constData(), &before) == 0;
    FileDescriptor file(::open(nativePath(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (!file.isOpen())
        return lastError(path);
    struct stat opened {};
    const bool regular = ::fstat(file.get(), &opened) == 0 && S_ISREG(opened.st_mode);
    auto error = writeContent(file.get(), content, path);
    if (error && regular) {
        if (existed)
            keepBestEffort(::ftruncate(file.get(), opened.st_size));
        else
            ::unlink(nativePath(path).constData());
    }
    if (!error && file.close() != 0)
        error = lastError(path);
    return error;
}

}  // namespace file_io

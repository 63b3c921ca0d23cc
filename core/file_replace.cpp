// Replacing a file's content while keeping what the user set up around it.
#include "file_io.h"
#include "file_io_internal.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace file_io {

using namespace internal;

namespace {

// A new file beside the target that becomes the target only once complete.
// It is unnamed where the file system allows (nothing is left behind if the
// program is killed), otherwise a short hidden name, removed on failure.
class Temporary {
public:
    static Temporary beside(const FilePath& target, std::optional<FileError>& error)
    {
        Temporary temporary;
        const FilePath folder = target.folder();
        temporary.file_ = FileDescriptor(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
        if (!temporary.isOpen() && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
            QByteArray name = hiddenName(folder) + "XXXXXX";
            temporary.file_ = FileDescriptor(::mkostemp(name.data(), O_CLOEXEC));
            if (temporary.isOpen()) {
                temporary.name_ = name;
                ::fchmod(temporary.fd(), modeForNewFile());
            }
        }
        if (!temporary.isOpen())
            error = lastError(target);
        return temporary;
    }

    Temporary() = default;
    Temporary(Temporary&&) = default;
    ~Temporary()
    {
        if (!name_.isEmpty())
            ::unlink(name_.constData());
    }

    int fd() const { return file_.get(); }
    bool isOpen() const { return file_.isOpen(); }

    // Puts the complete file in place of the target, or as the target where
    // there is none; false (errno set) when the folder does not let it.
    bool moveTo(const FilePath& target)
    {
        if (name_.isEmpty() && !giveName(target.folder()))
            return false;
        if (::rename(name_.constData(), target.c_str()) != 0)
            return false;
        name_.clear();
        return true;
    }

    // The complete content, read back from the start.
    Content contents() const
    {
        struct stat info {};
        ::fstat(fd(), &info);
        auto buffer = std::make_shared<QByteArray>(1 << 20, Qt::Uninitialized);
        return Content(info.st_size, [fd = fd(), buffer, offset = off_t(0)]() mutable {
            const ssize_t got = ::pread(fd, buffer->data(), size_t(buffer->size()), offset);
            offset += std::max<ssize_t>(got, 0);
            return QByteArrayView(buffer->constData(), std::max<ssize_t>(got, 0));
        });
    }

private:
    static QByteArray hiddenName(const FilePath& folder) { return folder.native() + "/.trumi-"; }

    static mode_t modeForNewFile()
    {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

    // An unnamed file gets a short hidden name (short, so that a target
    // named up to the longest name the system allows still works).
    bool giveName(const FilePath& folder)
    {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd());
        for (int attempt = 0; attempt < 10; ++attempt) {
            const QByteArray name = hiddenName(folder) + QByteArray::number(QRandomGenerator::global()->generate(), 36);
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    FileDescriptor file_;
    QByteArray name_;
};

bool isMemberOf(gid_t group)
{
    gid_t groups[256];
    const int count = ::getgroups(256, groups);
    return std::find(groups, groups + std::max(count, 0), group) != groups + std::max(count, 0);
}

// A rename keeps everything only for a file that has no other name, no ACL
// and no extended attribute, whose owner and group a new file can be given,
// in a folder that lets us make the new file.
bool renameKeepsEverything(int fd, const struct stat& info, const FilePath& target)
{
    const uid_t user = ::geteuid();
    const bool ownable = user == 0 || (info.st_uid == user && (info.st_gid == ::getegid() || isMemberOf(info.st_gid)));
    return info.st_nlink == 1 && ::flistxattr(fd, nullptr, 0) <= 0 && ownable &&
           ::faccessat(AT_FDCWD, target.folder().c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Makes sure the space for the new content is there before the first old
// byte is overwritten, without changing the file's length.
std::optional<FileError> reserve(int fd, qint64 size, const FilePath& target)
{
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0)
        return std::nullopt;
    if (errno == EOPNOTSUPP || errno == ENOSYS)
        return std::nullopt;  // nothing to reserve with; the write will tell
    return lastError(target);
}

std::optional<FileError> writeInPlace(FileDescriptor& file, const Content& content, const FilePath& target)
{
    const qint64 size = content.size();
    if (auto error = reserve(file.get(), size, target))
        return error;
    qint64 written = 0;
    if (::lseek(file.get(), 0, SEEK_SET) < 0)
        return lastError(target);
    if (auto error = writeContent(file.get(), content, target, &written))
        return error;
    if (written != size)  // the copy could not be read back whole
        return FileError::fromErrno(EIO, target);
    if (::ftruncate(file.get(), written) != 0 || ::fsync(file.get()) != 0 || file.close() != 0)
        return lastError(target);
    return std::nullopt;
}

std::optional<FileError> replaceThroughTemporary(FileDescriptor& file, const struct stat& info, const FilePath& target,
                                                 const Content& content)
{
    std::optional<FileError> error;
    Temporary temporary = Temporary::beside(target, error);
    // No new file can be made there (an immutable folder), or it cannot be
    // given the old owner: the file is written in place instead.
    if (error || ::fchown(temporary.fd(), info.st_uid, info.st_gid) != 0 ||
        ::fchmod(temporary.fd(), info.st_mode & 07777) != 0)
        return writeInPlace(file, content, target);
    if (auto writeError = writeContent(temporary.fd(), content, target))
        return writeError;
    if (::fsync(temporary.fd()) != 0)
        return lastError(target);
    if (temporary.moveTo(target))
        return std::nullopt;
    // The folder would not let the file be replaced (a file mounted over
    // another one, for instance): the complete copy is written in place.
    return writeInPlace(file, temporary.contents(), target);
}

std::optional<FileError> createNew(const FilePath& target, const Content& content)
{
    std::optional<FileError> error;
    Temporary temporary = Temporary::beside(target, error);
    if (error)
        return error;
    if (auto writeError = writeContent(temporary.fd(), content, target))
        return writeError;
    if (::fsync(temporary.fd()) != 0 || !temporary.moveTo(target))
        return lastError(target);
    return std::nullopt;
}

// A device, a pipe or a socket is written as any program writing to it
// would, without waiting for a reader.
std::optional<FileError> writeDirectly(const FilePath& target, const Content& content)
{
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen())
        return lastError(target);
    return writeAndClose(file, content, target);
}

}  // namespace

std::optional<FileError> replace(const FilePath& path, const Content& content)
{
    FilePath target;
    if (auto error = writeTarget(path, target))
        return error;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0)
        return errno == ENOENT ? createNew(target, content) : lastError(path);
    if (!S_ISREG(existing.st_mode))
        return writeDirectly(target, content);
    // Opening for writing is what tells a read-only file from a writable one.
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen())
        return lastError(target);
    if (renameKeepsEverything(file.get(), existing, target))
        return replaceThroughTemporary(file, existing, target, content);
    return writeInPlace(file, content, target);
}

}  // namespace file_io

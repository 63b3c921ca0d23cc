// Links on Linux and other POSIX systems: the program resolves a link itself
// (to replace the file it leads to), so it applies the kernel's rule on links
// in shared folders itself.
#include "file_system.h"

#include "file_error.h"

#include <cerrno>
#include <climits>
#if defined(Q_OS_LINUX)
#include <sys/fsuid.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace file_system {

namespace {

// The user the kernel checks file access for.
uid_t fileSystemUser()
{
#if defined(Q_OS_LINUX)
    return uid_t(::setfsuid(uid_t(-1)));  // an invalid id changes nothing and tells the current one
#else
    return ::geteuid();
#endif
}

// The kernel's rule on links in shared folders (fs.protected_symlinks): a
// link in a sticky folder that anyone may write is followed only by the
// link's owner, or where the link belongs to the folder's owner.
bool mayFollow(const FilePath& link, const struct stat& linkInfo)
{
    struct stat folder {};
    if (linkInfo.st_uid == fileSystemUser() || ::stat(link.folder().c_str(), &folder) != 0)
        return true;
    const bool shared = (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || folder.st_uid == linkInfo.st_uid;
}

}  // namespace

std::optional<FileError> followLinks(const FilePath& path, FilePath& target)
{
    target = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return std::nullopt;
        if (!mayFollow(target, info))
            return FileError::fromErrno(EACCES, path);
        QByteArray named(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(target.c_str(), named.data(), size_t(named.size()));
        if (length < 0 || length >= named.size())
            return lastError(path);
        named.truncate(length);
        const FilePath next = named.startsWith('/') ? FilePath::fromNative(named) : target.folder().childNative(named);
        // A link that names no entry although it leads to one (/dev/stdout,
        // /dev/fd/63 of a shell's pipe: the kernel's own links) is left for
        // the system to follow.
        if (::lstat(next.c_str(), &info) != 0 && ::stat(target.c_str(), &info) == 0)
            return std::nullopt;
        target = next;
    }
    return FileError::fromErrno(ELOOP, path);
}

}  // namespace file_system

// The system calls of file access on Linux and other POSIX systems.
#include "file_system.h"

#include "file_io_internal.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace file_system {

namespace {

int fd(const File& file) { return int(file.handle()); }

// Retries a call that a signal interrupted.
template <typename Call>
auto uninterrupted(Call call)
{
    for (;;) {
        const auto result = call();
        if (!(result < 0 && errno == EINTR))
            return result;
    }
}

Kind kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return Kind::Folder;
    if (S_ISREG(mode))
        return Kind::Regular;
    return S_ISFIFO(mode) ? Kind::Pipe : Kind::Other;
}

Facts factsFrom(const struct stat& info) { return {kindOf(info.st_mode), qint64(info.st_size), qint64(info.st_nlink)}; }

constexpr int kNoWait = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

}  // namespace

File::~File()
{
    if (isOpen())
        ::close(int(handle_));
}

bool File::close() { return ::close(int(std::exchange(handle_, kNone))) == 0; }

bool factsOfPath(const FilePath& path, Facts& facts)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    facts = factsFrom(info);
    return true;
}

bool factsOf(const File& file, Facts& facts)
{
    struct stat info {};
    if (::fstat(fd(file), &info) != 0)
        return false;
    facts = factsFrom(info);
    return true;
}

bool entryExists(const FilePath& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

File openForReading(const FilePath& path) { return File(::open(path.c_str(), O_RDONLY | kNoWait)); }

File openForWriting(const FilePath& path) { return File(::open(path.c_str(), O_WRONLY | kNoWait)); }

File openForAppending(const FilePath& path, bool& created)
{
    constexpr int flags = O_WRONLY | O_APPEND | kNoWait;
    for (int attempt = 0; attempt < 3; ++attempt) {
        File file(::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666));
        created = file.isOpen();
        if (created || errno != EEXIST)
            return file;
        File existing(::open(path.c_str(), flags));
        if (existing.isOpen() || errno != ENOENT)
            return existing;
    }
    return File();
}

bool waitForInput(const File& file)
{
    pollfd ready{fd(file), POLLIN, 0};
    if (uninterrupted([&ready] { return ::poll(&ready, 1, -1); }) < 0)
        return false;
    const int flags = ::fcntl(fd(file), F_GETFL);
    return flags >= 0 && ::fcntl(fd(file), F_SETFL, flags & ~O_NONBLOCK) == 0;
}

qint64 readSome(const File& file, char* into, qint64 most)
{
    return uninterrupted([&] { return ::read(fd(file), into, size_t(most)); });
}

qint64 readAt(const File& file, char* into, qint64 most, qint64 offset)
{
    return uninterrupted([&] { return ::pread(fd(file), into, size_t(most), off_t(offset)); });
}

qint64 writeSome(const File& file, const char* from, qint64 most)
{
    return uninterrupted([&] { return ::write(fd(file), from, size_t(most)); });
}

bool seekTo(const File& file, qint64 offset) { return ::lseek(fd(file), off_t(offset), SEEK_SET) >= 0; }

bool cutTo(const File& file, qint64 size) { return ::ftruncate(fd(file), off_t(size)) == 0; }

bool flush(const File& file) { return ::fsync(fd(file)) == 0; }

Reserved reserve(const File& file, qint64 size)
{
    if (::fallocate(fd(file), FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0)
        return Reserved::Yes;
    return errno == EOPNOTSUPP || errno == ENOSYS ? Reserved::Unsupported : Reserved::Failed;
}

Lock tryLock(const File& file)
{
    if (::flock(fd(file), LOCK_EX | LOCK_NB) == 0)
        return Lock::Taken;
    return errno == EWOULDBLOCK || errno == EINTR ? Lock::Busy : Lock::Unsupported;
}

SignalsHeld::SignalsHeld()
{
    static_assert(sizeof(sigset_t) <= sizeof previous_);
    sigset_t ending;
    sigemptyset(&ending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, reinterpret_cast<sigset_t*>(previous_));
}

SignalsHeld::~SignalsHeld() { pthread_sigmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(previous_), nullptr); }

namespace {

void ignoreBrokenPipes()
{
    static const bool ignored = std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    Q_UNUSED(ignored);
}

bool isMemberOf(gid_t group)
{
    gid_t groups[256];
    const int count = ::getgroups(256, groups);
    return std::find(groups, groups + std::max(count, 0), group) != groups + std::max(count, 0);
}

}  // namespace

File standardStream(int which)
{
    ignoreBrokenPipes();
    return File(which);
}

// A terminal takes UTF-8 bytes like any other file.
bool isConsole(const File&) { return false; }

bool writeConsole(const File&, QStringView) { return false; }

bool replaceClosedStream(int which)
{
    if (::fcntl(which, F_GETFD) >= 0 || errno != EBADF)
        return false;
    const int null = ::open("/dev/null", O_RDWR | O_NOCTTY);  // the lowest free number: this one
    if (null >= 0 && null != which) {
        ::dup2(null, which);
        ::close(null);
    }
    return true;
}

// From here on a pipe whose reader has gone is an ordinary error (EPIPE),
// not the end of the program.
std::optional<FileError> writeTarget(const FilePath& path, FilePath& target)
{
    if (path.isEmpty())
        return file_io::internal::folderNotFound();
    ignoreBrokenPipes();
    return followLinks(path, target);
}

// A rename keeps everything only for a file that has no other name, no ACL
// and no extended attribute, whose owner and group a new file can be given,
// in a folder that lets us make the new file.
bool renameKeepsEverything(const File& existing, const Facts& facts, const FilePath& target)
{
    struct stat info {};
    if (::fstat(fd(existing), &info) != 0)
        return false;
    const uid_t user = ::geteuid();
    const bool ownable = user == 0 || (info.st_uid == user && (info.st_gid == ::getegid() || isMemberOf(info.st_gid)));
    return facts.links == 1 && ::flistxattr(fd(existing), nullptr, 0) <= 0 && ownable &&
           ::faccessat(AT_FDCWD, target.folder().c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool takeOwnerAndMode(const File& temporary, const File& existing, const Facts&)
{
    struct stat info {};
    return ::fstat(fd(existing), &info) == 0 && ::fchown(fd(temporary), info.st_uid, info.st_gid) == 0 &&
           ::fchmod(fd(temporary), info.st_mode & 07777) == 0;
}

File createUnnamed(const FilePath& folder, Made& made)
{
    File file(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    const bool unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
    made = file.isOpen() ? Made::Yes : (unsupported ? Made::Unsupported : Made::Failed);
    return file;
}

File createNamed(const FilePath& name)
{
    return File(::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
}

bool giveName(const File& unnamed, const FilePath& name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd(unnamed));
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool putInPlace(File&, const FilePath& name, const FilePath& target, File*)
{
    return ::rename(name.c_str(), target.c_str()) == 0;
}

bool removeEntry(const FilePath& path) { return ::unlink(path.c_str()) == 0; }

void flushFolder(const FilePath& folder)
{
    const File file(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (file.isOpen())
        ::fsync(fd(file));
}

const bool kWritesOtherEntries = true;

}  // namespace file_system

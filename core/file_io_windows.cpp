// File access on Windows, with the promises file_io.h makes: paths in
// UTF-16, no wait on a device or a pipe, reads with a limit, and a replaced
// file that keeps what the user set up (ReplaceFileW keeps its attributes,
// ACLs and alternate streams; a file with a second name, or in a folder
// where no new file can be made, is written in place).
#include "file_io.h"
#include "program_folder.h"
#include "windows_system.h"

#include <QDir>
#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <thread>

#include <windows.h>

namespace windows_system {

std::wstring wideOf(const FilePath& path) { return QDir::toNativeSeparators(path.display()).toStdWString(); }

namespace {

int errnoOf(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

QString descriptionOf(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString description = QString::fromWCharArray(text, qsizetype(length)).trimmed();
    ::LocalFree(text);
    return description.isEmpty() ? QStringLiteral("Windows error %1").arg(code) : description;
}

}  // namespace

FileError errorOf(unsigned long code, const FilePath& path)
{
    return {errnoOf(code), FileProblem::System, path.display(), descriptionOf(code)};
}

FileError lastError(const FilePath& path) { return errorOf(::GetLastError(), path); }

}  // namespace windows_system

namespace file_io {

using namespace windows_system;

namespace {

// A handle that is closed when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (isOpen())
            ::CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A name that Windows takes as a device wherever it stands (CON, NUL,
// COM1.txt, ...) or a path in the device namespace (\\.\pipe\name): such a
// name is never opened as a file, so nothing waits on it.
bool namesDevice(const FilePath& path)
{
    const QString text = QDir::fromNativeSeparators(path.display());
    if (text.startsWith(QLatin1String("//./")) || text.startsWith(QLatin1String("//?/pipe/"), Qt::CaseInsensitive))
        return true;
    const QString name = text.section(u'/', -1).section(u'.', 0, 0).trimmed().toUpper();
    static const QStringList devices = {u"CON"_qs, u"PRN"_qs, u"AUX"_qs, u"NUL"_qs, u"CONIN$"_qs, u"CONOUT$"_qs};
    const bool numbered =
        name.size() == 4 && (name.startsWith(u"COM"_qs) || name.startsWith(u"LPT"_qs)) && name[3].isDigit();
    return devices.contains(name) || numbered;
}

FileError folderNotFound() { return programFolderNotFound(); }

Handle openFile(const FilePath& path, DWORD access, DWORD disposition, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    return Handle(::CreateFileW(wideOf(path).c_str(), access, kShareAll, nullptr, disposition, attributes, nullptr));
}

std::optional<FileError> writeAll(HANDLE file, QByteArrayView bytes, const FilePath& path)
{
    while (!bytes.isEmpty()) {
        const DWORD chunk = DWORD(std::min<qsizetype>(bytes.size(), 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return lastError(path);
        bytes = bytes.sliced(written);
    }
    return std::nullopt;
}

std::optional<FileError> writeContent(HANDLE file, const Content& content, const FilePath& path,
                                      qint64* written = nullptr)
{
    for (QByteArrayView piece = content.next(); !piece.isEmpty(); piece = content.next()) {
        if (auto error = writeAll(file, piece, path))
            return error;
        if (written)
            *written += piece.size();
    }
    return std::nullopt;
}

bool seekTo(HANDLE file, qint64 offset)
{
    LARGE_INTEGER position;
    position.QuadPart = offset;
    return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != 0;
}

qint64 sizeOf(HANDLE file)
{
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(file, &size) ? size.QuadPart : -1;
}

// The file's final path, every link on the way followed, for the calls that
// take a name (ReplaceFileW would otherwise replace the link itself).
FilePath finalPathOf(HANDLE file, const FilePath& fallback)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file, path.data(), DWORD(path.size()), FILE_NAME_NORMALIZED);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(file, path.data(), DWORD(path.size()), FILE_NAME_NORMALIZED);
    }
    if (length == 0 || length >= path.size())
        return fallback;
    return FilePath(QString::fromWCharArray(path.data(), qsizetype(length)));
}

// The content read back, a megabyte at a time, from the start of the file.
Content contentsOf(HANDLE file)
{
    auto buffer = std::make_shared<QByteArray>(1 << 20, Qt::Uninitialized);
    const qint64 size = sizeOf(file);
    seekTo(file, 0);
    return Content(size, [file, buffer]() {
        DWORD got = 0;
        if (!::ReadFile(file, buffer->data(), DWORD(buffer->size()), &got, nullptr))
            got = 0;
        return QByteArrayView(buffer->constData(), qsizetype(got));
    });
}

// Reserves the space of the new content before an old byte is overwritten,
// so that a full disk is found while the old content is whole.
std::optional<FileError> reserve(HANDLE file, qint64 size, const FilePath& path)
{
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = size;
    if (size == 0 || ::SetFileInformationByHandle(file, FileAllocationInfo, &allocation, sizeof allocation))
        return std::nullopt;
    const DWORD code = ::GetLastError();
    if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL)
        return errorOf(code, path);
    return std::nullopt;  // a file system that cannot reserve: the write will tell
}

std::optional<FileError> writeInPlace(HANDLE file, const Content& content, const FilePath& path)
{
    const qint64 size = content.size();
    if (auto error = reserve(file, size, path))
        return error;
    qint64 written = 0;
    if (!seekTo(file, 0))
        return lastError(path);
    if (auto error = writeContent(file, content, path, &written))
        return error;
    if (written != size)  // the copy could not be read back whole
        return FileError::fromErrno(EIO, path);
    if (!::SetEndOfFile(file) || !::FlushFileBuffers(file))
        return lastError(path);
    return std::nullopt;
}

// A new hidden file beside the target, removed unless it became the target.
class Temporary {
public:
    explicit Temporary(const FilePath& target)
    {
        for (int attempt = 0; attempt < 10 && !file_.isOpen(); ++attempt) {
            path_ = target.folder().child(QStringLiteral(".trumi-") +
                                          QString::number(QRandomGenerator::global()->generate(), 36));
            file_ = openFile(path_, GENERIC_READ | GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN);
            if (!file_.isOpen() && ::GetLastError() != ERROR_FILE_EXISTS)
                break;
        }
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary()
    {
        file_ = Handle();
        if (!kept_)
            ::DeleteFileW(wideOf(path_).c_str());
    }
    HANDLE get() const { return file_.get(); }
    bool isOpen() const { return file_.isOpen(); }

    // Closes the complete file and puts it in the target's place, the
    // target's attributes, ACLs and streams kept; or makes it the target.
    bool moveTo(const FilePath& target, bool replacing)
    {
        if (!::FlushFileBuffers(file_.get()) || !file_.close())
            return false;
        const std::wstring from = wideOf(path_), to = wideOf(target);
        kept_ = replacing ? ::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                           nullptr) != 0
                          : ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
        return kept_;
    }

    // Opens the closed file again, to read it back.
    Handle reopen() const { return openFile(path_, GENERIC_READ, OPEN_EXISTING); }

private:
    FilePath path_;
    Handle file_;
    bool kept_ = false;
};

std::optional<FileError> replaceExisting(Handle& file, const FilePath& target, const Content& content)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info))
        return lastError(target);
    // A file with a second name is written in place, so that both names
    // keep showing the same file.
    if (info.nNumberOfLinks != 1)
        return writeInPlace(file.get(), content, target);
    Temporary temporary(target);
    if (!temporary.isOpen())
        return writeInPlace(file.get(), content, target);
    if (auto error = writeContent(temporary.get(), content, target))
        return error;
    file = Handle();  // ReplaceFileW needs the target closed
    if (temporary.moveTo(target, true))
        return std::nullopt;
    // The folder would not let the file be replaced: the complete copy is
    // written in place.
    const DWORD refused = ::GetLastError();
    file = openFile(target, GENERIC_WRITE, OPEN_EXISTING);
    const Handle copy = temporary.reopen();
    if (!file.isOpen() || !copy.isOpen())
        return errorOf(refused, target);
    return writeInPlace(file.get(), contentsOf(copy.get()), target);
}

std::optional<FileError> createNew(const FilePath& target, const Content& content)
{
    Temporary temporary(target);
    if (!temporary.isOpen())
        return lastError(target);
    if (auto error = writeContent(temporary.get(), content, target))
        return error;
    if (!temporary.moveTo(target, false))
        return lastError(target);
    return std::nullopt;
}

// Reads straight into the bytes, to the limit.
std::optional<FileError> readAtMost(HANDLE file, qint64 limit, QByteArray& bytes, const FilePath& path)
{
    for (;;) {
        if (bytes.size() == bytes.capacity())
            bytes.reserve(bytes.size() + 65536);
        const qsizetype had = bytes.size();
        bytes.resize(bytes.capacity());
        DWORD got = 0;
        const bool ok = ::ReadFile(file, bytes.data() + had, DWORD(bytes.size() - had), &got, nullptr);
        bytes.resize(had + qsizetype(got));
        if (ok && got == 0)
            return std::nullopt;
        if (!ok || bytes.size() > limit) {
            const FileError error = ok ? FileError::tooLarge(path) : lastError(path);
            bytes.clear();
            return error;
        }
    }
}

// Another program appending holds the lock for as long as its write takes;
// one that holds it longer than this is reported instead of waited for.
constexpr auto kLockWait = std::chrono::seconds(5);

std::optional<FileError> lockExclusively(HANDLE file, const FilePath& path)
{
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        OVERLAPPED whole{};
        if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole))
            return std::nullopt;
        if (::GetLastError() != ERROR_LOCK_VIOLATION)
            return std::nullopt;  // a file system without locks: written without one
        if (std::chrono::steady_clock::now() > deadline)
            return FileError::of(FileProblem::BeingWritten, EWOULDBLOCK, path);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Takes back what an append added: the file is cut to where the append
// began, or removed when the append created it.
void takeBack(Handle& file, qint64 start, bool created, const FilePath& target)
{
    if (!created) {
        if (seekTo(file.get(), start))
            ::SetEndOfFile(file.get());
        return;
    }
    file = Handle();
    ::DeleteFileW(wideOf(target).c_str());
}

// The read-only attribute is checked here as well as by the system, which
// does not always enforce it (Wine running as root).
std::optional<FileError> checkWritable(const FilePath& path)
{
    if (path.isEmpty())
        return folderNotFound();
    if (namesDevice(path))
        return FileError::notRegularFile(path);
    const DWORD attributes = ::GetFileAttributesW(wideOf(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileError::fromErrno(EISDIR, path);
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return errorOf(ERROR_ACCESS_DENIED, path);
    return std::nullopt;
}

}  // namespace

bool entryExists(const FilePath& path)
{
    return !path.isEmpty() && ::GetFileAttributesW(wideOf(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<FileError> readFile(const FilePath& path, QByteArray& bytes)
{
    bytes.clear();
    if (path.isEmpty())
        return folderNotFound();
    if (namesDevice(path))
        return FileError::notRegularFile(path);
    // FILE_FLAG_BACKUP_SEMANTICS opens a folder too, so that it is told
    // apart from a missing file.
    const Handle file = openFile(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.isOpen() || !::GetFileInformationByHandle(file.get(), &info))
        return lastError(path);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileError::fromErrno(EISDIR, path);
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return FileError::notRegularFile(path);
    const qint64 size = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > kLargestRead)
        return FileError::tooLarge(path);
    bytes.reserve(qsizetype(size) + 1);
    return readAtMost(file.get(), kLargestRead, bytes, path);
}

std::optional<FileError> replace(const FilePath& path, const Content& content)
{
    if (auto error = checkWritable(path))
        return error;
    Handle file = openFile(path, GENERIC_WRITE | GENERIC_READ, OPEN_EXISTING);
    if (!file.isOpen()) {
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_NOT_FOUND)
            return errorOf(code, path);
        return createNew(path, content);
    }
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return FileError::notRegularFile(path);
    const FilePath target = finalPathOf(file.get(), path);
    if (auto error = replaceExisting(file, target, content))
        return FileError{error->number, error->problem, path.display(), error->systemText};
    return std::nullopt;
}

std::optional<FileError> append(const FilePath& path, const Content& content)
{
    if (auto error = checkWritable(path))
        return error;
    Handle file = openFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (!file.isOpen())
        return lastError(path);
    const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return FileError::notRegularFile(path);
    if (auto error = lockExclusively(file.get(), path)) {
        takeBack(file, 0, created, path);
        return error;
    }
    const qint64 start = sizeOf(file.get());  // under the lock: where this append begins
    std::optional<FileError> error;
    if (start < 0 || !seekTo(file.get(), start))
        error = lastError(path);
    if (!error)
        error = writeContent(file.get(), content, path);
    if (!error && !::FlushFileBuffers(file.get()))
        error = lastError(path);
    if (error)
        takeBack(file, std::max<qint64>(start, 0), created, path);
    return error;
}

}  // namespace file_io

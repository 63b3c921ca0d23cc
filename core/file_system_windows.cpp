// The system calls of file access on Windows: paths in UTF-16, no wait on a
// device or a pipe, and a replaced file that keeps its attributes, ACLs and
// alternate streams (ReplaceFileW).
#include "file_system.h"

#include "file_io_internal.h"
#include "windows_system.h"

#include <QDir>
#include <QStringList>

#include <cerrno>

#include <windows.h>

namespace file_system {

using windows_system::wideOf;

namespace {

HANDLE handleOf(const File& file) { return reinterpret_cast<HANDLE>(file.handle()); }

File fileOf(HANDLE handle) { return File(reinterpret_cast<File::Handle>(handle)); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

File open(const FilePath& path, DWORD access, DWORD disposition, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    return fileOf(::CreateFileW(wideOf(path).c_str(), access, kShareAll, nullptr, disposition, attributes, nullptr));
}

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

DWORD chunkOf(qint64 most) { return DWORD(std::min<qint64>(most, qint64(1) << 30)); }

// The file's final path, every link on the way followed, for the calls that
// take a name (ReplaceFileW would otherwise replace the link itself).
FilePath finalPathOf(const File& file, const FilePath& fallback)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handleOf(file), path.data(), DWORD(path.size()), FILE_NAME_NORMALIZED);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handleOf(file), path.data(), DWORD(path.size()), FILE_NAME_NORMALIZED);
    }
    if (length == 0 || length >= path.size())
        return fallback;
    return FilePath(QString::fromWCharArray(path.data(), qsizetype(length)));
}

}  // namespace

File::~File()
{
    if (isOpen())
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool File::close() { return ::CloseHandle(reinterpret_cast<HANDLE>(std::exchange(handle_, kNone))) != 0; }

bool factsOfPath(const FilePath& path, Facts& facts)
{
    if (namesDevice(path)) {
        facts = {Kind::Other, 0, 1};
        return true;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wideOf(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    const Kind kind = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? Kind::Folder : Kind::Regular;
    facts = {kind, (qint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow, 1};
    return true;
}

bool factsOf(const File& file, Facts& facts)
{
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD type = ::GetFileType(handleOf(file));
    if (type != FILE_TYPE_DISK) {
        facts = {type == FILE_TYPE_PIPE ? Kind::Pipe : Kind::Other, 0, 1};
        return true;
    }
    if (!::GetFileInformationByHandle(handleOf(file), &info))
        return false;
    const Kind kind = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? Kind::Folder : Kind::Regular;
    facts = {kind, (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow, qint64(info.nNumberOfLinks)};
    return true;
}

bool entryExists(const FilePath& path) { return ::GetFileAttributesW(wideOf(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

File standardStream(int which)
{
    static const DWORD kStreams[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    const HANDLE handle = ::GetStdHandle(kStreams[which]);
    return fileOf(handle ? handle : INVALID_HANDLE_VALUE);
}

bool isConsole(const File& file)
{
    DWORD mode = 0;
    return ::GetConsoleMode(handleOf(file), &mode) != 0;
}

// The console's own code page (850, 437) cannot hold every letter: it is
// given the text in UTF-16.
bool writeConsole(const File& file, QStringView text)
{
    while (!text.isEmpty()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<qsizetype>(text.size(), 8192));
        if (!::WriteConsoleW(handleOf(file), text.utf16(), chunk, &written, nullptr) || written == 0)
            return false;
        text = text.sliced(written);
    }
    return true;
}

// A Windows program without a stream has no handle for it, and opens no
// file in its place.
bool replaceClosedStream(int which)
{
    static const DWORD kStreams[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    const HANDLE handle = ::GetStdHandle(kStreams[which]);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

// FILE_FLAG_BACKUP_SEMANTICS opens a folder too, so that it is told apart
// from a missing file.
File openForReading(const FilePath& path)
{
    return open(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
}

File openForWriting(const FilePath& path) { return open(path, GENERIC_WRITE | GENERIC_READ, OPEN_EXISTING); }

File openForAppending(const FilePath& path, bool& created)
{
    File file = open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    created = file.isOpen() && ::GetLastError() != ERROR_ALREADY_EXISTS;
    return file;
}

bool waitForInput(const File&) { return true; }  // a read of a pipe waits by itself

qint64 readSome(const File& file, char* into, qint64 most)
{
    DWORD got = 0;
    if (::ReadFile(handleOf(file), into, chunkOf(most), &got, nullptr))
        return qint64(got);
    return ::GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;  // a pipe's writer has gone: its end
}

qint64 readAt(const File& file, char* into, qint64 most, qint64 offset)
{
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD got = 0;
    if (::ReadFile(handleOf(file), into, chunkOf(most), &got, &at))
        return qint64(got);
    return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
}

qint64 writeSome(const File& file, const char* from, qint64 most)
{
    DWORD written = 0;
    return ::WriteFile(handleOf(file), from, chunkOf(most), &written, nullptr) ? qint64(written) : -1;
}

bool seekTo(const File& file, qint64 offset)
{
    LARGE_INTEGER position;
    position.QuadPart = offset;
    return ::SetFilePointerEx(handleOf(file), position, nullptr, FILE_BEGIN) != 0;
}

bool cutTo(const File& file, qint64 size) { return seekTo(file, size) && ::SetEndOfFile(handleOf(file)); }

bool flush(const File& file) { return ::FlushFileBuffers(handleOf(file)) != 0; }

Reserved reserve(const File& file, qint64 size)
{
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = size;
    if (::SetFileInformationByHandle(handleOf(file), FileAllocationInfo, &allocation, sizeof allocation))
        return Reserved::Yes;
    const DWORD code = ::GetLastError();
    return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL ? Reserved::Failed : Reserved::Unsupported;
}

Lock tryLock(const File& file)
{
    OVERLAPPED whole{};
    if (::LockFileEx(handleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                     &whole))
        return Lock::Taken;
    return ::GetLastError() == ERROR_LOCK_VIOLATION ? Lock::Busy : Lock::Unsupported;
}

SignalsHeld::SignalsHeld() = default;  // no signal ends a Windows program halfway through a write
SignalsHeld::~SignalsHeld() = default;

std::optional<FileError> followLinks(const FilePath& path, FilePath& target)
{
    target = path;  // Windows follows links by itself when a file is opened
    return std::nullopt;
}

// The read-only attribute is checked here as well as by the system, which
// does not always enforce it (Wine running as root).
std::optional<FileError> writeTarget(const FilePath& path, FilePath& target)
{
    target = path;
    if (path.isEmpty())
        return file_io::internal::folderNotFound();
    if (namesDevice(path))
        return FileError::notRegularFile(path);
    const DWORD attributes = ::GetFileAttributesW(wideOf(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileError::isFolder(path);
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return windows_system::errorOf(ERROR_ACCESS_DENIED, path);
    return std::nullopt;
}

// A file with a second name is written in place, so that both names keep
// showing the same file; ReplaceFileW keeps everything else.
bool renameKeepsEverything(const File&, const Facts& facts, const FilePath&) { return facts.links == 1; }

bool takeOwnerAndMode(const File&, const File&, const Facts&) { return true; }

File createUnnamed(const FilePath&, Made& made)
{
    made = Made::Unsupported;
    return File();
}

File createNamed(const FilePath& name)
{
    return open(name, GENERIC_READ | GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN);
}

bool giveName(const File&, const FilePath&)
{
    ::SetLastError(ERROR_NOT_SUPPORTED);
    return false;
}

// ReplaceFileW needs both files closed; where it fails, the new file is
// opened again to be read back.
bool putInPlace(File& file, const FilePath& name, const FilePath& target, File* existing)
{
    if (!file.close())
        return false;
    const std::wstring from = wideOf(name);
    bool placed = false;
    if (existing) {
        const FilePath final = existing->isOpen() ? finalPathOf(*existing, target) : target;
        *existing = File();
        placed = ::ReplaceFileW(wideOf(final).c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                nullptr) != 0;
    } else {
        placed = ::MoveFileExW(from.c_str(), wideOf(target).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!placed) {
        const DWORD refused = ::GetLastError();
        file = open(name, GENERIC_READ, OPEN_EXISTING);
        ::SetLastError(refused);
    }
    return placed;
}

bool removeEntry(const FilePath& path) { return ::DeleteFileW(wideOf(path).c_str()) != 0; }

void flushFolder(const FilePath&) {}  // MOVEFILE_WRITE_THROUGH and ReplaceFileW leave the name written

const bool kWritesOtherEntries = false;

}  // namespace file_system

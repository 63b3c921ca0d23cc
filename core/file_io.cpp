// File access: reading, and what replacing and appending share with it,
// the same on every system over the calls of file_system.h.
#include "file_io.h"
#include "file_io_internal.h"
#include "program_folder.h"

#include <cerrno>
#include <chrono>
#include <thread>

namespace file_io {

Content Content::wholly(const QByteArray& bytes)
{
    return Content(bytes.size(), [bytes, given = false]() mutable {
        const bool first = !given;
        given = true;
        return first ? QByteArrayView(bytes) : QByteArrayView();
    });
}

namespace internal {

using namespace file_system;

FileError folderNotFound() { return programFolderNotFound(); }

std::optional<FileError> writeAll(const File& file, QByteArrayView bytes, const FilePath& path)
{
    while (!bytes.isEmpty()) {
        const qint64 written = writeSome(file, bytes.data(), bytes.size());
        if (written < 0)
            return lastError(path);
        bytes = bytes.sliced(written);
    }
    return std::nullopt;
}

std::optional<FileError> writeContent(const File& file, const Content& content, const FilePath& path, qint64* written)
{
    for (QByteArrayView piece = content.next(); !piece.isEmpty(); piece = content.next()) {
        if (auto error = writeAll(file, piece, path))
            return error;
        if (written)
            *written += piece.size();
    }
    return content.failure();
}

std::optional<FileError> writeAndClose(File& file, const Content& content, const FilePath& path)
{
    if (auto error = writeContent(file, content, path))
        return error;
    if (!file.close())
        return lastError(path);
    return std::nullopt;
}

// Another program holds the lock for as long as its write takes; one that
// holds it longer than this is reported instead of waited for.
constexpr auto kLockWait = std::chrono::seconds(5);

std::optional<FileError> lockExclusively(const File& file, const FilePath& path)
{
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        const Lock lock = tryLock(file);
        if (lock != Lock::Busy)
            return std::nullopt;  // taken, or a file system without locks: written without one
        if (std::chrono::steady_clock::now() > deadline)
            return FileError::beingWritten(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Content contentsOf(const File& file)
{
    Facts facts;
    factsOf(file, facts);
    auto buffer = std::make_shared<QByteArray>(1 << 20, Qt::Uninitialized);
    return Content(facts.size, [&file, buffer, offset = qint64(0)]() mutable {
        const qint64 got = std::max<qint64>(readAt(file, buffer->data(), buffer->size(), offset), 0);
        offset += got;
        return QByteArrayView(buffer->constData(), got);
    });
}

}  // namespace internal

using namespace internal;
using namespace file_system;

namespace {

// Only a regular file of a size the program reads is read (or a pipe, where
// the reader may wait for it).
std::optional<FileError> checkReadable(const Facts& facts, const FilePath& path, Pipes pipes)
{
    if (facts.kind == Kind::Folder)
        return FileError::isFolder(path);
    if (facts.kind == Kind::Pipe && pipes == Pipes::Read)
        return std::nullopt;
    if (facts.kind != Kind::Regular)
        return FileError::notRegularFile(path);
    if (facts.size > kLargestRead)
        return FileError::tooLarge(path);
    return std::nullopt;
}

// Reads straight into the bytes' spare room, growing it only where the file
// holds more than it had room for.
std::optional<FileError> readAtMost(const File& file, qint64 limit, QByteArray& bytes, const FilePath& path)
{
    for (;;) {
        if (bytes.size() == bytes.capacity())
            bytes.reserve(bytes.size() + 65536);
        const qsizetype had = bytes.size();
        bytes.resize(bytes.capacity());
        const qint64 got = readSome(file, bytes.data() + had, bytes.size() - had);
        if (got < 0) {
            const FileError error = lastError(path);
            bytes.clear();
            return error;
        }
        bytes.resize(had + got);
        if (got == 0)
            return std::nullopt;
        if (bytes.size() > limit) {
            bytes.clear();
            return FileError::tooLarge(path);
        }
    }
}

}  // namespace

bool entryExists(const FilePath& path) { return !path.isEmpty() && file_system::entryExists(path); }

namespace {

bool& closedAtStart(int stream)
{
    static bool closed[3] = {};
    return closed[stream];
}

// A standard stream is the process's, and stays open.
template <typename Use>
std::optional<FileError> withStandardStream(int stream, Use use)
{
    if (closedAtStart(stream))
        return FileError::streamClosed(stream);
    File file = standardStream(stream);
    auto error = use(file, FilePath(QStringLiteral("-")));
    file.release();
    return error;
}

}  // namespace

std::optional<FileError> writeStandardText(int stream, const QString& text)
{
    return withStandardStream(stream, [&text](const File& output, const FilePath& name) -> std::optional<FileError> {
        if (isConsole(output))
            return writeConsole(output, text) ? std::nullopt : std::optional(lastError(name));
        return writeAll(output, text.toUtf8(), name);
    });
}

void claimStandardStreams()
{
    for (int stream = 0; stream < 3; ++stream)
        closedAtStart(stream) = replaceClosedStream(stream);
}

std::optional<FileError> readStandardInput(QByteArray& bytes)
{
    bytes.clear();
    return withStandardStream(
        0, [&bytes](const File& input, const FilePath& name) { return readAtMost(input, kLargestRead, bytes, name); });
}

std::optional<FileError> writeStandard(int stream, QByteArrayView bytes)
{
    return withStandardStream(
        stream, [bytes](const File& output, const FilePath& name) { return writeAll(output, bytes, name); });
}

namespace {

// Opens a file to be read under readFile's rules.
std::optional<FileError> openToRead(const FilePath& path, Pipes pipes, File& file, Facts& facts)
{
    if (path.isEmpty())
        return folderNotFound();
    // The links on the way are only checked: the system follows them when
    // the file is opened, its own links (/dev/fd/63) included.
    FilePath target;
    if (auto error = followLinks(path, target))
        return error;
    // Looked at before it is opened, so that a pipe or a device is never
    // opened at all, and again once open, in case it changed in between.
    if (!factsOfPath(path, facts))
        return lastError(path);
    if (auto error = checkReadable(facts, path, pipes))
        return error;
    file = openForReading(path);
    if (!file.isOpen() || !factsOf(file, facts))
        return lastError(path);
    return checkReadable(facts, path, pipes);
}

}  // namespace

std::optional<FileError> readFile(const FilePath& path, QByteArray& bytes, Pipes pipes)
{
    bytes.clear();
    File file;
    Facts facts;
    if (auto error = openToRead(path, pipes, file, facts))
        return error;
    if (facts.kind == Kind::Pipe && !waitForInput(file))
        return lastError(path);
    bytes.reserve(qsizetype(facts.size) + 1);  // room to find the end without growing
    return readAtMost(file, kLargestRead, bytes, path);
}

struct FilePieces::Opened {
    File file;
    FilePath path;
};

FilePieces::FilePieces(std::unique_ptr<Opened> opened) : opened_(std::move(opened)) {}
FilePieces::FilePieces(FilePieces&&) noexcept = default;
FilePieces& FilePieces::operator=(FilePieces&&) noexcept = default;
FilePieces::~FilePieces() = default;

std::optional<FileError> FilePieces::open(const FilePath& path, std::optional<FilePieces>& pieces)
{
    pieces.reset();
    File file;
    Facts facts;
    if (!factsOfPath(path, facts) || facts.kind != Kind::Pipe) {
        if (auto error = openToRead(path, Pipes::Refused, file, facts))
            return error;
        pieces.emplace(FilePieces(std::make_unique<Opened>(Opened{std::move(file), path})));
    }
    return std::nullopt;
}

qint64 FilePieces::readAt(char* into, qint64 most, qint64 offset)
{
    // The file may have grown since it was opened: no more than the limit.
    most = std::min(most, kLargestRead + 1 - offset);
    const qint64 got = most > 0 ? file_system::readAt(opened_->file, into, most, offset) : 0;
    if (got < 0)
        error_ = lastError(opened_->path);
    else if (offset + got > kLargestRead)
        error_ = FileError::tooLarge(opened_->path);
    return error_ ? -1 : got;
}

std::optional<FileError> fitsReading(qint64 size, const FilePath& path)
{
    if (size > kLargestRead)
        return FileError::tooLarge(path);
    return std::nullopt;
}

}  // namespace file_io

// Appending: the single-language release adds each document after the
// file's content, the same on every system over the calls of file_system.h.
#include "file_io.h"
#include "file_io_internal.h"

namespace file_io {

using namespace internal;
using namespace file_system;

namespace {

// Takes back what this append added: the file is cut to where the append
// began, or removed when the append created it (removed while still locked,
// so that no other program appends to it in between).
void takeBack(File& file, qint64 start, bool created, const FilePath& target)
{
    if (created)
        removeEntry(target);
    else
        cutTo(file, start);  // on failure, the write's own error is the one the user hears of
    file = File();
}

// A failed close leaves no file open to cut: it is opened and locked again,
// and cut back only while nothing was appended after this append.
void takeBackAfterClose(const FilePath& target, qint64 start, qint64 written, bool created)
{
    File file = openForWriting(target);
    Facts facts;
    if (!file.isOpen() || lockExclusively(file, target) || !factsOf(file, facts) || facts.size != start + written)
        return;
    takeBack(file, start, created, target);
}

std::optional<FileError> appendToRegularFile(File& file, bool created, const FilePath& target, const Content& content)
{
    if (auto error = lockExclusively(file, target)) {
        takeBack(file, 0, created, target);
        return error;
    }
    Facts facts;  // under the lock: where this append begins
    if (!factsOf(file, facts) || !seekTo(file, facts.size))
        return lastError(target);
    const qint64 start = facts.size;
    qint64 written = 0;
    auto error = writeContent(file, content, target, &written);
    if (!error && !flush(file))
        error = lastError(target);
    if (error) {
        takeBack(file, start, created, target);
        return error;
    }
    if (!file.close()) {
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
    File file = openForAppending(target, created);
    Facts facts;
    if (!file.isOpen() || !factsOf(file, facts))
        return lastError(path);
    if (facts.kind == Kind::Regular)
        return appendToRegularFile(file, created, target, content);
    if (!kWritesOtherEntries)
        return FileError::notRegularFile(path);
    return writeAndClose(file, content, target);  // a device or a pipe, written as it is
}

}  // namespace file_io

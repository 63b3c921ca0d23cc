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

// Whether the file's last byte ends a line (an empty file has no line to
// end; a file this program may write but not read is left as it is). The
// file is opened for appending only, so that a pipe's writer is never its
// own reader: it is read through a second opening.
bool endsLine(const FilePath& target, qint64 size)
{
    const File reading = size == 0 ? File() : openForReading(target);
    char last = '\n';
    return size == 0 || readAt(reading, &last, 1, size - 1) != 1 || last == '\n' || last == '\r';
}

// Where this append begins, under the lock: the file's end. The file may not
// grow past what the program reads back.
std::optional<FileError> findStart(const File& file, const Content& content, const FilePath& target, qint64& start)
{
    Facts facts;
    if (!factsOf(file, facts) || !seekTo(file, facts.size))
        return lastError(target);
    start = facts.size;
    return fitsReading(start + content.size() + 2, target);
}

std::optional<FileError> appendToRegularFile(File& file, bool created, const FilePath& target, const Content& content,
                                             Start where)
{
    qint64 start = 0;
    auto error = lockExclusively(file, target);
    if (!error)
        error = findStart(file, content, target, start);
    if (error) {
        takeBack(file, start, created, target);
        return error;
    }
    const SignalsHeld held;
    qint64 written = 0;
    if (where == Start::OnItsOwnLine && !endsLine(target, start)) {
        error = writeAll(file, "\r\n", target);
        written = error ? 0 : 2;
    }
    if (!error)
        error = writeContent(file, content, target, &written);
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

std::optional<FileError> append(const FilePath& path, const Content& content, Start start)
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
        return appendToRegularFile(file, created, target, content, start);
    if (!kWritesOtherEntries)
        return FileError::notRegularFile(path);
    return writeAndClose(file, content, target);  // a device or a pipe, written as it is
}

}  // namespace file_io

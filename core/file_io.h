#pragma once

#include "file_error.h"
#include "file_path.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <optional>

// File access that reports the system's error number, never blocks, never
// reads without a limit, and keeps what the user set up around a file it
// replaces. Qt's file classes hide errno (and QSaveFile would put a regular
// file in place of a device or a link), so these go to the system calls.
namespace file_io {

// The most a file read by this program may hold: the settings files and the
// documents it opens. No real one comes near; a larger file is too large.
inline constexpr qint64 kLargestRead = qint64(64) * 1024 * 1024;

// A file's new content, handed over a piece at a time so that a large
// document never has to stand whole in memory: each call of next() gives
// the next piece, and an empty piece ends the content. Its size can be
// asked beforehand (it is worked out only when asked), so that the space
// can be reserved before a byte is written in place.
//
// Content made as it is written (from another file, or encoded from texts)
// may fail to be made: its failure, asked once the last piece is given,
// stops the write as a failed write would. Working out its size takes a pass
// of its own, so a file written through a temporary is measured as it is
// written instead (sizeCostly).
class Content {
public:
    using Pieces = std::function<QByteArrayView()>;
    using Size = std::function<qint64()>;
    using Failure = std::function<std::optional<FileError>()>;
    Content(qint64 size, Pieces pieces) : Content([size] { return size; }, std::move(pieces)) {}
    Content(Size size, Pieces pieces) : size_(std::move(size)), pieces_(std::move(pieces)) {}
    Content(Size size, Pieces pieces, Failure failure)
        : size_(std::move(size)), pieces_(std::move(pieces)), failure_(std::move(failure)), sizeCostly_(true)
    {
    }

    // The content that is bytes, in one piece.
    static Content wholly(const QByteArray& bytes);

    qint64 size() const { return size_(); }
    QByteArrayView next() const { return pieces_(); }
    std::optional<FileError> failure() const { return failure_ ? failure_() : std::nullopt; }
    bool sizeCostly() const { return sizeCostly_; }

private:
    Size size_;
    Pieces pieces_;
    Failure failure_;
    bool sizeCostly_ = false;
};

// A regular file read a piece at a time, from any place and as often as its
// reader likes, under readFile's rules and limit; never held whole.
class FilePieces {
public:
    FilePieces(FilePieces&&) noexcept;
    FilePieces& operator=(FilePieces&&) noexcept;
    ~FilePieces();

    // Opens the file. A pipe, which can be read only once, is not opened:
    // pieces is then left empty and the pipe is for readFile.
    [[nodiscard]] static std::optional<FileError> open(const FilePath& path, std::optional<FilePieces>& pieces);

    // Reads up to most bytes from offset into into; how many were read (0
    // at the end), or -1 with the error in error().
    qint64 readAt(char* into, qint64 most, qint64 offset);
    const std::optional<FileError>& error() const { return error_; }

private:
    struct Opened;
    explicit FilePieces(std::unique_ptr<Opened> opened);
    std::unique_ptr<Opened> opened_;
    std::optional<FileError> error_;
};

// True when an entry of that name exists (a folder, a dangling link
// included); opens nothing.
bool entryExists(const FilePath& path);

// Reads a whole regular file of at most kLargestRead bytes. A folder, a
// pipe, a device or a larger file is refused at once, unread; so is a link
// that the kernel would not follow for this user (see file_system.h). The
// command line, which has no window to freeze, also reads a pipe, waiting
// for its writer as any command-line program does, to the same limit.
enum class Pipes { Refused, Read };
[[nodiscard]] std::optional<FileError> readFile(const FilePath& path, QByteArray& bytes, Pipes pipes = Pipes::Refused);

// The program never writes a file larger than it reads back: content of
// that size, written to path, is refused where it would be.
[[nodiscard]] std::optional<FileError> fitsReading(qint64 size, const FilePath& path);

// Replaces the file's content; a symbolic link is followed to the file it
// names (where the kernel would follow it). A regular file keeps its identity (inode and hard links), owner,
// group, mode, ACLs and extended attributes:
// - where a rename keeps all of that, the content goes to a complete
//   temporary file beside it (unnamed where the system can, so that nothing
//   is left if the program is killed) that then replaces it, so a failed
//   write leaves the old content as it was;
// - otherwise the file is written in place, after its space has been
//   reserved, so that a full disk is found before an old byte is lost,
//   under the lock that appending takes (one writer at a time) and with the
//   signals that ask the program to end held back until it is written.
// Any other existing entry (a device, a pipe) is opened and written
// directly, without waiting: a pipe that nobody reads is refused. A file
// that cannot be opened for writing is refused, never replaced behind the
// user's back.
[[nodiscard]] std::optional<FileError> replace(const FilePath& path, const Content& content);

// The process's standard streams, for the command line: all of standard
// input, to the same limit as a file, and all the bytes to standard output
// (1) or standard error (2). A reader that has gone is an error (EPIPE), not
// the end of the program.
[[nodiscard]] std::optional<FileError> readStandardInput(QByteArray& bytes);

// At the program's start, before anything opens a file: a standard stream
// the program was started without is opened on the null device, so that no
// file the program opens takes its place, and is remembered as closed:
// reading or writing it is then an error of its own (InputClosed,
// OutputClosed).
void claimStandardStreams();
[[nodiscard]] std::optional<FileError> writeStandard(int stream, QByteArrayView bytes);
// Text for people (help, messages): to a console as the console shows every
// letter (UTF-16 on Windows), to a pipe or a file as UTF-8.
[[nodiscard]] std::optional<FileError> writeStandardText(int stream, const QString& text);

// Adds the content after the file's last byte, creating it when missing,
// under an exclusive lock so that two programs appending to one file never
// interleave. A failed write or close cuts the file back to where this
// append began (a file it created is removed: the file, never a link that
// led to it). Content that must start a line gets a line end (CR LF) first
// where the file's text does not end with one.
enum class Start { AfterLastByte, OnItsOwnLine };
[[nodiscard]] std::optional<FileError> append(const FilePath& path, const Content& content,
                                              Start start = Start::AfterLastByte);

}  // namespace file_io

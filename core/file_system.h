#pragma once

// The system calls that file access is made of, one implementation for each
// system (file_system_posix.cpp, file_system_windows.cpp). What file access
// does with them (reading with a limit, replacing through a temporary or in
// place, appending under a lock) is written once, in file_io.cpp,
// file_replace.cpp and file_append.cpp. Not for use elsewhere.
//
// A call that fails returns false, a closed File or -1, and leaves the
// system's own error to be asked for with lastError() (or
// lastErrorMeans()) before the next call.

#include "file_io.h"

#include <cstdint>
#include <utility>

namespace file_system {

// An open file of the system, closed when it goes.
class File {
public:
    using Handle = std::intptr_t;        // a descriptor, or a HANDLE
    static constexpr Handle kNone = -1;  // no descriptor, INVALID_HANDLE_VALUE

    File() = default;
    explicit File(Handle handle) : handle_(handle) {}
    File(File&& other) noexcept : handle_(std::exchange(other.handle_, kNone)) {}
    File& operator=(File&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    bool isOpen() const { return handle_ != kNone; }
    Handle handle() const { return handle_; }
    // Closes now, so that a failure to close can be reported.
    bool close();
    // Gives the handle up without closing it (a standard stream).
    Handle release() { return std::exchange(handle_, kNone); }

private:
    Handle handle_ = kNone;
};

// The system's last error, as the user is shown it, about that file.
FileError lastError(const FilePath& path);

// The failures the program finds by itself, and the number this system has
// for each (and, for the system's errors among them, its words).
enum class Found { NotRegular, TooLarge, Busy, StreamClosed, Missing, Folder, Incomplete };
int numberOf(Found failure);
FileError systemError(Found failure, const FilePath& path);

// The few errors that file access tells apart.
enum class Meaning { NotFound, NameTaken, Other };
Meaning lastErrorMeans();

// What an entry is, and how large.
enum class Kind { Folder, Regular, Pipe, Other };
struct Facts {
    Kind kind = Kind::Other;
    qint64 size = 0;
    qint64 links = 1;
};
// Of a path (links followed), without opening it, and of an open file.
bool factsOfPath(const FilePath& path, Facts& facts);
bool factsOf(const File& file, Facts& facts);
bool entryExists(const FilePath& path);

// The process's standard stream (0 input, 1 output, 2 error); release it
// rather than let it close.
File standardStream(int which);
// Whether the stream is a console that takes text (Windows'), and text
// written to it as it shows every letter.
bool isConsole(const File& file);
bool writeConsole(const File& file, QStringView text);
// Where the process was started without that stream, puts the null device
// in its place; whether it did.
bool replaceClosedStream(int which);

// Opening, never waiting on a pipe or a device. For reading: a folder opens
// too, to be told from a missing file.
File openForReading(const FilePath& path);
// An existing entry, for writing, without cutting it.
File openForWriting(const FilePath& path);
// For appending; created tells whether this call made the file.
File openForAppending(const FilePath& path, bool& created);
// A pipe opened for reading: waits until there is something to read (or
// its writer has gone), for the command line, which may wait.
bool waitForInput(const File& file);

// Reading and writing: how many bytes, or -1.
qint64 readSome(const File& file, char* into, qint64 most);
qint64 readAt(const File& file, char* into, qint64 most, qint64 offset);
qint64 writeSome(const File& file, const char* from, qint64 most);
bool seekTo(const File& file, qint64 offset);
bool cutTo(const File& file, qint64 size);
bool flush(const File& file);

// Makes sure that size bytes of space are the file's, without changing its
// length.
enum class Reserved { Yes, Unsupported, Failed };
Reserved reserve(const File& file, qint64 size);

// An exclusive lock on the whole file, without waiting for it.
enum class Lock { Taken, Busy, Unsupported };
Lock tryLock(const File& file);

// Holds back the signals that ask the program to end (INT, TERM, HUP) while
// it lives; one that came in the meantime arrives when it goes, so that a
// file being written is written whole.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    unsigned long previous_[16] = {};  // the system's signal set
};

// The file that path names, every symbolic link on it followed (for a
// dangling link, the path it names), as long as the kernel would follow
// each of them for this user: a link in a shared folder (sticky and
// writable by anyone) that belongs to neither this user nor the folder's
// owner is refused, as fs.protected_symlinks has it, whatever the system's
// setting. Where the system follows links by itself (Windows), the path.
std::optional<FileError> followLinks(const FilePath& path, FilePath& target);

// Replacing.
// The file that a write to path goes to: its links followed, as above; on
// Windows, a device's name and a read-only file are refused.
std::optional<FileError> writeTarget(const FilePath& path, FilePath& target);
// Whether a new file put in the old one's place keeps everything the user
// set up around the old one (see file_replace.cpp).
bool renameKeepsEverything(const File& existing, const Facts& facts, const FilePath& target);
// Gives the new file the old one's owner, group and mode, where the system
// keeps them apart from the name.
bool takeOwnerAndMode(const File& temporary, const File& existing, const Facts& facts);
// A new file in the folder without a name, where the system can make one.
enum class Made { Yes, Unsupported, Failed };
File createUnnamed(const FilePath& folder, Made& made);
// A new hidden file of that name; fails where the name is taken.
File createNamed(const FilePath& name);
// Gives an unnamed file that name; fails where the name is taken.
bool giveName(const File& unnamed, const FilePath& name);
// Puts the complete file of that name in the target's place (existing,
// where open, is the target), or makes it the target where there is none.
// Where it cannot, the file stays open under its name, to be read back.
bool putInPlace(File& file, const FilePath& name, const FilePath& target, File* existing);
bool removeEntry(const FilePath& path);
// Makes a rename in the folder last, as a write to a file lasts once flushed.
void flushFolder(const FilePath& folder);
// Whether an entry that is neither a folder nor a regular file (a device,
// a pipe) is written as it is, as any program writing to it would.
extern const bool kWritesOtherEntries;

}  // namespace file_system

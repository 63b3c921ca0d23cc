// Replacing a file's content while keeping what the user set up around it,
// the same on every system over the calls of file_system.h.
#include "file_io.h"
#include "file_io_internal.h"

#include <QRandomGenerator>

#include <cerrno>

namespace file_io {

using namespace internal;
using namespace file_system;

namespace {

// A new file beside the target that becomes the target only once complete.
// It is unnamed where the system allows (nothing is left behind if the
// program is killed while it is written), otherwise it has a short hidden
// name, removed unless it became the target.
class Temporary {
public:
    static Temporary beside(const FilePath& target, std::optional<FileError>& error)
    {
        Temporary temporary;
        const FilePath folder = target.folder();
        Made made = Made::Failed;
        temporary.file_ = createUnnamed(folder, made);
        if (made == Made::Unsupported)
            temporary.withFreshName(folder, [&temporary](const FilePath& name) {
                temporary.file_ = createNamed(name);
                return temporary.file_.isOpen();
            });
        if (!temporary.file_.isOpen())
            error = lastError(target);
        return temporary;
    }

    Temporary() = default;
    Temporary(Temporary&&) = default;
    Temporary& operator=(Temporary&&) = delete;
    ~Temporary()
    {
        file_ = File();
        if (!name_.isEmpty())
            removeEntry(name_);
    }

    const File& file() const { return file_; }

    // Puts the complete file in place of the target (existing, where open),
    // or as the target where there is none; false where the folder does not
    // let it, the file then kept to be read back.
    bool moveTo(const FilePath& target, File* existing)
    {
        // Between the name and the rename a killed program would leave the
        // named file behind: only a signal nobody can hold back (KILL) can.
        const SignalsHeld held;
        if (name_.isEmpty() &&
            !withFreshName(target.folder(), [this](const FilePath& name) { return giveName(file_, name); }))
            return false;
        if (!putInPlace(file_, name_, target, existing))
            return false;
        name_ = FilePath();
        flushFolder(target.folder());
        return true;
    }

private:
    // Tries short hidden names until one is free (short, so that a target
    // named up to the longest name the system allows still works).
    template <typename Attempt>
    bool withFreshName(const FilePath& folder, Attempt attempt)
    {
        for (int tries = 0; tries < 10; ++tries) {
            const FilePath name =
                folder.childNative(".trumi-" + QByteArray::number(QRandomGenerator::global()->generate(), 36));
            if (attempt(name)) {
                name_ = name;
                return true;
            }
            if (lastErrorMeans() != Meaning::NameTaken)
                return false;
        }
        return false;
    }

    File file_;
    FilePath name_;
};

// Makes sure the space for the new content is there before the first old
// byte is overwritten, without changing the file's length.
std::optional<FileError> reserveSpace(const File& file, qint64 size, const FilePath& target)
{
    if (size == 0 || reserve(file, size) != Reserved::Failed)
        return std::nullopt;  // reserved, or nothing to reserve with: the write will tell
    return lastError(target);
}

std::optional<FileError> writeInPlace(File& file, const Content& content, const FilePath& target)
{
    if (auto error = lockExclusively(file, target))
        return error;
    const SignalsHeld held;
    const qint64 size = content.size();
    if (auto error = content.sizeCostly() ? fitsReading(size, target) : std::nullopt)
        return error;
    if (auto error = reserveSpace(file, size, target))
        return error;
    if (!seekTo(file, 0))
        return lastError(target);
    qint64 written = 0;
    if (auto error = writeContent(file, content, target, &written))
        return error;
    if (written != size)  // the copy could not be read back whole
        return FileError::incomplete(target);
    if (!cutTo(file, written) || !flush(file) || !file.close())
        return lastError(target);
    return std::nullopt;
}

// Writes the content to a temporary file, measuring content whose size is
// costly to work out as it goes.
std::optional<FileError> writeMeasured(const File& temporary, const Content& content, const FilePath& target)
{
    qint64 written = 0;
    if (auto error = writeContent(temporary, content, target, &written))
        return error;
    return content.sizeCostly() ? fitsReading(written, target) : std::nullopt;
}

std::optional<FileError> replaceThroughTemporary(File& file, const Facts& facts, const FilePath& target,
                                                 const Content& content)
{
    std::optional<FileError> error;
    Temporary temporary = Temporary::beside(target, error);
    // No new file can be made there (an immutable folder), or it cannot be
    // given the old owner: the file is written in place instead.
    if (error || !takeOwnerAndMode(temporary.file(), file, facts))
        return writeInPlace(file, content, target);
    if (auto writeError = writeMeasured(temporary.file(), content, target))
        return writeError;
    if (!flush(temporary.file()))
        return lastError(target);
    if (temporary.moveTo(target, &file))
        return std::nullopt;
    // The folder would not let the file be replaced (a file mounted over
    // another one, for instance): the complete copy is written in place.
    const FileError refused = lastError(target);
    if (!file.isOpen())
        file = openForWriting(target);
    if (!file.isOpen())
        return refused;
    return writeInPlace(file, contentsOf(temporary.file()), target);
}

std::optional<FileError> createNew(const FilePath& target, const Content& content)
{
    std::optional<FileError> error;
    Temporary temporary = Temporary::beside(target, error);
    if (error)
        return error;
    if (auto writeError = writeMeasured(temporary.file(), content, target))
        return writeError;
    if (!flush(temporary.file()) || !temporary.moveTo(target, nullptr))
        return lastError(target);
    return std::nullopt;
}

}  // namespace

std::optional<FileError> replace(const FilePath& path, const Content& content)
{
    FilePath target;
    if (auto error = writeTarget(path, target))
        return error;
    if (auto error = content.sizeCostly() ? std::nullopt : fitsReading(content.size(), path))
        return error;
    // Opening for writing is what tells a read-only file from a writable one.
    File file = openForWriting(target);
    if (!file.isOpen())
        return lastErrorMeans() == Meaning::NotFound ? createNew(target, content) : lastError(target);
    Facts facts;
    if (!factsOf(file, facts))
        return lastError(target);
    if (facts.kind != Kind::Regular) {
        // A device or a pipe is written as any program writing to it would.
        if (!kWritesOtherEntries)
            return FileError::notRegularFile(target);
        if (auto error = content.sizeCostly() ? fitsReading(content.size(), path) : std::nullopt)
            return error;
        return writeAndClose(file, content, target);
    }
    if (renameKeepsEverything(file, facts, target))
        return replaceThroughTemporary(file, facts, target, content);
    return writeInPlace(file, content, target);
}

}  // namespace file_io

#pragma once

// What reading, replacing and appending share, written once for every
// system over the system calls of file_system.h; not for use elsewhere.

#include "file_io.h"
#include "file_system.h"

namespace file_io::internal {

using file_system::File;

// An empty path is what a file in a program folder that cannot be found has.
FileError folderNotFound();

// Writes all the bytes, however many calls it takes.
std::optional<FileError> writeAll(const File& file, QByteArrayView bytes, const FilePath& path);

// Writes every piece of the content; how many bytes went out is added to
// written, where given.
std::optional<FileError> writeContent(const File& file, const Content& content, const FilePath& path,
                                      qint64* written = nullptr);

// Writes every piece of the content and closes the file, so that a failure
// to close is reported too.
std::optional<FileError> writeAndClose(File& file, const Content& content, const FilePath& path);

// Takes the lock on the whole file, waiting a while for another program
// that holds it; a file system without locks is written without one.
std::optional<FileError> lockExclusively(const File& file, const FilePath& path);

// The file's content read back from its start, a megabyte at a time.
Content contentsOf(const File& file);

}  // namespace file_io::internal

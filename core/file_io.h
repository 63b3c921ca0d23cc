#pragma once

#include "file_error.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Whole-file reads and writes that report the system's error number.
// Qt's file classes hide errno (and QSaveFile would put a regular file in
// place of a device), so these go to the system calls directly.
namespace file_io {

// A file's new content, handed over a piece at a time so that a large
// document never has to stand whole in memory: each call gives the next
// piece, and an empty piece ends the content.
using Content = std::function<QByteArrayView()>;

// The content that is bytes, in one piece.
Content wholly(const QByteArray& bytes);

// True when an entry of that name exists (a folder, a dangling link
// included); opens nothing.
bool entryExists(const QString& path);

// Reads the whole file; a folder or an unreadable file is an error.
[[nodiscard]] std::optional<FileError> readAll(const QString& path, QByteArray& bytes);

// Replaces the file's content. A regular file (or a new name) is
// written to a temporary file beside it that is renamed over it, so a failed
// write leaves the old content as it was; any other existing entry (a device,
// a pipe) is opened and written directly. A file that cannot be opened for
// writing is refused, never replaced behind the user's back.
[[nodiscard]] std::optional<FileError> replace(const QString& path, const Content& content);

// Adds the content after the file's last byte, creating it when missing. A failed
// write cuts the file back to its old length (a file it created is removed).
[[nodiscard]] std::optional<FileError> append(const QString& path, const Content& content);

}  // namespace file_io

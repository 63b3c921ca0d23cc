#pragma once

#include "document.h"
#include "file_error.h"
#include "file_path.h"

#include <QString>
#include <optional>

// How Create treats a file that already exists: its content is replaced, or
// the document is added after whatever the file already holds.
enum class WriteMode { Replace, Append };

// Writes the read-me document made from record to path. On failure the file
// keeps its earlier content and the error says why.
[[nodiscard]] std::optional<FileError> writeDocument(const FilePath& path, const DocumentRecord& record,
                                                     WriteMode mode);

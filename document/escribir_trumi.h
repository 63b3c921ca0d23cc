#pragma once

#include "common/file_error.h"
#include "document/datos_trumi.h"

#include <QString>
#include <optional>

// Release 1.1 replaces the target's content; release 1.0 adds the document
// after whatever the file already holds.
enum class WriteMode { Replace, Append };

// Writes the read-me document made from datos to path. On failure the file
// keeps its earlier content and the error says why.
[[nodiscard]] std::optional<FileError> EscribirTrumi(const QString& path, const DatosTrumi& datos, WriteMode mode);

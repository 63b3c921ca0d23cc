#pragma once

#include "document.h"
#include "file_error.h"
#include "file_path.h"

#include <optional>

// What opening a file gave: the record of its last complete read-me
// document, or why there is none.
struct DocumentRead {
    std::optional<DocumentRecord> record;
    std::optional<FileError> error;
};

// Reads the last complete document in the file: release 1.0 appends, so a
// file can hold text of its own followed by several documents. The record
// gives back exactly the document's bytes when it is written again (the
// product as written, upper-case; the date as text).
DocumentRead readDocument(const FilePath& path);

// The same over the file's text, decoded from Windows-1252.
std::optional<DocumentRecord> lastDocumentIn(QStringView text);

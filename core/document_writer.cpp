#include "document_writer.h"

#include "file_io.h"

std::optional<FileError> writeDocument(const FilePath& path, const DocumentRecord& record, WriteMode mode)
{
    DocumentPieces pieces(composeDocument(record));
    const file_io::Content content([&pieces] { return pieces.size(); }, [&pieces] { return pieces.next(); });
    return mode == WriteMode::Replace ? file_io::replace(path, content) : file_io::append(path, content);
}

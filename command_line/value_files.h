#pragma once

#include "command_line.h"
#include "document_fields.h"
#include "document_reader.h"
#include "document_writer.h"
#include "file_error.h"
#include "streamed_value.h"

#include <QString>
#include <map>
#include <memory>
#include <optional>

// The files that field options name ("@PATH", "@-" for standard input), and
// the --from document's fields left as bytes.
// A text field's file is streamed into the classic document as it is
// written, never read whole; any other (a pipe, standard input, a UTF-16
// file, a field of the Markdown document) is read whole.
class ValueFiles {
public:
    explicit ValueFiles(const CommandLineStreams& streams) : streams_(streams) {}

    // The field's value from the file named after the '@'; empty where the
    // file is to be streamed.
    std::optional<FileError> read(const DocumentField& field, const QString& name, bool mayStream, QString& value);
    // The last document of the file that --from names (a pipe, a shell's
    // <(...), or "-" for standard input). Its bytes are kept: the fields it
    // leaves as bytes are streamed from them as the output is written.
    DocumentRead readDocument(const QString& name, const DocumentReading& reading);

    // The values to stream, for the writer.
    StreamedValues streamed() const;
    // How many characters a streamed value wrote as '?'; none where the
    // field is not streamed.
    std::optional<qsizetype> unwritableOf(const DocumentField& field) const;

private:
    std::optional<FileError> stream(const DocumentField& field, const QString& name, bool& streams);

    const CommandLineStreams& streams_;
    QByteArray documentBytes_;
    std::map<const DocumentField*, std::unique_ptr<StreamedValue>> streamed_;
};

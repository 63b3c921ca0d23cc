#pragma once

#include "command_line.h"
#include "document_fields.h"
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
    // A field of the --from document, streamed from its bytes.
    void stream(const FieldBytes& bytes);

    // The values to stream, for the writer.
    StreamedValues streamed() const;
    // How many characters a streamed value wrote as '?'; none where the
    // field is not streamed.
    std::optional<qsizetype> unwritableOf(const DocumentField& field) const;

private:
    std::optional<FileError> stream(const DocumentField& field, const QString& name, bool& streams);

    const CommandLineStreams& streams_;
    std::map<const DocumentField*, std::unique_ptr<StreamedValue>> streamed_;
};

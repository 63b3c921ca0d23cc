#include "value_files.h"

#include "file_io.h"
#include "text_decoding.h"

std::optional<FileError> ValueFiles::read(const DocumentField& field, const QString& name, bool mayStream,
                                          QString& value)
{
    const bool standardInput = name == u'-';
    const bool text = field.kind == FieldKind::Line || field.kind == FieldKind::Lines;
    bool streams = false;
    if (mayStream && text && !standardInput) {
        if (auto error = stream(field, name, streams))
            return error;
    }
    value.clear();
    if (streams)
        return std::nullopt;
    QByteArray bytes;
    auto error =
        standardInput ? streams_.readInput(bytes) : file_io::readFile(FilePath(name), bytes, file_io::Pipes::Read);
    if (error)
        return error;
    value = withoutFinalLineEnd(decodeUserText(bytes));
    return std::nullopt;
}

// A pipe gives no pieces and a UTF-16 file cannot be streamed: both are
// read whole.
std::optional<FileError> ValueFiles::stream(const DocumentField& field, const QString& name, bool& streams)
{
    std::optional<file_io::FilePieces> file;
    if (auto error = file_io::FilePieces::open(FilePath(name), file))
        return error;
    if (!file)
        return std::nullopt;
    auto streamed = std::make_unique<StreamedValue>(std::move(*file), field);
    streams = streamed->prepare();
    if (streamed->error())
        return streamed->error();
    if (streams)
        streamed_[&field] = std::move(streamed);
    return std::nullopt;
}

DocumentRead ValueFiles::readDocument(const QString& name, const DocumentReading& reading)
{
    const FilePath path(name);
    const auto error = name == u'-' ? streams_.readInput(documentBytes_)
                                    : file_io::readFile(path, documentBytes_, file_io::Pipes::Read);
    if (error)
        return {std::nullopt, error};
    DocumentRead read = readDocumentBytes(documentBytes_, path, reading);
    if (read.found) {
        for (const FieldBytes& field : read.found->undecoded)
            streamed_[field.field] = std::make_unique<StreamedValue>(field);
    }
    return read;
}

StreamedValues ValueFiles::streamed() const
{
    StreamedValues values;
    for (const auto& [field, value] : streamed_)
        values[field] = value.get();
    return values;
}

std::optional<qsizetype> ValueFiles::unwritableOf(const DocumentField& field) const
{
    const auto streamed = streamed_.find(&field);
    if (streamed == streamed_.end())
        return std::nullopt;
    return streamed->second->unwritable().value_or(0);
}

#pragma once

#include "document_fields.h"
#include "document_reader.h"
#include "file_error.h"
#include "file_io.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A field's value that is a file's text (the command line's "@FILE"),
// handed to the document's writer a piece at a time, so that a file of
// tens of megabytes is written without ever standing whole in memory. Piece
// by piece it is the text that the whole file makes: decoded as
// decodeUserText decodes it, without its final line end, and as
// writtenValue writes it. Or a field of a document already read, left as
// its bytes (FieldBytes), so that it is never held whole as text either.
// Pieces end only where the text may be cut: before an ASCII character that
// does not finish a CR LF, where nothing composes across the cut.
class StreamedValue {
public:
    static constexpr qsizetype kPieceBytes = qsizetype(1) << 20;

    StreamedValue(file_io::FilePieces file, const DocumentField& field, qsizetype pieceBytes = kPieceBytes);
    // The bytes stay where they are and must outlive the value; it needs no
    // preparing.
    explicit StreamedValue(const FieldBytes& bytes, qsizetype pieceBytes = kPieceBytes);

    // Reads the file through once to learn its encoding (UTF-8 only where
    // all of it is). False where it cannot be streamed, a UTF-16 file, which
    // is then read whole; the error says what went wrong reading it.
    bool prepare();

    // The next piece of the text from the start, once prepared; nothing at
    // the end, or where the file could not be read (error()).
    std::optional<QString> next();
    // Starts again from the file's start.
    void restart();

    std::optional<FileError> error() const { return file_ ? file_->error() : std::nullopt; }
    // How many characters the document writes as '?', once a pass has read
    // the whole file.
    std::optional<qsizetype> unwritable() const { return unwritable_; }

private:
    enum class Encoding { Utf8, Windows1252 };

    bool allUtf8();
    qsizetype wholeCharacters() const;
    bool fill(qsizetype minimum);
    qint64 readAt(char* into, qint64 most, qint64 offset);
    QString decoded(QByteArrayView bytes) const;
    qsizetype cutAt(qsizetype from) const;

    std::optional<file_io::FilePieces> file_;
    QByteArrayView held_;  // where there is no file
    const DocumentField& field_;
    qsizetype pieceBytes_;
    Encoding encoding_ = Encoding::Utf8;
    qint64 start_ = 0;   // past a UTF-8 mark
    qint64 offset_ = 0;  // of the next byte to read
    bool atEnd_ = false;
    QByteArray buffer_;  // read and not yet handed over
    qsizetype counted_ = 0;
    std::optional<qsizetype> unwritable_;
};

#pragma once

#include "document_record.h"
#include "document_writer.h"
#include "file_error.h"
#include "file_path.h"
#include "markdown_document.h"

#include <optional>

// A field's value left as the bytes it stands in (see DocumentReading), for
// the caller to stream into a document of its own (StreamedValue).
struct FieldBytes {
    const DocumentField* field = nullptr;
    QByteArrayView bytes;  // in the bytes that were read, with CR LF line ends
    bool utf8 = false;     // else Windows-1252
};

// The last complete read-me document in a file's text: release 1.0 appends,
// so a file can hold text of its own followed by several documents.
struct DocumentFound {
    // Gives back exactly the document's bytes when it is written again (the
    // product as written, upper-case; the date as text).
    DocumentRecord record;
    // The text holds this one document and nothing else.
    bool sole = false;
    DocumentKind kind = DocumentKind::Text;
    // The fields asked for as bytes that were left so; empty in the record.
    QList<FieldBytes> undecoded;
};

// Which fields a caller needs decoded. A field it does not use is never
// decoded and stays empty. A field it can take as bytes is left as the bytes
// it stands in, where the document was read from the bytes as given
// (Windows-1252 or UTF-8 with CR LF line ends); else it is decoded as any.
struct FieldsWanted {
    QList<const DocumentField*> unused;
    QList<const DocumentField*> asBytes;
};

// How opening reads a file: the classic document, and where Markdown is
// read too (release 1.1), with the words a Markdown document may have been
// written with and the date form its date is given in.
struct DocumentReading {
    QList<MarkdownHeadings> markdown;
    GeneralDateFormat dateFormat;
    FieldsWanted fields = {};
};

// What opening a file gave: its last complete document, or why there is none.
struct DocumentRead {
    std::optional<DocumentFound> found;
    std::optional<FileError> error;
};

// Reads the file as an editor may have saved it: Windows-1252, or UTF-8 or
// UTF-16 (see text_decoding.h), with CR LF, LF or CR line ends, the last
// line end perhaps missing.
DocumentRead readDocument(const FilePath& path, const DocumentReading& reading = {});

// The same over bytes already read (from a pipe, from standard input);
// path names them in the error. A name that ends in ".md" is tried as
// Markdown first, any other as the classic document first.
DocumentRead readDocumentBytes(const QByteArray& bytes, const FilePath& path, const DocumentReading& reading = {});

// The same over a file's text, once decoded.
std::optional<DocumentFound> findLastDocument(QString text);

// The same, the text walked through from its start; findLastDocument starts
// close to the text's end where it finds the same document so (for tests).
std::optional<DocumentFound> findLastDocumentFromTheStart(QString text);

// The same over a file's bytes, read as decodeUserText reads them (what it
// finds is what findLastDocument finds in the decoded text); only the fields
// of the documents found are decoded.
std::optional<DocumentFound> findLastDocumentInBytes(const QByteArray& bytes, const FieldsWanted& fields = {});

// Only the record of the last document.
std::optional<DocumentRecord> lastDocumentIn(QStringView text);

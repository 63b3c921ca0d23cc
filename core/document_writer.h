#pragma once

#include "document_fields.h"
#include "document_record.h"
#include "file_error.h"
#include "file_io.h"
#include "file_path.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <map>
#include <optional>

// The document's entries, in order, composed from the record by walking the
// document's template. Each entry is written as its text followed by CR LF.
QStringList composeDocument(const DocumentRecord& record);

// Fields whose values are read from files as the document is written.
class StreamedValue;
using StreamedValues = std::map<const DocumentField*, StreamedValue*>;

// The document's bytes, a piece at a time (an empty piece at the end): every
// entry in Windows-1252 followed by CR LF, with each line break inside an
// entry written as CR LF. Pieces are about a megabyte at most, so that a
// large document is written without ever standing whole in memory.
class DocumentPieces {
public:
    static constexpr qsizetype kUnitsPerPiece = qsizetype(512) * 1024;

    explicit DocumentPieces(const QStringList& entries);
    // The record's document, where each streamed field's value comes from
    // its file instead of the record.
    DocumentPieces(const DocumentRecord& record, const StreamedValues& streamed,
                   qsizetype unitsPerPiece = kUnitsPerPiece);
    // The next piece, which stays as it is until the next call.
    QByteArrayView next();
    // How many bytes all the pieces hold together; asked before the first
    // piece (a streamed value is read through to count them).
    qint64 size() const;
    // A streamed value's file that could not be read.
    std::optional<FileError> failure() const;
    // The pieces as the content of a file.
    file_io::Content content();

private:
    // Text written as it stands, a field's value written a piece at a time,
    // or a streamed value; an entry's last segment ends it.
    struct Segment {
        QString text = {};
        const DocumentField* field = nullptr;
        StreamedValue* streamed = nullptr;
        bool endsEntry = false;
    };
    std::optional<Segment> ownSegmentOf(const EntryPart& part, const DocumentRecord& record,
                                        const StreamedValues& streamed) const;
    void appendEntry(const QList<EntryPart>& parts, const DocumentRecord& record, const StreamedValues& streamed);
    std::optional<QString> nextPartOf(const Segment& segment, qsizetype& from) const;
    bool nextText(char*& out);

    QList<Segment> segments_;
    qsizetype unitsPerPiece_ = kUnitsPerPiece;
    qsizetype segment_ = -1;
    qsizetype valueAt_ = 0;  // in a field's value, where its next part starts
    QString text_;           // the text being encoded
    qsizetype position_ = 0;
    char16_t previous_ = 0;
    QByteArray buffer_;
};

// The document's bytes all at once.
QByteArray documentBytes(const QStringList& entries);

// How Create treats a file that already exists: its content is replaced, or
// the document is added after whatever the file already holds.
enum class WriteMode { Replace, Append };

// The two kinds of read-me document: the classic text (Windows-1252, CR LF,
// fixed Spanish headings) and Markdown (markdown_document.h).
enum class DocumentKind { Text, Markdown };

// The kind a file's name asks for: ".md" (in any case) is Markdown, any
// other name the classic text.
DocumentKind kindOfName(const QString& name);

// Writes the read-me document made from record to path. On failure the file
// keeps its earlier content and the error says why.
[[nodiscard]] std::optional<FileError> writeDocument(const FilePath& path, const DocumentRecord& record, WriteMode mode,
                                                     const StreamedValues& streamed = {});

// Replaces the file with the Markdown document made from record.
struct MarkdownStyle;
[[nodiscard]] std::optional<FileError> writeMarkdown(const FilePath& path, const DocumentRecord& record,
                                                     const MarkdownStyle& style);

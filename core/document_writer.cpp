#include "document_writer.h"

#include "document_fields.h"
#include "file_io.h"
#include "markdown_document.h"
#include "streamed_value.h"
#include "windows1252.h"

#include <algorithm>
#include <utility>

namespace {

QString composeEntry(const QList<EntryPart>& parts, const DocumentRecord& record)
{
    auto textOf = [&record](const EntryPart& part) {
        return part.field ? writtenValue(*part.field, record.*(part.field->value)) : part.fixed;
    };
    if (parts.size() == 1)
        return textOf(parts.first());  // shared, not copied: a value may be large
    QString entry;
    for (const EntryPart& part : parts)
        entry += textOf(part);
    return entry;
}

constexpr qsizetype kUnitsPerPiece = qsizetype(512) * 1024;

}  // namespace

QStringList composeDocument(const DocumentRecord& record)
{
    QStringList entries;
    for (const QList<EntryPart>& parts : documentEntries())
        entries.append(composeEntry(parts, record));
    return entries;
}

DocumentPieces::DocumentPieces(const QStringList& entries)
{
    for (const QString& entry : entries)
        segments_.append({entry, nullptr, true});
    buffer_ = QByteArray(2 * kUnitsPerPiece + 8, Qt::Uninitialized);
}

DocumentPieces::DocumentPieces(const DocumentRecord& record, const StreamedValues& streamed)
{
    for (const QList<EntryPart>& parts : documentEntries())
        appendEntry(parts, record, streamed);
    // Room for a piece's units, two bytes each, and for the line ends of
    // entries that are empty.
    buffer_ = QByteArray(2 * kUnitsPerPiece + 4 * segments_.size() + 8, Qt::Uninitialized);
}

// An entry's texts, each streamed value a segment of its own between them.
void DocumentPieces::appendEntry(const QList<EntryPart>& parts, const DocumentRecord& record,
                                 const StreamedValues& streamed)
{
    QString text;  // null, so that a value alone is shared, not copied
    for (const EntryPart& part : parts) {
        const auto found = part.field ? streamed.find(part.field) : streamed.end();
        if (found == streamed.end()) {
            text += part.field ? writtenValue(*part.field, record.*(part.field->value)) : part.fixed;
            continue;
        }
        if (!text.isEmpty())
            segments_.append({std::exchange(text, QString()), nullptr, false});
        segments_.append({QString(), found->second, false});
    }
    segments_.append({text, nullptr, true});
}

QByteArrayView DocumentPieces::next()
{
    char* const start = buffer_.data();
    char* out = start;
    while (out - start < kUnitsPerPiece) {
        if (position_ == text_.size() && !nextText(out))
            break;
        const QStringView text = text_;
        qsizetype units = std::min(kUnitsPerPiece - (out - start), text.size() - position_);
        if (units == 0)
            continue;
        if (text[position_ + units - 1].isHighSurrogate() && position_ + units < text.size())
            ++units;  // a pair stays in one piece
        out = windows1252::encodeWithCrLf(out, text.sliced(position_, units), previous_);
        position_ += units;
        previous_ = text[position_ - 1].unicode();
    }
    return QByteArrayView(start, out - start);
}

// Moves on to the next text to encode, writing the CR LF that ends an entry
// on the way; false at the document's end.
bool DocumentPieces::nextText(char*& out)
{
    while (segment_ < segments_.size()) {
        if (segment_ >= 0) {
            const Segment& now = segments_.at(segment_);
            if (auto piece = now.streamed ? now.streamed->next() : std::nullopt) {
                text_ = std::move(*piece);
                position_ = 0;
                return true;
            }
            if (now.endsEntry) {
                *out++ = '\r';
                *out++ = '\n';
                previous_ = 0;
            }
        }
        if (++segment_ == segments_.size())
            break;
        const Segment& next = segments_.at(segment_);
        text_ = next.text;
        position_ = 0;
        if (!next.streamed)
            return true;
    }
    text_ = QString();
    position_ = 0;
    return false;
}

qint64 DocumentPieces::size() const
{
    qint64 total = 0;
    for (const Segment& segment : segments_) {
        if (segment.streamed) {
            segment.streamed->restart();
            while (const auto piece = segment.streamed->next())
                total += windows1252::encodedSizeWithCrLf(*piece);
            segment.streamed->restart();
        } else {
            total += windows1252::encodedSizeWithCrLf(segment.text);
        }
        total += segment.endsEntry ? 2 : 0;
    }
    return total;
}

std::optional<FileError> DocumentPieces::failure() const
{
    for (const Segment& segment : segments_) {
        if (segment.streamed && segment.streamed->error())
            return segment.streamed->error();
    }
    return std::nullopt;
}

file_io::Content DocumentPieces::content()
{
    // Measured as it is written where it can be: counting the encoded bytes
    // first is a pass of its own over the texts.
    return file_io::Content([this] { return size(); }, [this] { return next(); }, [this] { return failure(); });
}

QByteArray documentBytes(const QStringList& entries)
{
    QByteArray bytes;
    DocumentPieces pieces(entries);
    for (QByteArrayView piece = pieces.next(); !piece.isEmpty(); piece = pieces.next())
        bytes.append(piece);
    return bytes;
}

std::optional<FileError> writeDocument(const FilePath& path, const DocumentRecord& record, WriteMode mode,
                                       const StreamedValues& streamed)
{
    DocumentPieces pieces(record, streamed);
    const file_io::Content content = pieces.content();
    return mode == WriteMode::Replace ? file_io::replace(path, content)
                                      : file_io::append(path, content, file_io::Start::OnItsOwnLine);
}

DocumentKind kindOfName(const QString& name)
{
    return name.endsWith(QLatin1String(".md"), Qt::CaseInsensitive) ? DocumentKind::Markdown : DocumentKind::Text;
}

std::optional<FileError> writeMarkdown(const FilePath& path, const DocumentRecord& record, const MarkdownStyle& style)
{
    return file_io::replace(path, file_io::Content::wholly(markdownBytes(record, style)));
}

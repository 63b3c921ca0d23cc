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
        segments_.append({.text = entry, .endsEntry = true});
    buffer_ = QByteArray(2 * unitsPerPiece_ + 8, Qt::Uninitialized);
}

DocumentPieces::DocumentPieces(const DocumentRecord& record, const StreamedValues& streamed, qsizetype unitsPerPiece)
    : unitsPerPiece_(unitsPerPiece)
{
    for (const QList<EntryPart>& parts : documentEntries())
        appendEntry(parts, record, streamed);
    // Room for a piece's units, two bytes each, and for the line ends of
    // entries that are empty.
    buffer_ = QByteArray(2 * unitsPerPiece_ + 4 * segments_.size() + 8, Qt::Uninitialized);
}

// The segment a field's value takes of its own: a streamed value, or one
// longer than a piece, which is composed a part at a time as it is encoded,
// never whole.
std::optional<DocumentPieces::Segment> DocumentPieces::ownSegmentOf(const EntryPart& part, const DocumentRecord& record,
                                                                    const StreamedValues& streamed) const
{
    if (!part.field)
        return std::nullopt;
    if (const auto found = streamed.find(part.field); found != streamed.end())
        return Segment{.streamed = found->second};
    const QString& value = record.*(part.field->value);
    if (value.size() > unitsPerPiece_)
        return Segment{.text = value, .field = part.field};
    return std::nullopt;
}

// An entry's texts, with the values that take a segment of their own
// between them.
void DocumentPieces::appendEntry(const QList<EntryPart>& parts, const DocumentRecord& record,
                                 const StreamedValues& streamed)
{
    QString text;  // null, so that a value alone is shared, not copied
    for (const EntryPart& part : parts) {
        const auto own = ownSegmentOf(part, record, streamed);
        if (!own) {
            text += part.field ? writtenValue(*part.field, record.*(part.field->value)) : part.fixed;
            continue;
        }
        if (!text.isEmpty())
            segments_.append({.text = std::exchange(text, QString())});
        segments_.append(*own);
    }
    segments_.append({.text = text, .endsEntry = true});
}

// The next part of a streamed value or of a field's value from from on, as
// the document writes it; nothing once it has all been given, and nothing
// for a text written as it stands.
std::optional<QString> DocumentPieces::nextPartOf(const Segment& segment, qsizetype& from) const
{
    if (segment.streamed)
        return segment.streamed->next();
    const qsizetype left = segment.text.size() - from;
    if (!segment.field || left == 0)
        return std::nullopt;
    const char16_t* const units = QStringView(segment.text).utf16() + from;
    const qsizetype cut = left > unitsPerPiece_ ? valueCutNear(units, left, 0, unitsPerPiece_) : 0;
    const qsizetype length = cut > 0 ? cut : left;
    from += length;
    return writtenValue(*segment.field, QString::fromRawData(reinterpret_cast<const QChar*>(units), length));
}

QByteArrayView DocumentPieces::next()
{
    char* const start = buffer_.data();
    char* out = start;
    while (out - start < unitsPerPiece_) {
        if (position_ == text_.size() && !nextText(out))
            break;
        const QStringView text = text_;
        // An entry's CR LF may have filled the piece, even a little past it.
        qsizetype units = std::min(unitsPerPiece_ - (out - start), text.size() - position_);
        if (units <= 0)
            continue;
        const qsizetype end = position_ + units;
        if (end < text.size() && text[end - 1].isHighSurrogate() && text[end].isLowSurrogate())
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
            if (auto part = nextPartOf(now, valueAt_)) {
                text_ = std::move(*part);
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
        valueAt_ = 0;
        if (!next.streamed && !next.field) {
            text_ = next.text;
            position_ = 0;
            return true;
        }
    }
    text_ = QString();
    position_ = 0;
    return false;
}

qint64 DocumentPieces::size() const
{
    qint64 total = 0;
    for (const Segment& segment : segments_) {
        if (segment.streamed)
            segment.streamed->restart();
        if (segment.streamed || segment.field) {
            qsizetype from = 0;
            while (const auto part = nextPartOf(segment, from))
                total += windows1252::encodedSizeWithCrLf(*part);
        } else {
            total += windows1252::encodedSizeWithCrLf(segment.text);
        }
        if (segment.streamed)
            segment.streamed->restart();
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

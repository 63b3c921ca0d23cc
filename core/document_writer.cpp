#include "document_writer.h"

#include "document_fields.h"
#include "file_io.h"
#include "markdown_document.h"
#include "windows1252.h"

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

DocumentPieces::DocumentPieces(QStringList entries)
    : entries_(std::move(entries)), buffer_(2 * kUnitsPerPiece + 8, Qt::Uninitialized)
{
}

QByteArrayView DocumentPieces::next()
{
    char* const start = buffer_.data();
    char* out = start;
    while (entry_ < entries_.size() && out - start < kUnitsPerPiece) {
        const QStringView entry = entries_.at(entry_);
        qsizetype units = std::min(kUnitsPerPiece - (out - start), entry.size() - position_);
        if (units > 0 && entry[position_ + units - 1].isHighSurrogate() && position_ + units < entry.size())
            ++units;  // a pair stays in one piece
        const char16_t previous = position_ > 0 ? entry[position_ - 1].unicode() : 0;
        out = windows1252::encodeWithCrLf(out, entry.sliced(position_, units), previous);
        position_ += units;
        if (position_ == entry.size()) {
            *out++ = '\r';
            *out++ = '\n';
            ++entry_;
            position_ = 0;
        }
    }
    return QByteArrayView(start, out - start);
}

qint64 DocumentPieces::size() const
{
    qint64 total = 0;
    for (const QString& entry : entries_)
        total += windows1252::encodedSizeWithCrLf(entry) + 2;
    return total;
}

QByteArray documentBytes(const QStringList& entries)
{
    QByteArray bytes;
    DocumentPieces pieces(entries);
    for (QByteArrayView piece = pieces.next(); !piece.isEmpty(); piece = pieces.next())
        bytes.append(piece);
    return bytes;
}

std::optional<FileError> writeDocument(const FilePath& path, const DocumentRecord& record, WriteMode mode)
{
    DocumentPieces pieces(composeDocument(record));
    const file_io::Content content([&pieces] { return pieces.size(); }, [&pieces] { return pieces.next(); });
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

// Any record the windows can hold, composed, read back and composed again,
// gives the same bytes, as the classic document and as Markdown; and any
// bytes at all read as a document of either kind or as none, without
// failing.
#include "document_reader.h"
#include "document_writer.h"
#include "markdown_document.h"
#include "streamed_value.h"
#include "text_decoding.h"
#include "windows1252.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A multi-line box holds its line breaks as LF (a CR, a line or paragraph
// separator all become one).
QString asBoxText(QString text)
{
    for (QChar& c : text) {
        if (c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u'\n';
    }
    return text;
}

// The picker's date text has no line break.
QString asDateText(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

DocumentRecord recordFrom(const uint8_t* data, size_t size)
{
    const QString all = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QStringList parts = all.split(QChar(0xFFFF));
    auto part = [&](int i) { return i < parts.size() ? parts.at(i) : QString(); };
    static const QString statuses[] = {QString(), QStringLiteral("FINAL"), QStringLiteral("BETA")};
    const QString status = statuses[size % 3];
    return {.product = part(0),
            .version = part(1),
            .status = status,
            .author = part(2),
            .email = part(3),
            .web = part(4),
            .date = asDateText(part(5)),
            .description = asBoxText(part(6)),
            .useLicence = asBoxText(part(7)),
            .distributionLicence = asBoxText(part(8))};
}

const MarkdownStyle& markdownStyle()
{
    static const MarkdownStyle style{MarkdownHeadings::fromTexts({}), {"%d/%m/%Y", "%H:%M:%S"}};
    return style;
}

// Markdown written and read back gives the same bytes, unless one of its
// texts holds a title line of its own (a document quoted whole in a
// licence), which the reader takes for the last document.
void markdownRoundTrip(const DocumentRecord& record)
{
    const QByteArray bytes = markdownBytes(record, markdownStyle());
    const auto again =
        findLastMarkdown(QString::fromUtf8(bytes), {markdownStyle().headings}, markdownStyle().dateFormat);
    if (bytes.count("\n# ") > 0 && (!again || !again->sole))
        return;
    if (!again || markdownBytes(again->record, markdownStyle()) != bytes)
        std::abort();
}

// The document found in the bytes, made with its multi-line fields streamed
// from the bytes they stand in, three bytes at a time, and with the author
// not read at all.
QByteArray streamedDocument(const QByteArray& bytes)
{
    FieldsWanted wanted{{&fieldOf(&DocumentRecord::author)}, {}};
    for (const DocumentField& field : documentFields()) {
        if (field.kind == FieldKind::Lines)
            wanted.asBytes.append(&field);
    }
    const auto found = findLastDocumentInBytes(bytes, wanted);
    std::vector<std::unique_ptr<StreamedValue>> values;
    StreamedValues streamed;
    for (const FieldBytes& field : found->undecoded) {
        values.push_back(std::make_unique<StreamedValue>(field, 3));
        streamed[field.field] = values.back().get();
    }
    DocumentPieces pieces(found->record, streamed);
    QByteArray made;
    for (QByteArrayView piece = pieces.next(); !piece.isEmpty(); piece = pieces.next())
        made += piece;
    return made;
}

bool same(const std::optional<DocumentFound>& one, const std::optional<DocumentFound>& other)
{
    return one.has_value() == other.has_value() && (!one || (one->record == other->record && one->sole == other->sole));
}

// Any bytes as a file: read as bytes and as text alike, as when the text is
// walked through from its start, and the document found made alike with its
// multi-line fields streamed.
void readAsFile(const QByteArray& bytes)
{
    const QString text = decodeUserText(bytes);
    const auto inText = findLastDocument(text);
    const auto inBytes = findLastDocumentInBytes(bytes);
    if (!same(inText, inBytes) || !same(inText, findLastDocumentFromTheStart(text)))
        std::abort();
    if (!inBytes)
        return;
    DocumentRecord withoutAuthor = inBytes->record;
    withoutAuthor.author.clear();
    if (streamedDocument(bytes) != documentBytes(composeDocument(withoutAuthor)))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0 && data[0] % 4 == 0) {
        readAsFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        return 0;
    }
    if (size > 0 && data[0] % 4 == 1) {  // any bytes as a Markdown file
        const QString text = decodeUserText(QByteArrayView(data, qsizetype(size)));
        (void)findLastMarkdown(text, {markdownStyle().headings}, markdownStyle().dateFormat);
        return 0;
    }
    if (size > 0 && data[0] % 4 == 2) {
        markdownRoundTrip(recordFrom(data, size));
        return 0;
    }
    const QByteArray bytes = documentBytes(composeDocument(recordFrom(data, size)));
    const auto again = lastDocumentIn(windows1252::decode(bytes));
    if (!again || documentBytes(composeDocument(*again)) != bytes)
        std::abort();
    return 0;
}

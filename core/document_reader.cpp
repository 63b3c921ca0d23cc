// Opening a document: the file read, its text decoded as an editor may have
// saved it, the last document found in it (document_places.cpp), as the
// classic document or as Markdown.
#include "document_reader.h"

#include "document_fields.h"
#include "document_places.h"
#include "file_io.h"
#include "text_decoding.h"
#include "windows1252.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

Walked<QStringView> walkedText(QStringView text, const FieldsWanted& fields)
{
    const DocumentShape& shape = DocumentShape::get();
    return {text,  shape.before, shape.closing, statusChoices(), [](QStringView span) { return span.toString(); },
            fields};
}

// A field that starts with U+FEFF keeps it, as in the decoded text.
QString fromUtf8KeepingMark(QByteArrayView span)
{
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(span);
}

QString fromWindows1252(QByteArrayView span) { return windows1252::decode(span); }

Walked<QByteArrayView> walkedBytes(QByteArrayView bytes, bool utf8)
{
    const auto encoded = [utf8](const QString& fixed) { return utf8 ? fixed.toUtf8() : windows1252::encode(fixed); };
    const DocumentShape& shape = DocumentShape::get();
    Walked<QByteArrayView> walked{bytes, {}, encoded(shape.closing), {}, {}};
    for (const QString& fixed : shape.before)
        walked.before.append(encoded(fixed));
    for (const QString& choice : statusChoices())
        walked.choices.append(encoded(choice));
    walked.decode = utf8 ? fromUtf8KeepingMark : fromWindows1252;
    return walked;
}

// Line ends as the writer makes them: a text without a single CR LF has its
// LFs, or else its CRs, made CR LF; a closing rule without its final line end
// gets it back. The same for a text and for bytes.
template <typename Text>
bool hasWrittenLineEnds(const Text& text, const Text& closing)
{
    const Text lineBreak = closing.last(2);
    return (text.contains(lineBreak) || (!text.contains(lineBreak[1]) && !text.contains(lineBreak[0]))) &&
           (text.endsWith(closing) || !text.endsWith(closing.chopped(2)));
}

template <typename Text>
Text withWrittenLineEnds(Text text, const Text& closing)
{
    const Text lineBreak = closing.last(2);  // CR LF
    if (!text.contains(lineBreak)) {
        if (text.contains(lineBreak[1]))
            text.replace(lineBreak[1], lineBreak);
        else if (text.contains(lineBreak[0]))
            text.replace(lineBreak[0], lineBreak);
    }
    if (!text.endsWith(closing) && text.endsWith(closing.chopped(2)))
        text += lineBreak;
    return text;
}

std::optional<DocumentFound> findLastDocument(QString text, const FieldsWanted& fields, bool fromTheStart = false)
{
    const QString written = withWrittenLineEnds(std::move(text), DocumentShape::get().closing);
    Walked<QStringView> walked = walkedText(written, fields);
    walked.fromTheStart = fromTheStart;
    return lastDocumentWalking(walked);
}

}  // namespace

std::optional<DocumentFound> findLastDocument(QString text) { return findLastDocument(std::move(text), {}); }

std::optional<DocumentFound> findLastDocumentFromTheStart(QString text)
{
    return findLastDocument(std::move(text), {}, true);
}

std::optional<DocumentFound> findLastDocumentInBytes(const QByteArray& bytes, const FieldsWanted& fields)
{
    const TextMark mark = textMarkOf(bytes.first(std::min<qsizetype>(bytes.size(), 4)));
    const QByteArrayView rest = QByteArrayView(bytes).sliced(mark == TextMark::Utf8 ? 3 : 0);
    const bool utf8 = rest.isValidUtf8();
    // UTF-16, or a byte-order mark before bytes that are not UTF-8, which the
    // decoder reads in its own way.
    if (mark == TextMark::Utf16 || (mark == TextMark::Utf8 && !utf8))
        return findLastDocument(decodeUserText(bytes), fields);
    Walked<QByteArrayView> walked = walkedBytes(rest, utf8);
    walked.fields = fields;
    walked.utf8 = utf8;
    walked.asGiven = true;
    QByteArray written;  // the bytes are copied only where their line ends are not the writer's
    if (!hasWrittenLineEnds(QByteArray::fromRawData(rest.data(), rest.size()), walked.closing)) {
        written = withWrittenLineEnds(rest.toByteArray(), walked.closing);
        walked.text = written;
        walked.asGiven = false;
    }
    return lastDocumentWalking(walked);
}

std::optional<DocumentRecord> lastDocumentIn(QStringView text)
{
    const auto found = findLastDocument(text.toString());
    return found ? std::optional(found->record) : std::nullopt;
}

DocumentRead readDocument(const FilePath& path, const DocumentReading& reading)
{
    QByteArray bytes;
    if (auto error = file_io::readFile(path, bytes))
        return {std::nullopt, error};
    return readDocumentBytes(bytes, path, reading);
}

namespace {

std::optional<DocumentFound> markdownIn(const QString& text, const DocumentReading& reading)
{
    if (reading.markdown.isEmpty())
        return std::nullopt;
    auto found = findLastMarkdown(text, reading.markdown, reading.dateFormat);
    return found ? std::optional(DocumentFound{found->record, found->sole, DocumentKind::Markdown, {}}) : std::nullopt;
}

}  // namespace

DocumentRead readDocumentBytes(const QByteArray& bytes, const FilePath& path, const DocumentReading& reading)
{
    const bool markdownFirst = kindOfName(QString::fromUtf8(path.nameNative())) == DocumentKind::Markdown;
    std::optional<DocumentFound> found;
    if (!markdownFirst)
        found = findLastDocumentInBytes(bytes, reading.fields);
    if (!found) {
        const QString text = decodeUserText(bytes);
        found = markdownIn(text, reading);
        if (!found && markdownFirst)
            found = findLastDocument(text, reading.fields);
    }
    if (found)
        return {std::move(found), std::nullopt};
    // Error 62, "input past end of file", as for a licence file that ends
    // before its fields.
    return {std::nullopt, FileError::of(FileProblem::NoWholeDocument, 62, path)};
}

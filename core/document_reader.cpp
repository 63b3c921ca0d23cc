// Reading a read-me document back: the inverse of the writer.
//
// A document is its fields with the fixed texts of the document's shape
// between them. A field may hold text that looks like those fixed texts (a
// description that quotes another document, say), so for each field in turn
// the reader takes the earliest place of the fixed text that follows it,
// and keeps the document only where every field can be written back to the
// same bytes. Such a document then writes back exactly as it stands, though
// part of a field may open in the next field's box.
//
// The text is read once, from its start: a document starts at the text's
// start, right after the document before it, or at the start of a line that
// holds the fixed text after the first field (" Ver. "). The last document
// found is the one read. Where nothing after it is a document and the text
// ends with the closing fixed text, its last field runs to the text's end
// (a licence that ends by quoting a document's closing rule).
#include "document_reader.h"

#include "document_fields.h"
#include "file_io.h"
#include "text_decoding.h"
#include "text_scan.h"
#include "windows1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <functional>
#include <span>
#include <type_traits>
#include <vector>

namespace {

struct Placed {
    qsizetype start = 0;
    qsizetype end = 0;
    QList<Span> fields;
};

// What the reader walks: the decoded text, or a file's bytes (UTF-8 or
// Windows-1252) with the document's fixed texts encoded alike. Both give the
// same places, since each fixed text matches where its characters stand; the
// bytes are decoded only for the fields of the documents found.
template <typename View>
struct Walked {
    using Fixed = std::conditional_t<std::is_same_v<View, QStringView>, QString, QByteArray>;

    View text;
    QList<Fixed> before;  // the shape's fixed texts before each field
    Fixed closing;
    QList<Fixed> choices;  // statusChoices(), encoded
    std::function<QString(View)> decode;
};

Walked<QStringView> walkedText(QStringView text)
{
    const DocumentShape& shape = DocumentShape::get();
    return {text, shape.before, shape.closing, statusChoices(), [](QStringView span) { return span.toString(); }};
}

Walked<QByteArrayView> walkedBytes(QByteArrayView bytes, bool utf8)
{
    const auto encoded = [utf8](const QString& fixed) { return utf8 ? fixed.toUtf8() : windows1252::encode(fixed); };
    const DocumentShape& shape = DocumentShape::get();
    Walked<QByteArrayView> walked{bytes, {}, encoded(shape.closing), {}, {}};
    for (const QString& fixed : shape.before)
        walked.before.append(encoded(fixed));
    for (const QString& choice : statusChoices())
        walked.choices.append(encoded(choice));
    // A field that starts with U+FEFF keeps it, as in the decoded text.
    walked.decode =
        utf8
            ? [](QByteArrayView span) {
        return QString(QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(span));
        }
    : [](QByteArrayView span) { return windows1252::decode(span); };
    return walked;
}

template <typename View>
class Reader {
public:
    using Fixed = typename Walked<View>::Fixed;

    explicit Reader(const Walked<View>& walked)
        : walked_(walked), text_(walked.text), fields_(documentFields()), lineEnds_(walked.text)
    {
        for (qsizetype i = 1; i < walked_.before.size(); ++i)
            after_.emplace_back(text_, walked_.before[i]);
        after_.emplace_back(text_, walked_.closing);
        for (qsizetype i = 1; i < walked_.before.size(); ++i) {
            QList<Fixed> written;
            for (const Fixed& choice : walked_.choices)
                written.append(walked_.before[i] + choice);
            writtenChoices_.append(written);
        }
    }

    std::optional<DocumentFound> lastDocument() const
    {
        std::optional<Placed> last;
        for (qsizetype start = 0; start >= 0 && start < text_.size();) {
            if (auto placed = documentAt(start)) {
                start = placed->end;
                last = std::move(placed);
            } else {
                start = nextLineWithFirstMark(start);
            }
        }
        if (!last)
            return std::nullopt;
        runLastFieldToTheEnd(*last);
        return DocumentFound{recordOf(*last), last->start == 0 && last->end == text_.size()};
    }

private:
    // The fixed text that follows field i.
    const Fixed& textAfter(qsizetype i) const
    {
        return i + 1 < walked_.before.size() ? walked_.before[i + 1] : walked_.closing;
    }

    std::optional<Placed> documentAt(qsizetype start) const
    {
        if (!text_.sliced(start).startsWith(walked_.before[0]))
            return std::nullopt;
        Placed placed{start, 0, QList<Span>(fields_.size())};
        qsizetype at = start + walked_.before[0].size();
        for (qsizetype i = 0; i < qsizetype(fields_.size()); ++i) {
            const bool choiceFollows = i + 1 < qsizetype(fields_.size()) && fields_[i + 1].kind == FieldKind::Status;
            const qsizetype next = choiceFollows ? placeBeforeChoice(i, at, placed) : placeField(i, at, placed);
            if (next < 0)
                return std::nullopt;
            at = next;
            i += choiceFollows ? 1 : 0;
        }
        placed.end = at;
        return placed;
    }

    // Field i runs from at to the earliest place of the fixed text after it;
    // where it ends, or -1.
    qsizetype placeField(qsizetype i, qsizetype at, Placed& placed) const
    {
        const qsizetype end = after_[i].firstFrom(at);
        if (end < 0)
            return -1;
        placed.fields[i] = {at, end};
        return fits(i, placed.fields[i]) ? end + textAfter(i).size() : -1;
    }

    // A choice (the status) is read from its end: field i, the fixed text,
    // and one of the choices stand before the earliest place of the fixed
    // text that follows the choice.
    qsizetype placeBeforeChoice(qsizetype i, qsizetype at, Placed& placed) const
    {
        const qsizetype end = after_[i + 1].firstFrom(at);
        if (end < 0)
            return -1;
        const View span = text_.sliced(at, end - at);
        for (qsizetype k = 0; k < walked_.choices.size(); ++k) {
            const Fixed& choice = walked_.choices[k];
            const Fixed& written = writtenChoices_[i][k];  // the fixed text before the choice, and the choice
            if (span.endsWith(written)) {
                placed.fields[i] = {at, end - written.size()};
                placed.fields[i + 1] = {end - choice.size(), end};
                return fits(i, placed.fields[i]) ? end + textAfter(i + 1).size() : -1;
            }
        }
        return -1;
    }

    // Whether field i, read from that span, is written back to the same text.
    bool fits(qsizetype i, Span s) const
    {
        const DocumentField& field = fields_[i];
        const bool held = field.kind == FieldKind::Lines ? lineEnds_.holdAsLines(s) : lineEnds_.holdAsLine(s);
        return held && (!field.upperCased || isUpperCaseKeepingLength(walked_.decode(spanOf(s))));
    }

    View spanOf(Span s) const { return text_.sliced(s.start, s.end - s.start); }

    // The next place where a document can start: the start of a line (after
    // any line end: CR LF, or a lone LF or CR, as notes before appended
    // documents may have them) that holds the fixed text after the first
    // field.
    qsizetype nextLineWithFirstMark(qsizetype from) const
    {
        const qsizetype lineEnd = nextLineEnd(from);
        const qsizetype mark = lineEnd < 0 ? -1 : after_[0].firstFrom(lineEnd + 1);
        return mark < 0 ? -1 : std::max(lastLineEndBefore(mark), lineEnd) + 1;
    }

    qsizetype nextLineEnd(qsizetype from) const
    {
        const auto end =
            std::find_if(text_.begin() + from, text_.end(), [](auto c) { return c == u'\n' || c == u'\r'; });
        return end == text_.end() ? -1 : end - text_.begin();
    }

    qsizetype lastLineEndBefore(qsizetype place) const
    {
        return std::max(text_.lastIndexOf(u'\n', place), text_.lastIndexOf(u'\r', place));
    }

    void runLastFieldToTheEnd(Placed& placed) const
    {
        const qsizetype last = fields_.size() - 1;
        const Span longer{placed.fields[last].start, text_.size() - walked_.closing.size()};
        if (placed.end < text_.size() && text_.endsWith(walked_.closing) && longer.end >= longer.start &&
            fits(last, longer)) {
            placed.fields[last] = longer;
            placed.end = text_.size();
        }
    }

    DocumentRecord recordOf(const Placed& placed) const
    {
        DocumentRecord record;
        for (qsizetype i = 0; i < qsizetype(fields_.size()); ++i) {
            const QString value = walked_.decode(spanOf(placed.fields[i]));
            record.*(fields_[i].value) = fields_[i].kind == FieldKind::Lines ? boxTextOf(value) : value;
        }
        return record;
    }

    const Walked<View>& walked_;
    View text_;
    std::span<const DocumentField> fields_;
    LineEnds<View> lineEnds_;
    std::vector<NextPlace<View>> after_;  // after_[i]: the fixed text after field i
    QList<QList<Fixed>> writtenChoices_;
};

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

}  // namespace

std::optional<DocumentFound> findLastDocument(QString text)
{
    const QString written = withWrittenLineEnds(std::move(text), DocumentShape::get().closing);
    const Walked<QStringView> walked = walkedText(written);
    return Reader<QStringView>(walked).lastDocument();
}

std::optional<DocumentFound> findLastDocumentInBytes(const QByteArray& bytes)
{
    const TextMark mark = textMarkOf(bytes.first(std::min<qsizetype>(bytes.size(), 4)));
    const QByteArrayView rest = QByteArrayView(bytes).sliced(mark == TextMark::Utf8 ? 3 : 0);
    const bool utf8 = rest.isValidUtf8();
    // UTF-16, or a byte-order mark before bytes that are not UTF-8, which the
    // decoder reads in its own way.
    if (mark == TextMark::Utf16 || (mark == TextMark::Utf8 && !utf8))
        return findLastDocument(decodeUserText(bytes));
    Walked<QByteArrayView> walked = walkedBytes(rest, utf8);
    QByteArray written;  // the bytes are copied only where their line ends are not the writer's
    if (!hasWrittenLineEnds(QByteArray::fromRawData(rest.data(), rest.size()), walked.closing)) {
        written = withWrittenLineEnds(rest.toByteArray(), walked.closing);
        walked.text = written;
    }
    return Reader<QByteArrayView>(walked).lastDocument();
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
    return found ? std::optional(DocumentFound{found->record, found->sole, DocumentKind::Markdown}) : std::nullopt;
}

}  // namespace

DocumentRead readDocumentBytes(const QByteArray& bytes, const FilePath& path, const DocumentReading& reading)
{
    const bool markdownFirst = kindOfName(QString::fromUtf8(path.nameNative())) == DocumentKind::Markdown;
    std::optional<DocumentFound> found;
    if (!markdownFirst)
        found = findLastDocumentInBytes(bytes);
    if (!found) {
        const QString text = decodeUserText(bytes);
        found = markdownIn(text, reading);
        if (!found && markdownFirst)
            found = findLastDocument(text);
    }
    if (found)
        return {std::move(found), std::nullopt};
    // Error 62, "input past end of file", as for a licence file that ends
    // before its fields.
    return {std::nullopt, FileError::of(FileProblem::NoWholeDocument, 62, path)};
}

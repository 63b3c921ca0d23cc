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

#include <algorithm>
#include <vector>

namespace {

struct Placed {
    qsizetype start = 0;
    qsizetype end = 0;
    QList<Span> fields;
};

class Reader {
public:
    explicit Reader(QStringView text)
        : text_(text), shape_(DocumentShape::get()), fields_(documentFields()), lineEnds_(text)
    {
        for (qsizetype i = 1; i < shape_.before.size(); ++i)
            after_.emplace_back(text, shape_.before[i]);
        after_.emplace_back(text, shape_.closing);
        for (qsizetype i = 1; i < shape_.before.size(); ++i) {
            QStringList written;
            for (const QString& choice : statusChoices())
                written.append(shape_.before[i] + choice);
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
    const QString& textAfter(qsizetype i) const
    {
        return i + 1 < shape_.before.size() ? shape_.before[i + 1] : shape_.closing;
    }

    std::optional<Placed> documentAt(qsizetype start) const
    {
        if (!text_.sliced(start).startsWith(shape_.before[0]))
            return std::nullopt;
        Placed placed{start, 0, QList<Span>(fields_.size())};
        qsizetype at = start + shape_.before[0].size();
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
        const QStringView span = text_.sliced(at, end - at);
        const QStringList& choices = statusChoices();
        for (qsizetype k = 0; k < choices.size(); ++k) {
            const QString& choice = choices[k];
            const QString& written = writtenChoices_[i][k];  // the fixed text before the choice, and the choice
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
        return held && (!field.upperCased || isUpperCaseKeepingLength(text_.sliced(s.start, s.end - s.start)));
    }

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
            std::find_if(text_.begin() + from, text_.end(), [](QChar c) { return c == u'\n' || c == u'\r'; });
        return end == text_.end() ? -1 : end - text_.begin();
    }

    qsizetype lastLineEndBefore(qsizetype place) const
    {
        return std::max(text_.lastIndexOf(u'\n', place), text_.lastIndexOf(u'\r', place));
    }

    void runLastFieldToTheEnd(Placed& placed) const
    {
        const qsizetype last = fields_.size() - 1;
        const Span longer{placed.fields[last].start, text_.size() - shape_.closing.size()};
        if (placed.end < text_.size() && text_.endsWith(shape_.closing) && longer.end >= longer.start &&
            fits(last, longer)) {
            placed.fields[last] = longer;
            placed.end = text_.size();
        }
    }

    DocumentRecord recordOf(const Placed& placed) const
    {
        DocumentRecord record;
        for (qsizetype i = 0; i < qsizetype(fields_.size()); ++i) {
            const Span s = placed.fields[i];
            const QStringView span = text_.sliced(s.start, s.end - s.start);
            record.*(fields_[i].value) = fields_[i].kind == FieldKind::Lines ? boxTextOf(span) : span.toString();
        }
        return record;
    }

    QStringView text_;
    const DocumentShape& shape_;
    std::span<const DocumentField> fields_;
    LineEnds lineEnds_;
    std::vector<NextPlace> after_;  // after_[i]: the fixed text after field i
    QList<QStringList> writtenChoices_;
};

// Line ends as the writer makes them: a text without a single CR LF has its
// LFs, or else its CRs, made CR LF; a closing rule without its final line end
// gets it back.
QString withWrittenLineEnds(QString text)
{
    if (!text.contains(QLatin1String("\r\n"))) {
        if (text.contains(u'\n'))
            text.replace(u'\n', QLatin1String("\r\n"));
        else if (text.contains(u'\r'))
            text.replace(u'\r', QLatin1String("\r\n"));
    }
    const QString& closing = DocumentShape::get().closing;
    if (!text.endsWith(closing) && text.endsWith(QStringView(closing).chopped(2)))
        text += QLatin1String("\r\n");
    return text;
}

}  // namespace

std::optional<DocumentFound> findLastDocument(QString text)
{
    const QString written = withWrittenLineEnds(std::move(text));
    return Reader(written).lastDocument();
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
    const QString text = decodeUserText(bytes);
    const bool markdownFirst = kindOfName(QString::fromUtf8(path.nameNative())) == DocumentKind::Markdown;
    auto found = markdownFirst ? markdownIn(text, reading) : findLastDocument(text);
    if (!found)
        found = markdownFirst ? findLastDocument(text) : markdownIn(text, reading);
    if (found)
        return {std::move(found), std::nullopt};
    // Error 62, "input past end of file", as for a licence file that ends
    // before its fields.
    return {std::nullopt, FileError::of(FileProblem::NoWholeDocument, 62, path)};
}

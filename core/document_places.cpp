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
#include "document_places.h"

#include "document_fields.h"
#include "text_scan.h"

#include <algorithm>
#include <span>
#include <vector>

namespace {

struct Placed {
    qsizetype start = 0;
    qsizetype end = 0;
    QList<Span> fields;
};

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
        DocumentFound found;
        found.sole = last->start == 0 && last->end == text_.size();
        fillRecord(*last, found);
        return found;
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

    void fillRecord(const Placed& placed, DocumentFound& found) const
    {
        for (qsizetype i = 0; i < qsizetype(fields_.size()); ++i) {
            const DocumentField& field = fields_[i];
            const View span = spanOf(placed.fields[i]);
            if (walked_.fields.unused.contains(&field))
                continue;
            if constexpr (std::is_same_v<View, QByteArrayView>) {
                if (walked_.asGiven && walked_.fields.asBytes.contains(&field)) {
                    found.undecoded.append({&field, span, walked_.utf8});
                    continue;
                }
            }
            const QString value = walked_.decode(span);
            found.record.*(field.value) = field.kind == FieldKind::Lines ? boxTextOf(value) : value;
        }
    }

    const Walked<View>& walked_;
    View text_;
    std::span<const DocumentField> fields_;
    LineEnds<View> lineEnds_;
    std::vector<NextPlace<View>> after_;  // after_[i]: the fixed text after field i
    QList<QList<Fixed>> writtenChoices_;
};

}  // namespace

template <typename View>
std::optional<DocumentFound> lastDocumentWalking(const Walked<View>& walked)
{
    return Reader<View>(walked).lastDocument();
}

template std::optional<DocumentFound> lastDocumentWalking(const Walked<QStringView>&);
template std::optional<DocumentFound> lastDocumentWalking(const Walked<QByteArrayView>&);

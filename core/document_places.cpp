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
// The text is walked from its start: a document starts at the text's
// start, right after the document before it, or at the start of a line that
// holds the fixed text after the first field (" Ver. "). The last document
// found is the one read. Where nothing after it is a document and the text
// ends with the closing fixed text, its last field runs to the text's end
// (a licence that ends by quoting a document's closing rule).
//
// A file of many appended documents is not walked through, though: the walk
// starts instead at a document close to the text's end that the walk from
// the start is sure to reach, and goes on as that walk would. A document
// found from an earlier start ends no later than one found from a later
// start (each field ends at the earliest place of the text after it), so a
// place is sure to be reached where the latest document that can start
// before it, at any place the walk could try, ends no later than it.
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

// A place the walk could try: the text's start, the end of a closing fixed
// text, or the start of a line that holds the fixed text after the first
// field, which the walk never passes over unless inside a document.
struct Place {
    qsizetype at = -1;
    bool lineWithMark = false;
};

// How far from its end a text is searched for a place to start from, and how
// many documents are tried there, before the walk starts from the text's start.
constexpr qsizetype kReach = qsizetype(256) * 1024;
constexpr int kTries = 32;

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
        for (qsizetype start = walked_.fromTheStart ? 0 : placeSureToBeReached(); start >= 0 && start < text_.size();) {
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
    // Close to the text's end, the start of a document that the walk from
    // the text's start reaches; else the text's start.
    qsizetype placeSureToBeReached() const
    {
        const qsizetype floor = std::max<qsizetype>(0, text_.size() - kReach);
        qsizetype candidate = -1;  // a document starts there, and none from a later place before it runs past it
        int tries = 0;
        for (Place p = placeBefore(text_.size(), floor); p.at >= floor && tries < kTries;
             p = placeBefore(p.at, floor)) {
            if (candidate >= 0 || p.lineWithMark) {
                ++tries;
                if (reachedPast(p, candidate))
                    return candidate;
            }
            if (p.at == 0)
                return std::max<qsizetype>(candidate, 0);
        }
        return 0;
    }

    // Tries a document at p, before the candidate: whether it ends no later
    // than the candidate, which is then sure to be reached. Else, where one
    // starts there, it becomes the candidate if it starts a line with the
    // mark (the walk cannot pass over it), or there is none.
    bool reachedPast(const Place& p, qsizetype& candidate) const
    {
        const auto placed = documentAt(p.at);
        if (!placed)
            return false;
        if (candidate >= 0 && placed->end <= candidate)
            return true;
        candidate = p.lineWithMark ? p.at : -1;
        return false;
    }

    // The last place before the given one, at or after floor, where the walk
    // could try a document; at is -1 where there is none.
    Place placeBefore(qsizetype before, qsizetype floor) const
    {
        const qsizetype mark = after_[0].lastBefore(before, floor);
        const qsizetype lineWithMark = mark < 0 ? -1 : lineStartOf(mark, floor);
        const qsizetype closingSize = walked_.closing.size();
        const qsizetype closing = after_.back().lastBefore(before - closingSize, floor);
        const qsizetype start = floor == 0 && before > 0 ? 0 : -1;
        const qsizetype at = std::max({lineWithMark, closing < 0 ? -1 : closing + closingSize, start});
        return {at, at >= 0 && at == lineWithMark};
    }

    // The start of the line that holds place, not looking before floor (a
    // place at the floor is never started from: nothing before it is tried).
    qsizetype lineStartOf(qsizetype place, qsizetype floor) const
    {
        if (lineOf_.first != place)
            lineOf_ = {place, lastLineEndBefore(place, floor) + 1};
        return lineOf_.second;
    }

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
        return mark < 0 ? -1 : std::max(lastLineEndBefore(mark, 0), lineEnd) + 1;
    }

    qsizetype nextLineEnd(qsizetype from) const
    {
        const auto end =
            std::find_if(text_.begin() + from, text_.end(), [](auto c) { return c == u'\n' || c == u'\r'; });
        return end == text_.end() ? -1 : end - text_.begin();
    }

    // The last line end before place, not looking before floor; else
    // floor - 1.
    qsizetype lastLineEndBefore(qsizetype place, qsizetype floor) const
    {
        const auto from = std::make_reverse_iterator(text_.begin() + place);
        const auto to = std::make_reverse_iterator(text_.begin() + floor);
        const auto end = std::find_if(from, to, [](auto c) { return c == u'\n' || c == u'\r'; });
        return (end.base() - text_.begin()) - 1;
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
    mutable std::pair<qsizetype, qsizetype> lineOf_{-1, -1};  // the last place asked for, and its line's start
};

}  // namespace

template <typename View>
std::optional<DocumentFound> lastDocumentWalking(const Walked<View>& walked)
{
    return Reader<View>(walked).lastDocument();
}

template std::optional<DocumentFound> lastDocumentWalking(const Walked<QStringView>&);
template std::optional<DocumentFound> lastDocumentWalking(const Walked<QByteArrayView>&);

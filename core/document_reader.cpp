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

#include <QStringMatcher>
#include <algorithm>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
};

// Where a fixed text next occurs. The reader asks from ever later places
// (a later start never places a field earlier), so each search goes on
// from where the last one ended and the text is searched once in all.
class NextPlace {
public:
    NextPlace(QStringView text, const QString& needle) : text_(text), matcher_(needle) {}

    // The first place at or after from, or -1.
    qsizetype firstFrom(qsizetype from) const
    {
        const bool known = askedFrom_ >= 0 && from >= askedFrom_ && (found_ < 0 || from <= found_);
        if (!known) {
            askedFrom_ = from;
            found_ = matcher_.indexIn(text_, from);
        }
        return found_;
    }

private:
    QStringView text_;
    QStringMatcher matcher_;
    mutable qsizetype askedFrom_ = -1;
    mutable qsizetype found_ = -1;
};

// The line ends that could not have come from the writer, which writes every
// line break as CR LF.
class LineEnds {
public:
    explicit LineEnds(QStringView text) : text_(text) { findLoneEnds(); }

    // A one-line box can hold any text, but no line feed of its own.
    bool holdAsLine(Span s) const { return s.start == s.end || (text_[s.start] != u'\n' && !anyWithin(loneFeeds_, s)); }

    // A multi-line box holds line breaks as LF only.
    bool holdAsLines(Span s) const
    {
        return holdAsLine(s) && (s.start == s.end || text_[s.end - 1] != u'\r') && !anyWithin(loneReturns_, s);
    }

private:
    static bool anyWithin(const QList<qsizetype>& places, Span s)
    {
        const auto at = std::lower_bound(places.begin(), places.end(), s.start);
        return at != places.end() && *at < s.end;
    }

    void noteAt(qsizetype i)
    {
        const char16_t* units = text_.utf16();
        const qsizetype size = text_.size();
        if (units[i] == u'\n' && (i == 0 || units[i - 1] != u'\r'))
            loneFeeds_.append(i);
        if (units[i] == u'\r' && (i + 1 == size || units[i + 1] != u'\n'))
            loneReturns_.append(i);
    }

    void findLoneEnds()
    {
        const char16_t* units = text_.utf16();
        const qsizetype size = text_.size();
        qsizetype i = 0;
#if defined(__SSE2__)
        // Eight units at a time, each beside its neighbours: a text of CR LF
        // line ends has none, and is passed over at the speed of memory.
        const __m128i lineFeed = _mm_set1_epi16(0x000A), carriageReturn = _mm_set1_epi16(0x000D);
        for (i = 1; i + 9 <= size; i += 8) {
            const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
            const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i - 1));
            const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i + 1));
            const __m128i loneFeed =
                _mm_andnot_si128(_mm_cmpeq_epi16(before, carriageReturn), _mm_cmpeq_epi16(now, lineFeed));
            const __m128i loneReturn =
                _mm_andnot_si128(_mm_cmpeq_epi16(after, lineFeed), _mm_cmpeq_epi16(now, carriageReturn));
            if (_mm_movemask_epi8(_mm_or_si128(loneFeed, loneReturn)) != 0) {
                for (qsizetype k = i; k < i + 8; ++k)
                    noteAt(k);
            }
        }
        if (size > 0)
            noteAt(0);
#endif
        for (; i < size; ++i)
            noteAt(i);
    }

    QStringView text_;
    QList<qsizetype> loneFeeds_;
    QList<qsizetype> loneReturns_;
};

struct Placed {
    qsizetype start = 0;
    qsizetype end = 0;
    QList<Span> fields;
};

// A multi-line box's text: its every CR stands before an LF (the field
// fits), and the box holds the line break as the LF alone. One pass, where
// replacing one pair at a time would move the rest of the text each time.
QString boxTextOf(QStringView span)
{
    QString text(span.size(), Qt::Uninitialized);
    const auto end = std::remove_copy(span.begin(), span.end(), text.begin(), QChar(u'\r'));
    text.truncate(end - text.begin());
    return text;
}

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

    qsizetype nextLineWithFirstMark(qsizetype from) const
    {
        const qsizetype lineEnd = text_.indexOf(u"\r\n", from);
        const qsizetype mark = lineEnd < 0 ? -1 : after_[0].firstFrom(lineEnd + 2);
        return mark < 0 ? -1 : text_.lastIndexOf(u"\r\n", mark) + 2;
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

DocumentRead readDocument(const FilePath& path)
{
    QByteArray bytes;
    if (auto error = file_io::readFile(path, bytes))
        return {std::nullopt, error};
    if (auto found = findLastDocument(decodeUserText(bytes)))
        return {std::move(found), std::nullopt};
    // Error 62, "input past end of file", as for a licence file that ends
    // before its fields.
    return {std::nullopt, FileError::of(FileProblem::NoWholeDocument, 62, path)};
}

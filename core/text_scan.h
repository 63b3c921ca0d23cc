#pragma once

// Finding the reader's way through a document's text: where a fixed text
// next occurs, and which line ends the writer could not have written.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <type_traits>

struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
};

// Finds one fixed text in texts of the same kind of unit: Horspool's skip
// on the unit under the needle's last place, and the whole needle compared
// at once where that unit matches. The fixed texts end in line breaks, so a
// unit-by-unit comparison from the end (QByteArrayMatcher's) spent most of
// an open going over them.
template <typename Unit>
class FixedTextSearch {
public:
    explicit FixedTextSearch(std::basic_string_view<Unit> needle);

    // The first place at or after from, or -1.
    qsizetype indexIn(std::basic_string_view<Unit> text, qsizetype from) const;
    // The last place at or after floor and before limit, or -1; the same
    // skips, from the needle's first place.
    qsizetype lastIndexIn(std::basic_string_view<Unit> text, qsizetype floor, qsizetype limit) const;
    size_t size() const { return needle_.size(); }

private:
    std::basic_string<Unit> needle_;
    std::array<qsizetype, 256> shift_{};      // by the unit's low byte
    std::array<qsizetype, 256> shiftBack_{};  // the same, searching backwards
};

extern template class FixedTextSearch<char>;
extern template class FixedTextSearch<char16_t>;

// Where a fixed text next occurs, in a text (QStringView) or in a file's
// bytes (QByteArrayView) with the fixed text encoded alike. The reader's walk
// asks from ever later places (a later start never places a field earlier),
// and its look from the text's end from ever earlier ones, so each search
// goes on from where the last one in that direction ended and the text is
// searched about once in all.
template <typename View>
class NextPlace {
public:
    using Unit = std::conditional_t<std::is_same_v<View, QStringView>, char16_t, char>;
    template <typename Needle>
    NextPlace(View text, const Needle& needle) : text_(unitsOf(text)), search_(unitsOf(View(needle)))
    {
    }

    // The first place at or after from, or -1.
    qsizetype firstFrom(qsizetype from) const
    {
        const bool known = askedFrom_ >= 0 && from >= askedFrom_ && (found_ < 0 || from <= found_);
        if (known)
            return found_;
        if (askedFrom_ >= 0 && from < askedFrom_) {
            // Only the places before the last search's start are new.
            const auto searched = std::min(text_.size(), size_t(askedFrom_) + search_.size() - 1);
            const qsizetype earlier = search_.indexIn(text_.substr(0, searched), from);
            found_ = earlier >= 0 ? earlier : found_;
        } else {
            found_ = search_.indexIn(text_, from);
        }
        askedFrom_ = from;
        return found_;
    }

    // The last place at or after floor and before limit, or -1.
    qsizetype lastBefore(qsizetype limit, qsizetype floor) const
    {
        const bool known = lastFloor_ == floor && limit <= askedBefore_ && foundBefore_ < limit;
        if (!known) {
            lastFloor_ = floor;
            foundBefore_ = search_.lastIndexIn(text_, floor, limit);
        }
        askedBefore_ = limit;
        return foundBefore_;
    }

private:
    static std::basic_string_view<Unit> unitsOf(View view)
    {
        return {reinterpret_cast<const Unit*>(view.data()), size_t(view.size())};
    }

    std::basic_string_view<Unit> text_;
    FixedTextSearch<Unit> search_;
    mutable qsizetype askedFrom_ = -1;
    mutable qsizetype found_ = -1;
    mutable qsizetype lastFloor_ = -1;
    mutable qsizetype askedBefore_ = -1;
    mutable qsizetype foundBefore_ = -1;
};

// The line ends that could not have come from the writer, which writes every
// line break as CR LF; in a text or in bytes (CR and LF are the same bytes in
// UTF-8 and Windows-1252). They are looked for from the earliest place asked
// about, since opening a file of many documents looks only at its end.
template <typename View>
class LineEnds {
public:
    explicit LineEnds(View text) : text_(text), foundFrom_(text.size()) {}

    // A one-line box can hold any text, but no line feed of its own.
    bool holdAsLine(Span s) const { return s.start == s.end || (text_[s.start] != u'\n' && !anyWithin(loneFeeds_, s)); }
    // A multi-line box holds line breaks as LF only.
    bool holdAsLines(Span s) const
    {
        return holdAsLine(s) && (s.start == s.end || text_[s.end - 1] != u'\r') && !anyWithin(loneReturns_, s);
    }

private:
    bool anyWithin(QList<qsizetype>& places, Span s) const;
    void findFrom(qsizetype start) const;
    void noteAt(qsizetype i, QList<qsizetype>& feeds, QList<qsizetype>& returns) const;

    View text_;
    // Found in the text from foundFrom_ on, in order.
    mutable qsizetype foundFrom_;
    mutable QList<qsizetype> loneFeeds_;
    mutable QList<qsizetype> loneReturns_;
};

extern template class LineEnds<QStringView>;
extern template class LineEnds<QByteArrayView>;

// A multi-line box's text: its every CR stands before an LF (the field
// fits), and the box holds the line break as the LF alone.
QString boxTextOf(QStringView span);

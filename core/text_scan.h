#pragma once

// Finding the reader's way through a document's text: where a fixed text
// next occurs, and which line ends the writer could not have written.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

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

private:
    std::basic_string<Unit> needle_;
    std::array<qsizetype, 256> shift_{};  // by the unit's low byte
};

extern template class FixedTextSearch<char>;
extern template class FixedTextSearch<char16_t>;

// Where a fixed text next occurs, in a text (QStringView) or in a file's
// bytes (QByteArrayView) with the fixed text encoded alike. The reader asks
// from ever later places (a later start never places a field earlier), so
// each search goes on from where the last one ended and the text is searched
// once in all.
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
        if (!known) {
            askedFrom_ = from;
            found_ = search_.indexIn(text_, from);
        }
        return found_;
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
};

// The line ends that could not have come from the writer, which writes every
// line break as CR LF; in a text or in bytes (CR and LF are the same bytes in
// UTF-8 and Windows-1252).
template <typename View>
class LineEnds {
public:
    explicit LineEnds(View text) : text_(text) { findLoneEnds(); }

    // A one-line box can hold any text, but no line feed of its own.
    bool holdAsLine(Span s) const { return s.start == s.end || (text_[s.start] != u'\n' && !anyWithin(loneFeeds_, s)); }
    // A multi-line box holds line breaks as LF only.
    bool holdAsLines(Span s) const
    {
        return holdAsLine(s) && (s.start == s.end || text_[s.end - 1] != u'\r') && !anyWithin(loneReturns_, s);
    }

private:
    static bool anyWithin(const QList<qsizetype>& places, Span s);
    void noteAt(qsizetype i);
    void findLoneEnds();

    View text_;
    QList<qsizetype> loneFeeds_;
    QList<qsizetype> loneReturns_;
};

extern template class LineEnds<QStringView>;
extern template class LineEnds<QByteArrayView>;

// A multi-line box's text: its every CR stands before an LF (the field
// fits), and the box holds the line break as the LF alone.
QString boxTextOf(QStringView span);

#include "text_scan.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

template <typename Unit>
FixedTextSearch<Unit>::FixedTextSearch(std::basic_string_view<Unit> needle) : needle_(needle)
{
    const auto size = qsizetype(needle_.size());
    shift_.fill(std::max<qsizetype>(size, 1));
    for (qsizetype i = 0; i + 1 < size; ++i)
        shift_[uchar(needle_[size_t(i)])] = size - 1 - i;
    shiftBack_.fill(std::max<qsizetype>(size, 1));
    for (qsizetype i = size - 1; i > 0; --i)
        shiftBack_[uchar(needle_[size_t(i)])] = i;
}

template <typename Unit>
qsizetype FixedTextSearch<Unit>::indexIn(std::basic_string_view<Unit> text, qsizetype from) const
{
    const auto size = qsizetype(needle_.size()), end = qsizetype(text.size());
    if (size == 0)
        return from <= end ? from : -1;
    const Unit last = needle_.back();
    for (qsizetype at = from; at + size <= end;) {
        const Unit unit = text[size_t(at + size - 1)];
        if (unit == last && std::memcmp(text.data() + at, needle_.data(), size_t(size - 1) * sizeof(Unit)) == 0)
            return at;
        at += shift_[uchar(unit)];
    }
    return -1;
}

template <typename Unit>
qsizetype FixedTextSearch<Unit>::lastIndexIn(std::basic_string_view<Unit> text, qsizetype floor, qsizetype limit) const
{
    const auto size = qsizetype(needle_.size());
    if (size == 0)
        return limit > floor ? limit - 1 : -1;
    const Unit first = needle_.front();
    for (qsizetype at = std::min(limit - 1, qsizetype(text.size()) - size); at >= floor;) {
        const Unit unit = text[size_t(at)];
        if (unit == first &&
            std::memcmp(text.data() + at + 1, needle_.data() + 1, size_t(size - 1) * sizeof(Unit)) == 0)
            return at;
        at -= shiftBack_[uchar(unit)];
    }
    return -1;
}

template class FixedTextSearch<char>;
template class FixedTextSearch<char16_t>;

template <typename View>
bool LineEnds<View>::anyWithin(QList<qsizetype>& places, Span s) const
{
    findFrom(s.start);
    const auto at = std::lower_bound(places.begin(), places.end(), s.start);
    return at != places.end() && *at < s.end;
}

template <typename View>
void LineEnds<View>::noteAt(qsizetype i, QList<qsizetype>& feeds, QList<qsizetype>& returns) const
{
    const qsizetype size = text_.size();
    if (text_[i] == u'\n' && (i == 0 || text_[i - 1] != u'\r'))
        feeds.append(i);
    if (text_[i] == u'\r' && (i + 1 == size || text_[i + 1] != u'\n'))
        returns.append(i);
}

namespace {

#if defined(__SSE2__)
// Sixteen bytes or eight UTF-16 units at a time, each beside its
// neighbours; where one is a lone LF or CR, the mask is not zero.
int loneEndsMask(const char16_t* at)
{
    const __m128i lineFeed = _mm_set1_epi16(0x000A), carriageReturn = _mm_set1_epi16(0x000D);
    const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
    const __m128i loneFeed = _mm_andnot_si128(_mm_cmpeq_epi16(before, carriageReturn), _mm_cmpeq_epi16(now, lineFeed));
    const __m128i loneReturn = _mm_andnot_si128(_mm_cmpeq_epi16(after, lineFeed), _mm_cmpeq_epi16(now, carriageReturn));
    return _mm_movemask_epi8(_mm_or_si128(loneFeed, loneReturn));
}

int loneEndsMask(const char* at)
{
    const __m128i lineFeed = _mm_set1_epi8(0x0A), carriageReturn = _mm_set1_epi8(0x0D);
    const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
    const __m128i loneFeed = _mm_andnot_si128(_mm_cmpeq_epi8(before, carriageReturn), _mm_cmpeq_epi8(now, lineFeed));
    const __m128i loneReturn = _mm_andnot_si128(_mm_cmpeq_epi8(after, lineFeed), _mm_cmpeq_epi8(now, carriageReturn));
    return _mm_movemask_epi8(_mm_or_si128(loneFeed, loneReturn));
}
#endif

}  // namespace

// Each time at least as far again as found so far, so that a walk from the
// text's start looks over it once in all.
template <typename View>
void LineEnds<View>::findFrom(qsizetype start) const
{
    if (start >= foundFrom_)
        return;
    const qsizetype size = text_.size(), end = foundFrom_;
    const qsizetype from = std::max<qsizetype>(0, std::min(start, end - std::max<qsizetype>(size - end, 4096)));
    QList<qsizetype> feeds, returns;
    qsizetype i = from;
    if (i == 0 && size > 0)
        noteAt(i++, feeds, returns);
#if defined(__SSE2__)
    // A text of CR LF line ends has none, and is passed over at the speed of
    // memory.
    constexpr qsizetype kStep = 16 / sizeof(*text_.data());
    const auto* units = reinterpret_cast<const std::conditional_t<kStep == 8, char16_t, char>*>(text_.data());
    for (; i + kStep <= end && i + kStep < size; i += kStep) {
        if (loneEndsMask(units + i) != 0) {
            for (qsizetype k = i; k < i + kStep; ++k)
                noteAt(k, feeds, returns);
        }
    }
#endif
    for (; i < end; ++i)
        noteAt(i, feeds, returns);
    loneFeeds_ = feeds + loneFeeds_;
    loneReturns_ = returns + loneReturns_;
    foundFrom_ = from;
}

template class LineEnds<QStringView>;
template class LineEnds<QByteArrayView>;

QString boxTextOf(QStringView span)
{
    QString text(span.size(), Qt::Uninitialized);
    const auto end = std::remove_copy(span.begin(), span.end(), text.begin(), QChar(u'\r'));
    text.truncate(end - text.begin());
    return text;
}

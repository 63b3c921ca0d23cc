#include "text_scan.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

qsizetype NextPlace::firstFrom(qsizetype from) const
{
    const bool known = askedFrom_ >= 0 && from >= askedFrom_ && (found_ < 0 || from <= found_);
    if (!known) {
        askedFrom_ = from;
        found_ = matcher_.indexIn(text_, from);
    }
    return found_;
}

bool LineEnds::holdAsLine(Span s) const
{
    return s.start == s.end || (text_[s.start] != u'\n' && !anyWithin(loneFeeds_, s));
}

bool LineEnds::holdAsLines(Span s) const
{
    return holdAsLine(s) && (s.start == s.end || text_[s.end - 1] != u'\r') && !anyWithin(loneReturns_, s);
}

bool LineEnds::anyWithin(const QList<qsizetype>& places, Span s)
{
    const auto at = std::lower_bound(places.begin(), places.end(), s.start);
    return at != places.end() && *at < s.end;
}

void LineEnds::noteAt(qsizetype i)
{
    const char16_t* units = text_.utf16();
    const qsizetype size = text_.size();
    if (units[i] == u'\n' && (i == 0 || units[i - 1] != u'\r'))
        loneFeeds_.append(i);
    if (units[i] == u'\r' && (i + 1 == size || units[i + 1] != u'\n'))
        loneReturns_.append(i);
}

void LineEnds::findLoneEnds()
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

QString boxTextOf(QStringView span)
{
    QString text(span.size(), Qt::Uninitialized);
    const auto end = std::remove_copy(span.begin(), span.end(), text.begin(), QChar(u'\r'));
    text.truncate(end - text.begin());
    return text;
}

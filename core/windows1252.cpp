#include "windows1252.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <array>

namespace windows1252 {
namespace {

// Bytes 0x80 to 0x9F. The five bytes the code page leaves unassigned map to
// the C1 control of the same value, as Windows does, so they round-trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char kReplacement = '?';

int byteFor(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), codePoint);
    if (found == kHighControls.end())
        return -1;
    return 0x80 + static_cast<int>(found - kHighControls.begin());
}

char encodedByte(char32_t codePoint)
{
    const int byte = byteFor(codePoint);
    return byte < 0 ? kReplacement : static_cast<char>(byte);
}

// Four UTF-16 units read as one 64-bit word: all of them ASCII, and none of
// them a line feed.
bool plainAscii(std::uint64_t units, bool lineFeedsMatter)
{
    if (units & 0xFF80FF80FF80FF80ull)
        return false;
    if (!lineFeedsMatter)
        return true;
    const std::uint64_t x = units ^ 0x000A000A000A000Aull;
    return ((x - 0x0001000100010001ull) & ~x & 0x8000800080008000ull) == 0;
}

// Copies the run of plain ASCII units (no line feed where those matter) that
// starts at unit, several at a time, since long texts are mostly such runs.
// Returns how many units it took.
qsizetype copyAsciiRun(char* out, const char16_t* unit, const char16_t* end, bool crlf)
{
    const char16_t* const start = unit;
#if defined(__SSE2__)
    const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i lineFeeds = _mm_set1_epi16(0x000A);
    const __m128i zero = _mm_setzero_si128();
    while (end - unit >= 8) {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(unit));
        __m128i plain = _mm_cmpeq_epi16(_mm_and_si128(eight, highBits), zero);
        if (crlf)
            plain = _mm_andnot_si128(_mm_cmpeq_epi16(eight, lineFeeds), plain);
        // Stored whole even where only the first units are plain: the rest
        // is written over next, and there is room for eight (one byte per
        // unit left). A line of text ends here, not in the loops below.
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(eight, eight));
        const auto mask = unsigned(_mm_movemask_epi8(plain));
        if (mask != 0xFFFF)
            return unit + std::countr_one(mask) / 2 - start;
        out += 8;
        unit += 8;
    }
#endif
    std::uint64_t four;
    while (end - unit >= 4 && (std::memcpy(&four, unit, sizeof four), plainAscii(four, crlf))) {
        for (int k = 0; k < 4; ++k)
            out[k] = static_cast<char>(four >> (16 * k));
        out += 4;
        unit += 4;
    }
    return unit - start;
}

// Writes the text's bytes from out onwards and returns where they end; out
// has room for one byte per UTF-16 unit, plus one per LF when crlf is set.
char* encodeInto(char* out, QStringView text, bool crlf, char16_t previous = 0)
{
    const char16_t* unit = text.utf16();
    const char16_t* const end = unit + text.size();
    while (unit < end) {
        const qsizetype copied = copyAsciiRun(out, unit, end, crlf);
        if (copied > 0) {
            out += copied;
            unit += copied;
            previous = unit[-1];
        }
        if (unit == end)
            break;
        const char16_t c = *unit++;
        if (QChar::isHighSurrogate(c) && unit < end && QChar::isLowSurrogate(*unit)) {
            *out++ = kReplacement;  // one character outside the BMP, one '?'
            ++unit;
        } else {
            if (crlf && c == u'\n' && previous != u'\r')
                *out++ = '\r';
            *out++ = encodedByte(c);
        }
        previous = c;
    }
    return out;
}

}  // namespace

char* encodeWithCrLf(char* out, QStringView piece, char16_t previous) { return encodeInto(out, piece, true, previous); }

#if defined(__SSE2__)
// The bits set in each byte value: std::popcount is a library call on the
// x86-64 baseline, which has no instruction for it.
constexpr auto kBitsIn = [] {
    std::array<qsizetype, 256> bits{};
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = std::popcount(i);
    return bits;
}();
#endif

// One byte per unit, less one for each surrogate pair (one '?'), plus one
// for each LF that no CR comes before.
qsizetype encodedSizeWithCrLf(QStringView text)
{
    const char16_t* const units = text.utf16();
    const qsizetype count = text.size();
    if (count == 0)
        return 0;
    qsizetype extra = units[0] == u'\n';
    qsizetype i = 1;
#if defined(__SSE2__)
    // Eight units at a time, each beside the one before it: long texts are
    // counted at the speed they are encoded.
    const __m128i lineFeed = _mm_set1_epi16(0x000A), carriageReturn = _mm_set1_epi16(0x000D);
    const __m128i surrogateBits = _mm_set1_epi16(static_cast<short>(0xFC00));
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xD800)), low = _mm_set1_epi16(static_cast<short>(0xDC00));
    for (; i + 8 <= count; i += 8) {
        const __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i - 1));
        const __m128i bareLineFeeds =
            _mm_andnot_si128(_mm_cmpeq_epi16(before, carriageReturn), _mm_cmpeq_epi16(now, lineFeed));
        const __m128i pairs = _mm_and_si128(_mm_cmpeq_epi16(_mm_and_si128(before, surrogateBits), high),
                                            _mm_cmpeq_epi16(_mm_and_si128(now, surrogateBits), low));
        // One bit a unit: line feeds in the low byte, pairs in the high one.
        // Most groups have neither, and skip the counting.
        const auto found = unsigned(_mm_movemask_epi8(_mm_packs_epi16(bareLineFeeds, pairs)));
        if (found != 0)
            extra += kBitsIn[found & 0xFFu] - kBitsIn[found >> 8];
    }
#endif
    for (; i < count; ++i) {
        const char16_t unit = units[i], previous = units[i - 1];
        extra += qsizetype(unit == u'\n' && previous != u'\r');
        extra -= qsizetype(QChar::isHighSurrogate(previous) && QChar::isLowSurrogate(unit));
    }
    return count + extra;
}

qsizetype lineFeedsIn(QStringView text) { return std::count(text.utf16(), text.utf16() + text.size(), u'\n'); }

bool canEncode(char32_t codePoint) { return byteFor(codePoint) >= 0; }

QByteArray encode(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    out.truncate(encodeInto(out.data(), text, false) - out.constData());
    return out;
}

void appendWithCrLf(QByteArray& out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() + lineFeedsIn(text));
    out.truncate(encodeInto(out.data() + start, text, true) - out.constData());
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = in + bytes.size();
#if defined(__SSE2__)
    // Sixteen bytes widened at once; the few from 0x80 to 0x9F then looked up.
    const __m128i zero = _mm_setzero_si128();
    while (end - in >= 16) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(sixteen, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(sixteen, zero));
        const __m128i top = _mm_and_si128(sixteen, _mm_set1_epi8(static_cast<char>(0xE0)));
        for (auto high = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(top, _mm_set1_epi8(static_cast<char>(0x80)))));
             high != 0; high &= high - 1) {
            const int k = std::countr_zero(high);
            out[k] = kHighControls[in[k] - 0x80];
        }
        in += 16;
        out += 16;
    }
#endif
    for (; in < end; ++in)
        *out++ = (*in >= 0x80 && *in < 0xA0) ? kHighControls[*in - 0x80] : char16_t(*in);
    return text;
}

}  // namespace windows1252

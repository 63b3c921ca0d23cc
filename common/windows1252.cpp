#include "common/windows1252.h"

#include <algorithm>
#include <array>

namespace windows1252 {
namespace {

// Bytes 0x80 to 0x9F. The five bytes the code page leaves unassigned map to
// the C1 control of the same value, as Windows does, so they round-trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

template <typename Visit>
void forEachCodePoint(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            visit(c.unicode());
        }
    }
}

char encodedByte(char32_t codePoint)
{
    const int byte = byteFor(codePoint);
    return byte < 0 ? kReplacement : static_cast<char>(byte);
}

}  // namespace

bool canEncode(char32_t codePoint) { return byteFor(codePoint) >= 0; }

QByteArray encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    forEachCodePoint(text, [&](char32_t cp) { out.append(encodedByte(cp)); });
    return out;
}

void appendWithCrLf(QByteArray& out, QStringView text)
{
    out.reserve(out.size() + text.size() + 2);
    char32_t previous = 0;
    forEachCodePoint(text, [&](char32_t cp) {
        if (cp == '\n' && previous != '\r')
            out.append('\r');
        out.append(encodedByte(cp));
        previous = cp;
    });
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = (value >= 0x80 && value < 0xA0) ? QChar(kHighControls[value - 0x80]) : QChar(value);
    }
    return text;
}

}  // namespace windows1252

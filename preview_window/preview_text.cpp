#include "preview_text.h"

#include "windows1252.h"

#include <algorithm>

PreviewText::Segment PreviewText::encoded(QStringView text)
{
    Segment segment;
    segment.bytes = windows1252::encode(text);
    for (qsizetype at = segment.bytes.indexOf('\n'); at >= 0; at = segment.bytes.indexOf('\n', at + 1))
        segment.lineEnds.push_back(int(at));
    qsizetype unitsBeyond = 0;  // a pair of units is one character, one byte
    windows1252::forEachUnwritable(text, [&](qsizetype position, qsizetype length) {
        segment.marks.push_back(int(position - unitsBeyond));
        unitsBeyond += length - 1;
        return true;
    });
    return segment;
}

void PreviewText::setSegments(const QStringList& texts)
{
    segments_.clear();
    for (const QString& text : texts)
        segments_.push_back(encoded(text));
    settle();
}

void PreviewText::appendTo(int segment, QStringView text)
{
    Segment& target = segments_[segment];
    const Segment piece = encoded(text);
    const int offset = int(target.bytes.size());
    target.bytes += piece.bytes;
    for (const int at : piece.lineEnds)
        target.lineEnds.push_back(offset + at);
    for (const int at : piece.marks)
        target.marks.push_back(offset + at);
}

void PreviewText::settle()
{
    longest_ = 0;
    for (int number = 0; number < lineCount(); ++number)
        longest_ = std::max(longest_, lineLength(number));
}

// The positions in [from, from + removed) go, those after it move by
// change, and the added ones (counted from from) come in.
void PreviewText::splice(std::vector<int>& positions, int from, int removed, int change, const std::vector<int>& added)
{
    const auto first = std::lower_bound(positions.begin(), positions.end(), from);
    const auto last = std::lower_bound(first, positions.end(), from + removed);
    for (auto later = last; later != positions.end(); ++later)
        *later += change;
    const auto at = positions.erase(first, last);
    const auto inserted = positions.insert(at, added.begin(), added.end());
    std::for_each(inserted, inserted + qsizetype(added.size()), [from](int& position) { position += from; });
}

PreviewText::Change PreviewText::replace(int segment, int position, int removed, QStringView text)
{
    Segment& target = segments_[segment];
    const Segment piece = encoded(text);
    const int change = int(piece.bytes.size()) - removed;
    const std::size_t linesBefore = target.lineEnds.size();
    target.bytes.replace(position, removed, piece.bytes);
    splice(target.lineEnds, position, removed, change, piece.lineEnds);
    splice(target.marks, position, removed, change, piece.marks);
    // The new text's inner lines are whole; the lines it starts and ends on
    // also hold older text.
    for (std::size_t k = 1; k < piece.lineEnds.size(); ++k)
        longest_ = std::max(longest_, piece.lineEnds[k] - piece.lineEnds[k - 1] - 1);
    const int first = lineNumberAt(segment, position);
    longest_ = std::max({longest_, lineLength(first), lineLength(first + int(piece.lineEnds.size()))});
    return {first, target.lineEnds.size() != linesBefore || !piece.lineEnds.empty()};
}

int PreviewText::lineNumberAt(int segment, int position) const
{
    int number = 0;
    for (int before = 0; before < segment; ++before)
        number += int(segments_[before].lineEnds.size());
    const std::vector<int>& ends = segments_[segment].lineEnds;
    return number + int(std::lower_bound(ends.begin(), ends.end(), position) - ends.begin());
}

qint64 PreviewText::byteCount() const
{
    qint64 bytes = 0;
    for (const Segment& segment : segments_)
        bytes += segment.bytes.size() + qint64(segment.lineEnds.size());
    return bytes;
}

int PreviewText::lineCount() const
{
    int lines = 1;
    for (const Segment& segment : segments_)
        lines += int(segment.lineEnds.size());
    return lines;
}

int PreviewText::markCount() const
{
    int marks = 0;
    for (const Segment& segment : segments_)
        marks += int(segment.marks.size());
    return marks;
}

// Calls piece(segment, from, to) for each part of the line: it runs from
// the end of the line before it (or the start) to the next line end, across
// as many segments as it takes.
template <typename Piece>
void PreviewText::forEachPieceOfLine(int number, Piece piece) const
{
    std::size_t segment = 0;
    int position = 0;
    for (int passed = 0; segment < segments_.size(); ++segment) {
        const std::vector<int>& ends = segments_[segment].lineEnds;
        if (passed + int(ends.size()) >= number) {
            position = number == passed ? 0 : ends[number - passed - 1] + 1;
            break;
        }
        passed += int(ends.size());
    }
    for (; segment < segments_.size(); ++segment, position = 0) {
        const Segment& current = segments_[segment];
        const auto end = std::lower_bound(current.lineEnds.begin(), current.lineEnds.end(), position);
        piece(current, position, end == current.lineEnds.end() ? int(current.bytes.size()) : *end);
        if (end != current.lineEnds.end())
            return;
    }
}

int PreviewText::lineLength(int number) const
{
    int length = 0;
    forEachPieceOfLine(number, [&length](const Segment&, int from, int to) { length += to - from; });
    return length;
}

PreviewText::Line PreviewText::line(int number) const
{
    Line line;
    forEachPieceOfLine(number, [&line](const Segment& segment, int from, int to) {
        const auto first = std::lower_bound(segment.marks.begin(), segment.marks.end(), from);
        for (auto mark = first; mark != segment.marks.end() && *mark < to; ++mark)
            line.marks.push_back(int(line.text.size()) + *mark - from);
        line.text += windows1252::decode(QByteArrayView(segment.bytes).sliced(from, to - from));
    });
    return line;
}

QString PreviewText::text() const
{
    QString all;
    for (const Segment& segment : segments_)
        all += windows1252::decode(segment.bytes);
    return all;
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// The preview's text, held as the document holds it: one Windows-1252 byte a
// character (a line break one LF), so that a large document costs about its
// size, in segments that change one at a time (the fixed texts and the
// fields between them). Positions count characters, a line break one.
class PreviewText {
public:
    void setSegments(const QStringList& texts);
    // Adds text at the end of a segment, a piece at a time (a large field
    // never stands whole in memory); settle() once all are in.
    void appendTo(int segment, QStringView text);
    void reserve(int segment, qsizetype characters) { segments_[segment].bytes.reserve(characters); }
    void settle();
    // Which lines an edit changed: from first on, and whether the lines after
    // it moved (line breaks came or went).
    struct Change {
        int first;
        bool linesMoved;
    };
    // In segment, removed characters from position on give way to text.
    Change replace(int segment, int position, int removed, QStringView text);

    int segmentLength(int segment) const { return int(segments_[segment].bytes.size()); }
    // What Create writes: every character one byte, every line end two.
    qint64 byteCount() const;
    int lineCount() const;
    // The longest line's length, in characters; it only grows between two
    // calls of setSegments.
    int longestLine() const { return longest_; }
    // How many characters are shown as '?' for one the document cannot hold.
    int markCount() const;

    struct Line {
        QString text;
        std::vector<int> marks;  // positions in text
    };
    Line line(int number) const;
    // The whole text, with LF line ends.
    QString text() const;

private:
    struct Segment {
        QByteArray bytes;
        std::vector<int> lineEnds;  // positions of the LFs
        std::vector<int> marks;     // positions of unwritable characters
    };
    static Segment encoded(QStringView text);
    static void splice(std::vector<int>& positions, int from, int removed, int change, const std::vector<int>& added);
    int lineNumberAt(int segment, int position) const;
    int lineLength(int number) const;
    template <typename Piece>
    void forEachPieceOfLine(int number, Piece piece) const;

    std::vector<Segment> segments_;
    int longest_ = 0;
};

#pragma once

// Finding the reader's way through a document's text: where a fixed text
// next occurs, and which line ends the writer could not have written.

#include <QList>
#include <QString>
#include <QStringMatcher>
#include <QStringView>

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
    qsizetype firstFrom(qsizetype from) const;

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
    bool holdAsLine(Span s) const;
    // A multi-line box holds line breaks as LF only.
    bool holdAsLines(Span s) const;

private:
    static bool anyWithin(const QList<qsizetype>& places, Span s);
    void noteAt(qsizetype i);
    void findLoneEnds();

    QStringView text_;
    QList<qsizetype> loneFeeds_;
    QList<qsizetype> loneReturns_;
};

// A multi-line box's text: its every CR stands before an LF (the field
// fits), and the box holds the line break as the LF alone.
QString boxTextOf(QStringView span);

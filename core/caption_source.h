#pragma once

#include <QList>
#include <QString>

// The caption of one element of a window: the element's object name (the
// empty name stands for the window's own title) and its text.
struct Caption {
    QString element;
    QString text;

    bool operator==(const Caption&) const = default;
};

// Where release 1.1 takes its window captions from: the language file.
class CaptionSource {
public:
    virtual ~CaptionSource() = default;

    // Every keyed caption of the window with that object name, in the order
    // the window reads them, read afresh at each call; an element whose key
    // is missing gets the empty text.
    virtual QList<Caption> captionsOf(const QString& window) const = 0;
};

#pragma once

#include "file_error.h"
#include "program_texts.h"

#include <QList>
#include <QString>
#include <optional>

// The caption of one element of a window: the element's object name (the
// empty name stands for the window's own title) and its text.
struct Caption {
    QString element;
    QString text;

    bool operator==(const Caption&) const = default;
};

// The captions of a window, and why they are blank where the file that
// holds them could not be read.
struct CaptionsRead {
    QList<Caption> captions;
    std::optional<FileError> error;
};

// Where release 1.1 takes its window captions from: the language file.
class CaptionSource {
public:
    virtual ~CaptionSource() = default;

    // Every keyed caption of the window with that object name, in the order
    // the window reads them, read afresh at each call; an element whose key
    // is missing gets the empty text.
    virtual CaptionsRead captionsOf(const QString& window) const = 0;

    // The program's other texts, read afresh at each call.
    virtual ProgramTexts texts() const = 0;

    // The language the captions are in, as a code ("es", "en"), or the empty
    // text where the source does not say.
    virtual QString language() const = 0;

    // The texts of every language file shipped with the program (the
    // program folder's own, and those in its folders for other languages),
    // so that a document written in any of them can be read back.
    virtual QList<ProgramTexts> shippedTexts() const { return {}; }
};

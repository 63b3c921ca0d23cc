#pragma once

#include "caption_source.h"

// Release 1.1's captions: the language file TE.ini in the program folder,
// read once each time a window loads.
class LanguageFile : public CaptionSource {
public:
    CaptionsRead captionsOf(const QString& window) const override;
    ProgramTexts texts() const override;
    // The key Idioma of the captions' section.
    QString language() const override;
    // The program folder's TE.ini and those in its folders for the other
    // shipped languages (english/TE.ini).
    QList<ProgramTexts> shippedTexts() const override;
};

#pragma once

#include "common/edition.h"

// Release 1.1's captions: the language file TE.ini in the program folder,
// read anew for every key.
class LanguageFile : public CaptionSource {
public:
    QString caption(const QString& key) const override;
};

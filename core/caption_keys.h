#pragma once

#include <QList>
#include <QString>

// The language file's keys (language_keys.cpp holds them all, with the
// program's other texts of program_texts.h).

// Which key of the language file captions which element of a window, in the
// order the window reads them.
struct CaptionKey {
    const char* key;
    // The element's object name; "" names the window's own title.
    const char* element;
};

// The keys of the window with that object name ("FrmTrumi", "FrmOpciones",
// "Frmacercade"); none for any other name.
QList<CaptionKey> captionKeysOf(const QString& window);

// The language file's section that holds the captions.
inline constexpr const char* kLanguageSection = "IDIOMA";

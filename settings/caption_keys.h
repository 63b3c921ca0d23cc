#pragma once

#include <span>

// Which key of the language file captions which element of which window, in
// the order each window reads them, with the Spanish text that the
// single-language release shows fixed in the same place.
struct CaptionKey {
    const char* key;
    // The element's object name; "" names the window's own title.
    const char* element;
    // nullptr where the single-language release has no such element.
    const char* singleLanguageText;
    // Where the single-language release names the element otherwise.
    const char* singleLanguageElement = nullptr;
};

std::span<const CaptionKey> mainWindowCaptions();
std::span<const CaptionKey> optionsWindowCaptions();
std::span<const CaptionKey> aboutWindowCaptions();

// The language file's section that holds the captions.
inline constexpr const char* kLanguageSection = "IDIOMA";

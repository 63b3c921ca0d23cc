#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

// Every file the program writes is Windows-1252, whatever the system locale;
// it reads Windows-1252 too, and UTF-8 or UTF-16 where a file is in one of
// those (text_decoding.h). Qt's named codecs need ICU, and ICU writes the
// control byte 0x1A for a character it cannot encode; this codec writes one
// '?' instead.
namespace windows1252 {

// One byte per character; a character outside the code page is one '?',
// a character outside the Basic Multilingual Plane included.
QByteArray encode(QStringView text);

// Appends the encoded text to out; a bare LF becomes CR LF, a CR LF pair is
// kept as it is.
void appendWithCrLf(QByteArray& out, QStringView text);

// The same, a piece of a longer text at a time: writes from out onwards,
// which has room for two bytes per UTF-16 unit, and returns where it ended.
// previous is the unit that came just before the piece (0 at the start).
char* encodeWithCrLf(char* out, QStringView piece, char16_t previous);

// How many bytes encodeWithCrLf makes of the text (without a previous unit).
qsizetype encodedSizeWithCrLf(QStringView text);

QString decode(QByteArrayView bytes);

bool canEncode(char32_t codePoint);

// Calls found(position, length) for each character of the text that the
// code page cannot hold once the text is composed (NFC), as the document
// writes it, in order; stops where found returns false. A pair of
// surrogates is one character, two units long; a letter and combining marks
// that compose into a character the code page lacks are one, as long as
// they are ("e" and U+0301 is "é", which it holds). The document, the
// preview, the marks in the form and the command line's warning all ask
// this one question.
void forEachUnwritable(QStringView text, const std::function<bool(qsizetype position, qsizetype length)>& found);

// How many '?' the document writes for the text.
qsizetype unwritableCount(QStringView text);

// The different characters of the text that the code page cannot hold, in
// the order they first appear, at most the first ten.
QStringList unwritableCharacters(QStringView text);

qsizetype lineFeedsIn(QStringView text);

}  // namespace windows1252

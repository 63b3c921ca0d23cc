#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Every file the program reads or writes is Windows-1252, whatever the
// system locale. Qt's named codecs need ICU, and ICU writes the control byte
// 0x1A for a character it cannot encode; this codec writes one '?' instead.
namespace windows1252 {

// One byte per character; a character outside the code page is one '?',
// a character outside the Basic Multilingual Plane included.
QByteArray encode(QStringView text);

// Appends the encoded text to out; a bare LF becomes CR LF, a CR LF pair is
// kept as it is.
void appendWithCrLf(QByteArray& out, QStringView text);

QString decode(QByteArrayView bytes);

bool canEncode(char32_t codePoint);

}  // namespace windows1252

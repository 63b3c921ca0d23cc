#pragma once

#include <QByteArrayView>
#include <QString>

// A text file as the user's editor may have saved it: one that starts with
// a UTF-8 or UTF-16 byte-order mark is read in that encoding (without the
// mark); one whose bytes are valid UTF-8 and include non-ASCII characters is
// UTF-8, as Linux editors save it; anything else is Windows-1252.
QString decodeUserText(QByteArrayView bytes);

// What a user's text file starts with, as decodeUserText reads it: a UTF-16
// mark, a UTF-8 mark, or neither (then it is UTF-8 where every byte of it
// is, else Windows-1252). start is the file's first bytes, four are enough.
enum class TextMark { Utf16, Utf8, None };
TextMark textMarkOf(QByteArrayView start);

// A value read from a file, as one line of the file holds it: without the
// line end that ends the file's last line.
QString withoutFinalLineEnd(QString text);

#pragma once

#include <QByteArrayView>
#include <QString>

// A text file as the user's editor may have saved it: one that starts with
// a UTF-8 or UTF-16 byte-order mark is read in that encoding (without the
// mark); one whose bytes are valid UTF-8 and include non-ASCII characters is
// UTF-8, as Linux editors save it; anything else is Windows-1252.
QString decodeUserText(QByteArrayView bytes);

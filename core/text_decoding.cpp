#include "text_decoding.h"

#include "windows1252.h"

#include <QStringDecoder>

QString decodeUserText(QByteArrayView bytes)
{
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        if (*encoding == QStringConverter::Utf16LE || *encoding == QStringConverter::Utf16BE ||
            (*encoding == QStringConverter::Utf8 && bytes.startsWith("\xEF\xBB\xBF"))) {
            QStringDecoder decoder(*encoding);
            return decoder(bytes);
        }
    }
    // The check stops at the first byte that UTF-8 cannot hold, which in a
    // Windows-1252 file is near its start.
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return windows1252::decode(bytes);
}

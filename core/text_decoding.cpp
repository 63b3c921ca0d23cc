#include "text_decoding.h"

#include "windows1252.h"

#include <QStringDecoder>

#include <algorithm>

TextMark textMarkOf(QByteArrayView start)
{
    const auto encoding = QStringConverter::encodingForData(start);
    if (encoding == QStringConverter::Utf16LE || encoding == QStringConverter::Utf16BE)
        return TextMark::Utf16;
    return start.startsWith("\xEF\xBB\xBF") ? TextMark::Utf8 : TextMark::None;
}

QString decodeUserText(QByteArrayView bytes)
{
    if (textMarkOf(bytes.first(std::min<qsizetype>(bytes.size(), 4))) != TextMark::None) {
        QStringDecoder decoder(*QStringConverter::encodingForData(bytes));
        return decoder(bytes);
    }
    // The check stops at the first byte that UTF-8 cannot hold, which in a
    // Windows-1252 file is near its start.
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return windows1252::decode(bytes);
}

QString withoutFinalLineEnd(QString text)
{
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

#include "streamed_value.h"

#include "text_decoding.h"
#include "windows1252.h"

#include <QStringDecoder>

#include <algorithm>

StreamedValue::StreamedValue(file_io::FilePieces file, const DocumentField& field, qsizetype pieceBytes)
    : file_(std::move(file)), field_(field), pieceBytes_(pieceBytes)
{
}

StreamedValue::StreamedValue(const FieldBytes& bytes, qsizetype pieceBytes)
    : held_(bytes.bytes),
      field_(*bytes.field),
      pieceBytes_(pieceBytes),
      encoding_(bytes.utf8 ? Encoding::Utf8 : Encoding::Windows1252)
{
}

bool StreamedValue::prepare()
{
    char start[4];
    if (!file_)
        return true;
    const qint64 got = file_->readAt(start, sizeof start, 0);
    if (got < 0)
        return true;
    const TextMark mark = textMarkOf(QByteArrayView(start, got));
    if (mark == TextMark::Utf16)
        return false;
    start_ = mark == TextMark::Utf8 ? 3 : 0;
    restart();
    if (mark == TextMark::None && !allUtf8())
        encoding_ = Encoding::Windows1252;
    restart();
    return true;
}

// Checked a piece at a time, each ending before a character's first byte.
bool StreamedValue::allUtf8()
{
    while (fill(pieceBytes_) && !buffer_.isEmpty()) {
        const qsizetype whole = wholeCharacters();
        if (whole == 0) {
            if (!fill(buffer_.size() + pieceBytes_))
                return true;
            continue;
        }
        if (!QByteArrayView(buffer_).first(whole).isValidUtf8())
            return false;
        buffer_.remove(0, whole);
    }
    return true;
}

// How many of the bytes waiting hold whole characters: all of them once the
// file has ended, else those before the last character's first byte, since
// that character may go on in the next piece.
qsizetype StreamedValue::wholeCharacters() const
{
    qsizetype whole = buffer_.size();
    if (atEnd_)
        return whole;
    while (whole > 0 && (uchar(buffer_.at(whole - 1)) & 0xC0) == 0x80)
        --whole;
    return whole > 0 ? whole - 1 : 0;
}

// Reads until more than minimum bytes wait, or the file has ended.
bool StreamedValue::fill(qsizetype minimum)
{
    while (!atEnd_ && buffer_.size() <= minimum) {
        const qsizetype had = buffer_.size();
        buffer_.resize(had + pieceBytes_);
        const qint64 got = readAt(buffer_.data() + had, pieceBytes_, offset_);
        buffer_.resize(had + std::max<qint64>(got, 0));
        if (got < 0)
            return false;
        offset_ += got;
        atEnd_ = got == 0;
    }
    return true;
}

qint64 StreamedValue::readAt(char* into, qint64 most, qint64 offset)
{
    if (file_)
        return file_->readAt(into, most, offset);
    const qint64 from = std::min<qint64>(offset, held_.size());
    const qint64 count = std::min<qint64>(most, held_.size() - from);
    std::copy_n(held_.data() + from, count, into);
    return count;
}

// A file's text is the text after its UTF-8 mark; a document's field keeps
// a mark it starts with, as the reader does.
QString StreamedValue::decoded(QByteArrayView bytes) const
{
    if (encoding_ == Encoding::Windows1252)
        return windows1252::decode(bytes);
    if (file_)
        return QString::fromUtf8(bytes);
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(bytes);
}

// Where a piece may end, as near a piece's length as there is a place; 0
// while there is none.
qsizetype StreamedValue::cutAt(qsizetype from) const
{
    return valueCutNear(buffer_.constData(), buffer_.size(), from, pieceBytes_);
}

std::optional<QString> StreamedValue::next()
{
    if (!fill(pieceBytes_))
        return std::nullopt;
    if (buffer_.isEmpty()) {
        unwritable_ = counted_;
        return std::nullopt;
    }
    qsizetype cut = atEnd_ ? buffer_.size() : cutAt(0);
    while (cut == 0) {
        const qsizetype scanned = buffer_.size() - 1;
        if (!fill(buffer_.size() + pieceBytes_))
            return std::nullopt;
        cut = atEnd_ ? buffer_.size() : cutAt(scanned);
    }
    const QByteArrayView bytes = QByteArrayView(buffer_).first(cut);
    QString text = decoded(bytes);
    buffer_.remove(0, cut);
    if (file_ && atEnd_ && buffer_.isEmpty())
        text = withoutFinalLineEnd(std::move(text));
    text = writtenValue(field_, text);
    // Windows-1252 text holds only what the code page can write, and no two
    // of its characters compose into another.
    if (encoding_ == Encoding::Utf8)
        counted_ += windows1252::unwritableCount(text);
    return text;
}

void StreamedValue::restart()
{
    offset_ = start_;
    atEnd_ = false;
    buffer_.truncate(0);
    counted_ = 0;
}

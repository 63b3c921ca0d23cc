#include "file_path.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <iterator>
#include <utility>

#if defined(Q_OS_WIN)
// Windows names files in UTF-16: a path is kept as UTF-8 with '/' between
// its parts, and turned back into UTF-16 for each call (file_io_windows).
FilePath::FilePath(const QString& path) : native_(QDir::fromNativeSeparators(path).toUtf8()) {}

QString FilePath::display() const { return QString::fromUtf8(native_); }

FilePath FilePath::child(const QString& name) const { return childNative(name.toUtf8()); }

namespace {
// "C:/" or "//server/share/": the part of a path that has no folder above it.
bool isRootPrefix(const QByteArray& path, qsizetype slash)
{
    return (slash == 2 && path.size() > 1 && path[1] == ':') || slash == 0;
}
}  // namespace

FilePath FilePath::absolute() const
{
    if (native_.isEmpty())
        return *this;
    return FilePath(QDir::current().absoluteFilePath(display()));
}

QString FilePath::textOfNative(QByteArrayView bytes) { return QString::fromUtf8(bytes); }
#else
#include <climits>
#include <unistd.h>

namespace {

// The length of the valid UTF-8 sequence at the start of bytes, or 0.
qsizetype validSequenceAt(QByteArrayView bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    // The sequence's length by its first byte: 0x80-0xC1 and 0xF5-0xFF
    // never start one.
    static constexpr std::pair<unsigned char, qsizetype> kLengths[] = {
        {0x80, 1}, {0xC2, 0}, {0xE0, 2}, {0xF0, 3}, {0xF5, 4}};
    const auto* below = std::find_if(std::begin(kLengths), std::end(kLengths),
                                     [lead](const auto& entry) { return lead < entry.first; });
    const qsizetype length = below == std::end(kLengths) ? 0 : below->second;
    return length > 0 && length <= bytes.size() && bytes.first(length).isValidUtf8() ? length : 0;
}

// Walks the bytes: each valid sequence to text(sequence), each other byte
// to escaped(byte).
template <typename Escape>
QString decodeEscaping(QByteArrayView bytes, Escape escaped)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString text;
    while (!bytes.isEmpty()) {
        const qsizetype length = validSequenceAt(bytes);
        if (length > 0)
            text += QString::fromUtf8(bytes.first(length));
        else
            text += escaped(static_cast<unsigned char>(bytes[0]));
        bytes = bytes.sliced(std::max<qsizetype>(length, 1));
    }
    return text;
}

bool isEscapedByte(QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; }

QByteArray nativeOf(const QString& text)
{
    const bool escaped = std::any_of(text.begin(), text.end(), isEscapedByte);
    if (!escaped)
        return text.toUtf8();
    QByteArray bytes;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype to = from;
        while (to < text.size() && !isEscapedByte(text[to]))
            ++to;
        bytes += QStringView(text).sliced(from, to - from).toUtf8();
        if (to < text.size())
            bytes += char(text[to].unicode() - 0xDC00);
        from = to + 1;
    }
    return bytes;
}

}  // namespace

FilePath::FilePath(const QString& path) : native_(nativeOf(path)) {}

QString FilePath::display() const
{
    return decodeEscaping(native_, [](unsigned char byte) {
        return QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    });
}

QString FilePath::textOfNative(QByteArrayView bytes)
{
    return decodeEscaping(bytes, [](unsigned char byte) { return QString(QChar(0xDC00 + byte)); });
}

FilePath FilePath::child(const QString& name) const { return childNative(nativeOf(name)); }

namespace {
bool isRootPrefix(const QByteArray&, qsizetype slash) { return slash == 0; }
}  // namespace

FilePath FilePath::absolute() const
{
    char current[PATH_MAX];
    if (native_.isEmpty() || native_.startsWith('/') || !::getcwd(current, sizeof current))
        return *this;
    return fromNative(QByteArray(current) + '/' + native_);
}
#endif

FilePath FilePath::fromNative(QByteArray bytes)
{
    FilePath path;
    path.native_ = std::move(bytes);
    return path;
}

FilePath FilePath::folder() const
{
    const qsizetype slash = native_.lastIndexOf('/');
    if (slash < 0)
        return fromNative(".");
    return fromNative(native_.left(isRootPrefix(native_, slash) ? slash + 1 : slash));
}

FilePath FilePath::childNative(const QByteArray& name) const { return fromNative(native_ + '/' + name); }

QByteArray FilePath::nameNative() const { return native_.mid(native_.lastIndexOf('/') + 1); }

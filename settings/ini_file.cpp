#include "ini_file.h"

#include "file_io.h"
#include "windows1252.h"

#include <QStringDecoder>

namespace {

// A file that starts with the UTF-8 byte-order mark, or whose bytes are
// valid UTF-8 and include non-ASCII characters, is UTF-8, as Linux editors
// save it; anything else is Windows-1252.
QString decodeSettings(const QByteArray& bytes)
{
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    if (bytes.startsWith(byteOrderMark))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return windows1252::decode(bytes);
}

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// Walks the file's lines, telling each section header and each key line.
class ProfileLines {
public:
    explicit ProfileLines(QStringView text) : text_(text) {}

    bool next(QStringView& line)
    {
        if (position_ > text_.size())
            return false;
        qsizetype end = position_;
        while (end < text_.size() && text_[end] != u'\n' && text_[end] != u'\r')
            ++end;
        line = text_.sliced(position_, end - position_).trimmed();
        position_ = end + (end + 1 < text_.size() && text_[end] == u'\r' && text_[end + 1] == u'\n' ? 2 : 1);
        return true;
    }

private:
    QStringView text_;
    qsizetype position_ = 0;
};

bool isSectionHeader(QStringView line) { return line.startsWith(u'[') && line.contains(u']'); }

QStringView sectionName(QStringView line) { return line.sliced(1, line.indexOf(u']') - 1).trimmed(); }

QString valueIn(QStringView text, QStringView section, QStringView key)
{
    ProfileLines lines(text);
    QStringView line;
    bool inSection = false;
    while (lines.next(line)) {
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (isSectionHeader(line)) {
            if (inSection)
                return {};  // only the first matching section counts
            inSection = sectionName(line).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inSection || equals < 0)
            continue;
        if (line.first(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return unquoted(line.sliced(equals + 1).trimmed()).left(IniFile::kLongestValue).toString();
    }
    return {};
}

}  // namespace

IniFile IniFile::fromBytes(const QByteArray& bytes) { return IniFile(decodeSettings(bytes)); }

IniFile IniFile::read(const QString& path)
{
    QByteArray bytes;
    if (file_io::readAll(path, bytes))
        return IniFile(QString());
    return fromBytes(bytes);
}

QString IniFile::value(const QString& section, const QString& key) const
{
    return valueIn(text_, section.trimmed(), key.trimmed());
}

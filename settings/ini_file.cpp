#include "ini_file.h"

#include "file_io.h"
#include "text_decoding.h"

#include <cerrno>

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// A ^Z at the end of the file is a blank there, as are the line ends and
// blanks around it.
QStringView withoutEndOfFileMark(QStringView text)
{
    while (!text.isEmpty() &&
           (isBlank(text.back()) || text.back() == u'\x1A' || text.back() == u'\r' || text.back() == u'\n'))
        text.chop(1);
    return text;
}

QStringView upToNul(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.first(nul);
}

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

QString nameKey(QStringView name) { return upToNul(trimmedBlanks(name)).toString().toCaseFolded(); }

QString valueOf(QStringView text)
{
    return unquoted(upToNul(trimmedBlanks(text))).left(IniFile::kLongestValue).toString();
}

// Calls lineFound with each line of the text, without its line end: CR LF,
// LF and CR each end a line.
template <typename LineFound>
void forEachLine(QStringView text, LineFound lineFound)
{
    qsizetype position = 0;
    while (position <= text.size()) {
        qsizetype end = position;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        lineFound(text.sliced(position, end - position));
        position = end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
    }
}

}  // namespace

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile file;
    const QString text = decodeUserText(bytes);
    QHash<QString, QString>* section = nullptr;  // only the first of each name counts
    forEachLine(withoutEndOfFileMark(text), [&](QStringView rawLine) {
        const QStringView line = trimmedBlanks(rawLine);
        if (line.isEmpty() || line.startsWith(u';'))
            return;
        if (line.startsWith(u'[') && line.contains(u']')) {
            const QString name = nameKey(line.sliced(1, line.indexOf(u']') - 1));
            section = file.sections_.contains(name) ? nullptr : &file.sections_[name];
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!section || equals < 0)
            return;
        const QString key = nameKey(line.first(equals));
        if (!section->contains(key))
            section->insert(key, valueOf(line.sliced(equals + 1)));
    });
    return file;
}

IniFile IniFile::read(const FilePath& path, std::optional<FileError>* error)
{
    QByteArray bytes;
    auto readError = file_io::readFile(path, bytes);
    if (!readError)
        return fromBytes(bytes);
    if (error && readError->number != ENOENT)
        *error = readError;
    return IniFile();
}

QString IniFile::value(const QString& section, const QString& key) const
{
    const auto found = sections_.constFind(nameKey(section));
    return found == sections_.constEnd() ? QString() : found->value(nameKey(key));
}

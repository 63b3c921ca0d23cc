#include "licence_file.h"

#include "file_io.h"
#include "program_folder.h"
#include "windows1252.h"

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file that ends before its two fields were read is reported as error 62,
// "input past end of file", the number the Windows release gives it.
constexpr int kInputPastEnd = 62;

FileError malformed(const FilePath& path, FileProblem why) { return FileError::of(why, kInputPastEnd, path); }

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Reads the two fields of a record: a quoted field runs to its closing
// quote, with "" inside it taken as one quote, and is followed by a comma or
// a line break; an unquoted field runs to the comma or the line end, without
// surrounding blanks.
class FieldReader {
public:
    FieldReader(QStringView text, const FilePath& path) : text_(text), path_(path) {}

    std::optional<FileError> read(QString& field, bool last)
    {
        while (position_ < text_.size() && (isBlank(text_[position_]) || isLineEnd(text_[position_])))
            ++position_;
        if (position_ >= text_.size())
            return malformed(path_, FileProblem::LicenceFieldsMissing);
        if (text_[position_] == u'"')
            return readQuoted(field, last);
        readUnquoted(field);
        return std::nullopt;
    }

private:
    std::optional<FileError> readQuoted(QString& field, bool last)
    {
        ++position_;
        for (;;) {
            const qsizetype quote = text_.indexOf(u'"', position_);
            if (quote < 0)
                return malformed(path_, FileProblem::LicenceQuoteUnclosed);
            field += text_.sliced(position_, quote - position_);
            position_ = quote + 1;
            if (position_ < text_.size() && text_[position_] == u'"') {
                field += u'"';
                ++position_;
                continue;
            }
            break;
        }
        // Line breaks become LF, as a text box holds them: CR LF and also a
        // lone CR, which a box would take as a line break too.
        field.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        field.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (last)
            return std::nullopt;
        // The next field follows the comma or the line break after the
        // closing quote, whichever comes first.
        while (position_ < text_.size() && text_[position_] != u',' && !isLineEnd(text_[position_]))
            ++position_;
        if (position_ == text_.size())
            return malformed(path_, FileProblem::LicenceFieldsMissing);
        ++position_;
        return std::nullopt;
    }

    void readUnquoted(QString& field)
    {
        const qsizetype start = position_;
        while (position_ < text_.size() && text_[position_] != u',' && !isLineEnd(text_[position_]))
            ++position_;
        field = text_.sliced(start, position_ - start).trimmed().toString();
        if (position_ < text_.size())
            ++position_;
    }

    QStringView text_;
    const FilePath& path_;
    qsizetype position_ = 0;
};

void appendQuoted(QByteArray& out, const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    out.append('"');
    windows1252::appendWithCrLf(out, doubled);
    out.append('"');
}

bool programFolderWritable()
{
    const FilePath folder = programFolder();
    return folder.isEmpty() || ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The installed layout: the program folder is PREFIX/lib/trumi-editor, and
// the administrators' defaults live in etc/trumi-editor beside a prefix
// that is a usr folder (/usr gives /etc), else in PREFIX/etc (/usr/local
// gives /usr/local/etc). Any other folder is a portable one.
std::optional<FilePath> administratorsFolder()
{
    const QByteArray folder = programFolder().native();
    const QByteArray tail = "/lib/trumi-editor";
    if (!folder.endsWith(tail))
        return std::nullopt;
    const QByteArray prefix = folder.chopped(tail.size());
    const QByteArray base = prefix.endsWith("/usr") ? prefix.chopped(4) : prefix;
    return FilePath::fromNative(base + "/etc/trumi-editor");
}

// The user's configuration folder as the XDG base-directory rules have it:
// XDG_CONFIG_HOME when it is an absolute path (a relative one is ignored),
// else .config in the home folder (HOME, else the user's entry).
FilePath usersFolder()
{
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (configHome.startsWith('/'))
        return FilePath::fromNative(configHome).childNative("trumi-editor");
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty()) {
        const struct passwd* entry = ::getpwuid(::getuid());
        home = entry ? QByteArray(entry->pw_dir) : QByteArray("/");
    }
    return FilePath::fromNative(home).childNative(".config").childNative("trumi-editor");
}

LicenceFile usersOwn(bool makeFolder)
{
    const FilePath folder = usersFolder();
    return LicenceFile(folder.child(QStringLiteral("Config.lic")), makeFolder ? folder : FilePath());
}

// Makes the folder and those it is in, as mkdir -p does; the error names the
// folder that could not be made.
std::optional<FileError> makeFolders(const FilePath& folder)
{
    if (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST)
        return std::nullopt;
    if (errno != ENOENT || folder.folder() == folder)
        return FileError::fromErrno(errno, folder);
    if (auto error = makeFolders(folder.folder()))
        return error;
    if (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST)
        return std::nullopt;
    return FileError::fromErrno(errno, folder);
}

}  // namespace

LicenceFile::LicenceFile(FilePath path, FilePath folderToMake)
    : path_(std::move(path)), folderToMake_(std::move(folderToMake))
{
}

LicenceFile LicenceFile::inProgramFolder() { return LicenceFile(programFilePath(QStringLiteral("Config.lic"))); }

LicenceFile LicenceFile::forReading()
{
    const auto administrators = administratorsFolder();
    if (!administrators && programFolderWritable())
        return inProgramFolder();
    LicenceFile own = usersOwn(false);
    if (own.exists())
        return own;
    return administrators ? LicenceFile(administrators->child(QStringLiteral("Config.lic"))) : inProgramFolder();
}

LicenceFile LicenceFile::forSaving()
{
    if (!administratorsFolder() && programFolderWritable())
        return inProgramFolder();
    return usersOwn(true);
}

bool LicenceFile::exists() const { return file_io::entryExists(path_); }

LicencesRead LicenceFile::read() const
{
    QByteArray bytes;
    if (auto error = file_io::readFile(path_, bytes))
        return {std::nullopt, error};
    return parseLicences(bytes, path_);
}

std::optional<FileError> LicenceFile::write(const Licences& texts) const
{
    if (!folderToMake_.isEmpty()) {
        if (auto error = makeFolders(folderToMake_))
            return error;
    }
    return file_io::replace(path_, file_io::Content::wholly(formatLicences(texts)));
}

LicencesRead parseLicences(const QByteArray& bytes, const FilePath& path)
{
    const QString text = windows1252::decode(bytes);
    FieldReader reader(text, path);
    Licences texts;
    if (auto error = reader.read(texts.use, false))
        return {std::nullopt, error};
    if (auto error = reader.read(texts.distribution, true))
        return {std::nullopt, error};
    return {texts, std::nullopt};
}

QByteArray formatLicences(const Licences& texts)
{
    QByteArray bytes;
    appendQuoted(bytes, texts.use);
    bytes.append(',');
    appendQuoted(bytes, texts.distribution);
    bytes.append("\r\n");
    return bytes;
}

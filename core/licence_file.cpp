#include "licence_file.h"

#include "config_places.h"

#include "file_io.h"
#include "program_folder.h"
#include "windows1252.h"

using namespace config_places;

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

LicenceFile usersOwn(bool makeFolder)
{
    const FilePath folder = usersFolder();
    return LicenceFile(folder.child(QStringLiteral("Config.lic")), makeFolder ? folder : FilePath());
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

LicencesRead readLicenceDefaults()
{
    if (programFolder().isEmpty())
        return {std::nullopt, programFolderNotFound()};
    const LicenceFile file = LicenceFile::forReading();
    if (!file.exists())
        return {Licences{}, std::nullopt};
    return file.read();
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

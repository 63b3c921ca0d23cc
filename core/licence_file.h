#pragma once

#include "file_error.h"
#include "file_path.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The two default licence texts.
struct Licences {
    QString use;
    QString distribution;

    bool operator==(const Licences&) const = default;
};

// What reading the texts gave: the two texts, or why they could not be read.
struct LicencesRead {
    std::optional<Licences> texts;
    std::optional<FileError> error;
};

// Config.lic, the licence defaults file: one record of two quoted fields,
// "use","distribution" and CR LF, in Windows-1252.
class LicenceFile {
public:
    // A file whose folder, where given, is made (with the folders it is in)
    // before the file is written.
    explicit LicenceFile(FilePath path, FilePath folderToMake = {});

    // Config.lic in the program folder.
    static LicenceFile inProgramFolder();

    // Where the defaults are read and saved. An installed program (its folder
    // is PREFIX/lib/trumi-editor) keeps each user's defaults, root's
    // included, in the user's configuration folder, read in preference to
    // the administrators' /etc/trumi-editor/Config.lic. Any other program
    // folder is a portable one: where the user may write it, Config.lic lives
    // beside the program; where not, the user's own defaults come first and
    // a Config.lic beside the program is everyone's default.
    static LicenceFile forReading();
    static LicenceFile forSaving();

    const FilePath& path() const { return path_; }

    // True when an entry of that name exists, a folder included; opens nothing.
    bool exists() const;

    // Reads the two texts. Each line break (CR LF, or a lone CR) comes back as
    // LF, and a doubled quote inside a quoted field as one quote.
    LicencesRead read() const;

    // Replaces the file with the record of the two texts; a failed write
    // leaves the old file as it was.
    [[nodiscard]] std::optional<FileError> write(const Licences& texts) const;

private:
    FilePath path_;
    FilePath folderToMake_;
};

// The licence defaults that every surface starts with: those of
// LicenceFile::forReading(), none where no file holds them; why not, where
// the program folder cannot be found or the file cannot be read.
LicencesRead readLicenceDefaults();

// The same read over the file's bytes; path only names the file in errors.
LicencesRead parseLicences(const QByteArray& bytes, const FilePath& path);

// The file's bytes for the two texts: line breaks as CR LF, a double quote
// inside a text doubled.
QByteArray formatLicences(const Licences& texts);

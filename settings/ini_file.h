#pragma once

#include "file_error.h"
#include "file_path.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// A keyed settings file in the profile (INI) format, read once and then
// asked for any number of values.
//
// The rules are those of the Windows profile reader, so that a language file
// moves unchanged between the releases:
// - section and key names match without regard to case (non-ASCII letters
//   included);
// - blanks (spaces and tabs) around section names, key names and values are
//   dropped, and so are ^Z characters (0x1A, an old end-of-file mark) at the
//   end of the file; no other character counts as a blank;
// - a name or a value ends at a NUL character;
// - a value of two or more characters enclosed in one pair of equal quotes
//   (" or ') loses that pair;
// - a line whose first non-blank character is ';' is a comment, while '#'
//   and a ';' later in a line are ordinary text;
// - lines before the first section and lines without '=' hold no keys (and
//   hide none that follow);
// - a section header is read up to its first ']';
// - the first section of a name and, in it, the first key of a name win.
// Deliberately unlike that reader, a file in UTF-8 (with or without its
// byte-order mark) is read as UTF-8, and one that starts with a UTF-16
// byte-order mark as UTF-16; any other file is Windows-1252.
class IniFile {
public:
    // A missing file holds no keys; so does one that cannot be read (a
    // folder, a pipe, a file too large), and error, where given, says why.
    static IniFile read(const FilePath& path, std::optional<FileError>* error = nullptr);
    static IniFile fromBytes(const QByteArray& bytes);

    // The value stored under key in section, or the empty text when the
    // section or the key is missing. A value is at most 254 characters long;
    // a longer one comes back cut.
    QString value(const QString& section, const QString& key) const;

    static constexpr int kLongestValue = 254;

private:
    // Section name, then key name, both case-folded.
    QHash<QString, QHash<QString, QString>> sections_;
};

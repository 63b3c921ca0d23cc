#pragma once

#include <QByteArray>
#include <QString>

// A keyed settings file in the profile (INI) format, read once and then
// asked for any number of values.
//
// The profile-file rules: section and key names match without regard to
// case; blanks around names and values are dropped; a value of two or more
// characters enclosed in one pair of equal quotes (" or ') loses that pair;
// a line whose first non-blank character is ';' is a comment; lines before
// the first section and lines without '=' hold no keys; the first matching
// section and, in it, the first matching key win. The file is read in UTF-8
// where it is UTF-8 and in Windows-1252 otherwise.
class IniFile {
public:
    // A missing or unreadable file holds no keys.
    static IniFile read(const QString& path);
    static IniFile fromBytes(const QByteArray& bytes);

    // The value stored under key in section, or the empty text when the
    // section or the key is missing. A value is at most 254 characters long;
    // a longer one comes back cut.
    QString value(const QString& section, const QString& key) const;

    static constexpr int kLongestValue = 254;

private:
    explicit IniFile(QString text) : text_(std::move(text)) {}

    QString text_;
};

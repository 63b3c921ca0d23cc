#pragma once

#include <QByteArray>
#include <QString>

// Keyed settings files in the profile (INI) format.
namespace LeeGrabaIni {

// The value stored under key in section of the file, or the empty text when
// the file, the section or the key is missing. A value is at most 254
// characters long; a longer one comes back cut.
//
// The profile-file rules: section and key names match without regard to
// case; blanks around names and values are dropped; a value of two or more
// characters enclosed in one pair of equal quotes (" or ') loses that pair;
// a line whose first non-blank character is ';' is a comment; lines before
// the first section and lines without '=' hold no keys; the first matching
// section and, in it, the first matching key win. The file is read anew at
// every call, in UTF-8 where it is UTF-8 and in Windows-1252 otherwise.
QString LeeIni(const QString& file, const QString& section, const QString& key);

// The same read over a settings file's bytes.
QString valueInSettings(const QByteArray& bytes, const QString& section, const QString& key);

inline constexpr int kLongestValue = 254;

}  // namespace LeeGrabaIni

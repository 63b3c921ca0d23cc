#pragma once

#include "common/file_error.h"

#include <QString>
#include <optional>

// The two default licence texts, kept in Config.lic in the program folder as
// one record of two quoted fields: "use","distribution" and CR LF.
struct Licencias {
    QString uso;
    QString distribucion;
};

QString configLicPath();

// True when an entry of that name exists, a folder included; opens nothing.
bool FileExist(const QString& path);

// What reading the file gave: the two texts, or why they could not be read.
struct LicenciasLeidas {
    std::optional<Licencias> texts;
    std::optional<FileError> error;
};

// Reads the two texts. Each line break (CR LF, or a lone CR) comes back as
// LF, and a doubled quote inside a quoted field as one quote.
LicenciasLeidas LeerLicencias(const QString& path);

// The same read over the file's bytes; path only names the file in errors.
LicenciasLeidas licenciasFromBytes(const QByteArray& bytes, const QString& path);

// Replaces the file with the record of the two texts; a failed write leaves
// the old file as it was.
[[nodiscard]] std::optional<FileError> GrabarLicencias(const QString& path, const Licencias& texts);

// The file's bytes for the two texts: line breaks as CR LF, a double quote
// inside a text doubled.
QByteArray licenciasBytes(const Licencias& texts);

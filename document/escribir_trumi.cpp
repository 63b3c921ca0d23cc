#include "document/escribir_trumi.h"

#include "common/file_io.h"
#include "document/componer_trumi.h"

std::optional<FileError> EscribirTrumi(const QString& path, const DatosTrumi& datos, WriteMode mode)
{
    const QByteArray bytes = documentBytes(ComponerTrumi(datos));
    return mode == WriteMode::Replace ? file_io::replace(path, bytes) : file_io::append(path, bytes);
}

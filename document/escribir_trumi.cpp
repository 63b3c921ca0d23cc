#include "document/escribir_trumi.h"

#include "common/file_io.h"
#include "document/componer_trumi.h"

std::optional<FileError> EscribirTrumi(const QString& path, const DatosTrumi& datos, WriteMode mode)
{
    DocumentPieces pieces(ComponerTrumi(datos));
    const file_io::Content content = [&pieces] { return pieces.next(); };
    return mode == WriteMode::Replace ? file_io::replace(path, content) : file_io::append(path, content);
}

// Any texts (UTF-16, lone surrogates included) as a read-me record's fields:
// the document has an entry for each of its template's, its size is known
// before it is made, every line ends in CR LF and the last line is the long
// rule; values composed a part at a time make the same document.
#include "document_fields.h"
#include "document_writer.h"

#include <cstdlib>

namespace {

DocumentRecord recordFrom(const uint8_t* data, size_t size)
{
    const QString all = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), static_cast<qsizetype>(size / 2));
    const QStringList parts = all.split(QChar(0xFFFF));
    auto part = [&](int i) { return i < parts.size() ? parts.at(i) : QString(); };
    DocumentRecord record;
    int i = 0;
    for (const DocumentField& field : documentFields())
        record.*field.value = part(i++);
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DocumentRecord record = recordFrom(data, size);
    const QStringList entries = composeDocument(record);
    if (entries.size() != documentEntries().size())
        std::abort();
    const QByteArray bytes = documentBytes(entries);
    if (DocumentPieces(entries).size() != bytes.size())
        std::abort();
    // Long values are composed a part at a time: cut into parts of a few
    // units, the document is the same.
    DocumentPieces parts(record, {}, 3);
    const qint64 partsSize = parts.size();
    QByteArray pieced;
    for (QByteArrayView piece = parts.next(); !piece.isEmpty(); piece = parts.next())
        pieced += piece;
    if (pieced != bytes || partsSize != bytes.size())
        std::abort();
    if (!bytes.endsWith(QByteArray(65, '-') + "\r\n"))
        std::abort();
    for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        if (i == 0 || bytes.at(i - 1) != '\r')
            std::abort();
    }
    return 0;
}

// Any texts (UTF-16, lone surrogates included) as a read-me record's fields:
// the document has an entry for each of its template's, its size is known
// before it is made, every line ends in CR LF and the last line is the long
// rule.
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
    if (!bytes.endsWith(QByteArray(65, '-') + "\r\n"))
        std::abort();
    for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        if (i == 0 || bytes.at(i - 1) != '\r')
            std::abort();
    }
    return 0;
}

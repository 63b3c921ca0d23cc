// Any ten texts (UTF-16, lone surrogates included) as a read-me record: the
// document has one byte per character, every line ends in CR LF and the last
// line is the long rule.
#include "document_writer.h"

#include <cstdlib>

namespace {

DocumentRecord recordFrom(const uint8_t* data, size_t size)
{
    const QString all = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), static_cast<qsizetype>(size / 2));
    const QStringList parts = all.split(QChar(0xFFFF));
    auto part = [&](int i) { return i < parts.size() ? parts.at(i) : QString(); };
    return {part(0), part(1), part(2), part(3), part(4), part(5), part(6), part(7), part(8), part(9)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DocumentRecord record = recordFrom(data, size);
    const QStringList entries = composeDocument(record);
    if (entries.size() != 23 || entries.first().size() < record.product.size())
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

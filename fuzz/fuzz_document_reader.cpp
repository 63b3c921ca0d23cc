// Any record the windows can hold, composed, read back and composed again,
// gives the same bytes; and any bytes at all read as a document or as none,
// without failing.
#include "document_reader.h"
#include "document_writer.h"
#include "windows1252.h"

#include <cstdlib>

namespace {

// A multi-line box holds its line breaks as LF (a CR, a line or paragraph
// separator all become one).
QString asBoxText(QString text)
{
    for (QChar& c : text) {
        if (c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u'\n';
    }
    return text;
}

// The picker's date text has no line break.
QString asDateText(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

DocumentRecord recordFrom(const uint8_t* data, size_t size)
{
    const QString all = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QStringList parts = all.split(QChar(0xFFFF));
    auto part = [&](int i) { return i < parts.size() ? parts.at(i) : QString(); };
    static const QString statuses[] = {QString(), QStringLiteral("FINAL"), QStringLiteral("BETA")};
    const QString status = statuses[size % 3];
    return {part(0),
            part(1),
            status,
            part(2),
            part(3),
            part(4),
            asDateText(part(5)),
            asBoxText(part(6)),
            asBoxText(part(7)),
            asBoxText(part(8))};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0 && data[0] % 4 == 0) {  // any bytes as a file
        (void)lastDocumentIn(windows1252::decode(QByteArrayView(data, qsizetype(size))));
        return 0;
    }
    const QByteArray bytes = documentBytes(composeDocument(recordFrom(data, size)));
    const auto again = lastDocumentIn(windows1252::decode(bytes));
    if (!again || documentBytes(composeDocument(*again)) != bytes)
        std::abort();
    return 0;
}

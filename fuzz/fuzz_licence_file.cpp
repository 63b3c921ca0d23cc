// Any bytes as Config.lic: the read never fails unreported, and whatever
// two texts it gives survive a save and a reload unchanged.
#include "licence_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LicencesRead read = parseLicences(bytes, QStringLiteral("Config.lic"));
    if (read.texts.has_value() == read.error.has_value())
        std::abort();
    if (!read.texts)
        return 0;
    const LicencesRead again = parseLicences(formatLicences(*read.texts), QStringLiteral("Config.lic"));
    if (!again.texts || *again.texts != *read.texts)
        std::abort();
    return 0;
}

// Any bytes as a language file: the read never fails and never gives more
// than 254 characters, nor a line break.
#include "ini_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const IniFile file =
        IniFile::fromBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const char* key : {"Cad1", "Cad22", "cad5"}) {
        const QString value = file.value(QStringLiteral("IDIOMA"), QString::fromLatin1(key));
        if (value.size() > IniFile::kLongestValue || value.contains(u'\n') || value.contains(u'\r'))
            std::abort();
    }
    return 0;
}

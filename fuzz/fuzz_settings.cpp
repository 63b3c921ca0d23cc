// Any bytes as a language file: the read never fails and never gives more
// than 254 characters, nor a line break.
#include "settings/lee_graba_ini.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* key : {"Cad1", "Cad22", "cad5"}) {
        const QString value = LeeGrabaIni::valueInSettings(bytes, QStringLiteral("IDIOMA"), QString::fromLatin1(key));
        if (value.size() > LeeGrabaIni::kLongestValue || value.contains(u'\n') || value.contains(u'\r'))
            std::abort();
    }
    return 0;
}

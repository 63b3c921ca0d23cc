// Any bytes as Config.lic: the read never fails unreported, and whatever
// two texts it gives survive a save and a reload unchanged.
#include "options/licencias.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LicenciasLeidas leidas = licenciasFromBytes(bytes, QStringLiteral("Config.lic"));
    if (leidas.texts.has_value() == leidas.error.has_value())
        std::abort();
    if (!leidas.texts)
        return 0;
    const LicenciasLeidas again = licenciasFromBytes(licenciasBytes(*leidas.texts), QStringLiteral("Config.lic"));
    if (!again.texts || again.texts->uso != leidas.texts->uso || again.texts->distribucion != leidas.texts->distribucion)
        std::abort();
    return 0;
}

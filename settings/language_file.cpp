#include "settings/language_file.h"

#include "common/program_folder.h"
#include "settings/caption_keys.h"
#include "settings/lee_graba_ini.h"

QString LanguageFile::caption(const QString& key) const
{
    return LeeGrabaIni::LeeIni(programFilePath(QStringLiteral("TE.ini")), QString::fromLatin1(kLanguageSection), key);
}

#include "language_file.h"

#include "caption_keys.h"
#include "ini_file.h"
#include "program_folder.h"

CaptionsRead LanguageFile::captionsOf(const QString& window) const
{
    CaptionsRead read;
    const IniFile file = IniFile::read(programFilePath(QStringLiteral("TE.ini")), &read.error);
    const QString section = QString::fromLatin1(kLanguageSection);
    for (const CaptionKey& row : captionKeysOf(window))
        read.captions.append({QString::fromLatin1(row.element), file.value(section, QString::fromLatin1(row.key))});
    return read;
}

ProgramTexts LanguageFile::texts() const
{
    const IniFile file = IniFile::read(programFilePath(QStringLiteral("TE.ini")));
    const QString section = QString::fromLatin1(kLanguageSection);
    return ProgramTexts::fromKeys([&](const QString& key) { return file.value(section, key); });
}

QString LanguageFile::language() const
{
    return IniFile::read(programFilePath(QStringLiteral("TE.ini")))
        .value(QString::fromLatin1(kLanguageSection), QStringLiteral("Idioma"));
}

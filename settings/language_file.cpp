#include "language_file.h"

#include "caption_keys.h"
#include "ini_file.h"
#include "program_folder.h"

QList<Caption> LanguageFile::captionsOf(const QString& window) const
{
    const IniFile file = IniFile::read(programFilePath(QStringLiteral("TE.ini")));
    const QString section = QString::fromLatin1(kLanguageSection);
    QList<Caption> captions;
    for (const CaptionKey& row : captionKeysOf(window))
        captions.append({QString::fromLatin1(row.element), file.value(section, QString::fromLatin1(row.key))});
    return captions;
}

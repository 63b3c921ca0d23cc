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

namespace {

ProgramTexts textsOf(const FilePath& path)
{
    const IniFile file = IniFile::read(path);
    const QString section = QString::fromLatin1(kLanguageSection);
    return ProgramTexts::fromKeys([&](const QString& key) { return file.value(section, key); });
}

}  // namespace

ProgramTexts LanguageFile::texts() const { return textsOf(programFilePath(QStringLiteral("TE.ini"))); }

QList<ProgramTexts> LanguageFile::shippedTexts() const
{
    QList<ProgramTexts> texts{this->texts()};
    const FilePath folder = programFolder();
    for (const QString& other : QStringLiteral(TRUMI_OTHER_LANGUAGE_FOLDERS).split(u',', Qt::SkipEmptyParts)) {
        if (!folder.isEmpty())
            texts.append(textsOf(folder.child(other).child(QStringLiteral("TE.ini"))));
    }
    return texts;
}

QString LanguageFile::language() const
{
    return IniFile::read(programFilePath(QStringLiteral("TE.ini")))
        .value(QString::fromLatin1(kLanguageSection), QStringLiteral("Idioma"));
}

#include "program_texts.h"

#include "file_io.h"

#include <QDir>

namespace {

TextId textOf(FileProblem problem)
{
    switch (problem) {
    case FileProblem::ProgramFolderMissing:
        return TextId::ProgramFolderMissing;
    case FileProblem::NotRegularFile:
        return TextId::NotRegularFile;
    case FileProblem::TooLarge:
        return TextId::TooLarge;
    case FileProblem::LicenceFieldsMissing:
        return TextId::LicenceFieldsMissing;
    case FileProblem::LicenceQuoteUnclosed:
        return TextId::LicenceQuoteUnclosed;
    case FileProblem::NoWholeDocument:
        return TextId::NoWholeDocument;
    case FileProblem::BeingWritten:
        return TextId::BeingWritten;
    case FileProblem::InputClosed:
        return TextId::InputClosed;
    case FileProblem::OutputClosed:
        return TextId::OutputClosed;
    case FileProblem::System:
        break;
    }
    Q_UNREACHABLE();
}

QString descriptionOf(const FileError& error, const ProgramTexts& texts)
{
    if (error.problem == FileProblem::System)
        return error.systemText;
    return texts.filled(textOf(error.problem), QString::number(file_io::kLargestRead >> 20));
}

}  // namespace

ProgramTexts::ProgramTexts()
{
    for (const TextEntry& entry : textEntries())
        texts_[std::size_t(entry.id)] = QString::fromUtf8(entry.spanish);
    for (const FieldTextEntry& entry : fieldTextEntries())
        fieldTexts_[int(entry.which)].insert(QString::fromLatin1(entry.field), QString::fromUtf8(entry.spanish));
}

ProgramTexts ProgramTexts::fromKeys(const std::function<QString(const QString& key)>& valueOf)
{
    ProgramTexts texts;
    for (const TextEntry& entry : textEntries()) {
        const QString given = valueOf(QString::fromLatin1(entry.key));
        if (!given.isEmpty())
            texts.texts_[std::size_t(entry.id)] = given;
    }
    for (const FieldTextEntry& entry : fieldTextEntries()) {
        const QString given = valueOf(QString::fromLatin1(entry.key));
        if (!given.isEmpty())
            texts.fieldTexts_[int(entry.which)].insert(QString::fromLatin1(entry.field), given);
    }
    return texts;
}

QString ProgramTexts::text(TextId id) const { return texts_[std::size_t(id)]; }

QString ProgramTexts::filled(TextId id, const QString& value) const
{
    QString result = text(id);
    return result.replace(QLatin1String("%1"), value);
}

QString ProgramTexts::filled(TextId id, const QString& value, const QString& second) const
{
    // In one pass, so that a value that holds "%2" stays as it is.
    const QString pattern = text(id);
    QString result;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool place = pattern[i] == u'%' && i + 1 < pattern.size();
        if (place && (pattern[i + 1] == u'1' || pattern[i + 1] == u'2')) {
            result += pattern[++i] == u'1' ? value : second;
            continue;
        }
        result += pattern[i];
    }
    return result;
}

QString ProgramTexts::fieldText(FieldText which, const char* field) const
{
    return fieldTexts_[int(which)].value(QString::fromLatin1(field));
}

QString failureLine(const FileError& error, const ProgramTexts& texts)
{
    const QString failure =
        QStringLiteral("%1 %2: %3")
            .arg(texts.text(TextId::ErrorWord), QString::number(error.number), descriptionOf(error, texts));
    return error.path.isEmpty() ? failure : QDir::toNativeSeparators(error.path) + QStringLiteral(": ") + failure;
}

QString failureText(const FileError& error, const ProgramTexts& texts)
{
    return QStringLiteral("%1\n%2\n\n%3 %4: %5")
        .arg(texts.text(TextId::FailureSentence), QDir::toNativeSeparators(error.path), texts.text(TextId::ErrorWord),
             QString::number(error.number), descriptionOf(error, texts));
}

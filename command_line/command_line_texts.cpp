#include "command_line_texts.h"

#include "document_fields.h"
#include "program_texts.h"

#include <QStringList>
#include <algorithm>

QList<OptionSpec> commandLineOptions(const Edition& edition)
{
    QList<OptionSpec> options{{QStringLiteral("output"), {}, true}, {QStringLiteral("from"), {}, true}};
    if (edition.writesMarkdown())
        options.append({QStringLiteral("format"), {}, true});
    for (const DocumentField& field : documentFields())
        options.append({QString::fromLatin1(field.name), {}, true});
    options.append({QStringLiteral("help"), u'h', false});
    options.append({QStringLiteral("version"), u'v', false});
    return options;
}

namespace {

// One line of the option list: the option as it is given, and what it is.
struct HelpLine {
    QString option;
    QString meaning;
};

QString valueWordOf(const DocumentField& field, const ProgramTexts& texts)
{
    switch (field.kind) {
    case FieldKind::Status:
        return QStringLiteral("final|beta|none");
    case FieldKind::Date:
        return texts.text(TextId::DateWord);
    case FieldKind::Line:
    case FieldKind::Lines:
        break;
    }
    return texts.text(TextId::ValueWord);
}

// The options in columns, as GNU programs list them: the one-letter name
// first where there is one.
QString listed(const QList<HelpLine>& lines)
{
    qsizetype width = 0;
    for (const HelpLine& line : lines)
        width = std::max(width, line.option.size());
    QString text;
    for (const HelpLine& line : lines)
        text += line.option.leftJustified(width + 2) + line.meaning + u'\n';
    return text;
}

QList<HelpLine> generalOptions(const Edition& edition, const ProgramTexts& texts)
{
    QList<HelpLine> lines{
        {QStringLiteral("      --output=") + texts.text(TextId::FileWord), texts.text(TextId::OutputHelp)},
        {QStringLiteral("      --from=") + texts.text(TextId::DocumentWord), texts.text(TextId::FromHelp)},
    };
    if (edition.writesMarkdown())
        lines.append({QStringLiteral("      --format=text|markdown"), texts.text(TextId::FormatHelp)});
    lines.append({QStringLiteral("  -h, --help"), texts.text(TextId::HelpHelp)});
    lines.append({QStringLiteral("  -v, --version"), texts.text(TextId::VersionHelp)});
    return lines;
}

QList<HelpLine> fieldOptions(const ProgramTexts& texts)
{
    QList<HelpLine> lines;
    for (const DocumentField& field : documentFields())
        lines.append({QStringLiteral("      --%1=%2").arg(QLatin1String(field.name), valueWordOf(field, texts)),
                      texts.fieldText(FieldText::Help, field.name)});
    return lines;
}

}  // namespace

QString helpText(const Edition& edition, const ProgramTexts& texts)
{
    const QString program = edition.programName();
    QStringList parts{texts.filled(TextId::UsageWindow, program), texts.filled(TextId::UsageWrite, program),
                      texts.filled(TextId::UsageInfo, program), texts.text(TextId::AboutWindowMode),
                      texts.text(TextId::AboutWriteMode)};
    QString text = parts.join(u'\n') + QStringLiteral("\n\n");
    text += texts.text(TextId::OptionsHeading) + u'\n' + listed(generalOptions(edition, texts)) + u'\n';
    text += texts.text(TextId::FieldOptionsHeading) + u'\n' + listed(fieldOptions(texts)) + u'\n';
    return text + texts.text(TextId::ValuesNote) + u'\n' + texts.text(TextId::ExitNote) + u'\n';
}

QString versionText(const Edition& edition, const ProgramTexts& texts)
{
    return QStringList{edition.programName() + u' ' + edition.versionText(),
                       QStringLiteral("Copyright (C) 2026 The Trumi Editor developers."),
                       texts.text(TextId::LicenceNote), texts.text(TextId::WarrantyNote)}
               .join(u'\n') +
           u'\n';
}

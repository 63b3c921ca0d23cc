#include "command_line.h"

#include "command_line_arguments.h"
#include "command_line_texts.h"
#include "date_text.h"
#include "document_fields.h"
#include "document_reader.h"
#include "document_writer.h"
#include "file_io.h"
#include "licence_file.h"
#include "markdown_document.h"
#include "value_files.h"
#include "windows1252.h"

namespace {

// A failure: its exit status and what is said of it, a message of its own
// (and, for a usage error, the pointer to --help) or a file error.
struct Failure {
    int exit;
    QString message;
    std::optional<FileError> error = std::nullopt;
};

Failure fileFailure(const FileError& error) { return {kFileFailure, {}, error}; }

// A document's date as this system writes it, as the window shows it after
// opening; one it cannot read stays as written.
QString inThisSystemsForm(const QString& date)
{
    const auto value = parseGeneralDate(date, GeneralDateFormat::fromSystem());
    return value ? generalDateText(*value, GeneralDateFormat::fromSystem()) : date;
}

class CommandLine {
public:
    CommandLine(const Edition& edition, const CommandLineStreams& streams)
        : edition_(edition), texts_(edition.texts()), streams_(streams)
    {
    }

    int run(const QStringList& arguments)
    {
        const auto failure = runOrFail(arguments);
        if (!failure)
            return kWritten;
        const QStringList lines =
            failure->error ? QStringList{failureLine(*failure->error, texts_)} : failure->message.split(u'\n');
        say(lines.first());
        for (const QString& line : lines.sliced(1))
            streams_.writeMessage(line);
        if (failure->exit == kUsageError && !failure->error)
            streams_.writeMessage(texts_.filled(TextId::TryHelp, edition_.programName()));
        return failure->exit;
    }

private:
    Failure usage(TextId id, const QString& value, const QString& second = {}) const
    {
        return {kUsageError, texts_.filled(id, value, second)};
    }

    std::optional<Failure> runOrFail(const QStringList& arguments)
    {
        if (const auto problem = parseArguments(arguments, commandLineOptions(edition_), given_))
            return usage(problem->text, problem->argument);
        if (given_.flags.contains(QStringLiteral("help")))
            return print(helpText(edition_, texts_));
        if (given_.flags.contains(QStringLiteral("version")))
            return print(versionText(edition_, texts_));
        if (!given_.has(QStringLiteral("output")))
            return Failure{kUsageError, texts_.text(TextId::MissingOutput)};
        if (!given_.operands.isEmpty())
            return usage(TextId::ExtraOperand, given_.operands.first());
        for (const QString& option : {QStringLiteral("output"), QStringLiteral("from")}) {
            if (given_.has(option) && given_.values.value(option).isEmpty())
                return usage(TextId::EmptyFileName, QStringLiteral("--") + option);
        }
        kind_ = kindOfName(given_.values.value(QStringLiteral("output")));
        if (auto failure = chooseKind(kind_))
            return failure;
        DocumentRecord record;
        if (auto failure = fillRecord(record))
            return failure;
        auto failure = write(record);
        if (kind_ == DocumentKind::Text)
            warnOfUnwritable(record);  // Markdown keeps every character
        return failure;
    }

    // --format, else the output's suffix (standard output: the classic text).
    std::optional<Failure> chooseKind(DocumentKind& kind) const
    {
        if (!edition_.writesMarkdown())
            kind = DocumentKind::Text;
        if (!given_.has(QStringLiteral("format")))
            return std::nullopt;
        const QString format = given_.values.value(QStringLiteral("format"));
        if (format != u"text"_qs && format != u"markdown"_qs)
            return invalid(format, QStringLiteral("--format"), QStringLiteral("text, markdown"));
        kind = format == u"markdown"_qs ? DocumentKind::Markdown : DocumentKind::Text;
        return std::nullopt;
    }

    std::optional<Failure> print(const QString& text)
    {
        if (const auto error = streams_.writeText(text))
            return fileFailure(*error);
        return std::nullopt;
    }

    // Each field from its option, else the --from document, else what the
    // window starts with.
    std::optional<Failure> fillRecord(DocumentRecord& record)
    {
        std::optional<DocumentRecord> from;
        if (given_.has(QStringLiteral("from"))) {
            const DocumentRead read =
                files_.readDocument(given_.values.value(QStringLiteral("from")),
                                    {edition_.markdownHeadings(), GeneralDateFormat::fromSystem(), fieldsWanted()});
            if (read.error)
                return Failure{
                    read.error->problem == FileProblem::NoWholeDocument ? kUsageError : kFileFailure, {}, read.error};
            from = read.found->record;
        }
        for (const DocumentField& field : documentFields()) {
            if (auto failure = fillField(field, from, record))
                return failure;
        }
        return std::nullopt;
    }

    // The fields an option gives are not read from the --from document; the
    // classic document's multi-line fields are streamed from its bytes.
    FieldsWanted fieldsWanted() const
    {
        FieldsWanted wanted;
        for (const DocumentField& field : documentFields()) {
            if (given_.has(QString::fromLatin1(field.name)))
                wanted.unused.append(&field);
            else if (field.kind == FieldKind::Lines && kind_ == DocumentKind::Text)
                wanted.asBytes.append(&field);
        }
        return wanted;
    }

    std::optional<Failure> fillField(const DocumentField& field, const std::optional<DocumentRecord>& from,
                                     DocumentRecord& record)
    {
        const QString option = QString::fromLatin1(field.name);
        if (given_.has(option))
            return valueOf(field, given_.values.value(option), record.*field.value);
        if (from) {
            record.*field.value = (*from).*field.value;
            if (field.kind == FieldKind::Date)
                record.*field.value = inThisSystemsForm(record.*field.value);
            return std::nullopt;
        }
        return startingValue(field, record.*field.value);
    }

    std::optional<Failure> valueOf(const DocumentField& field, const QString& given, QString& value)
    {
        const QString option = QStringLiteral("--") + QLatin1String(field.name);
        value = given;
        if (auto failure = expandValue(field, option, value))
            return failure;
        if (field.kind == FieldKind::Status) {
            const auto status = statusNamed(value);
            if (!status)
                return invalid(value, option, QStringLiteral("final, beta, none"));
            value = *status;
        } else if (field.kind == FieldKind::Date) {
            const auto date = dateNamed(value);
            if (!date)
                return invalid(value, option, texts_.text(TextId::DateChoices));
            value = generalDateText(*date, GeneralDateFormat::fromSystem());
        }
        return std::nullopt;
    }

    Failure invalid(const QString& value, const QString& option, const QString& choices) const
    {
        return {kUsageError, texts_.filled(TextId::InvalidArgument, value, option) + u'\n' +
                                 texts_.filled(TextId::ValidChoices, choices)};
    }

    // "@PATH" is read from the file (or the pipe), "@-" from standard input,
    // "@@..." is the text with one '@' less; anything else is the text
    // itself.
    std::optional<Failure> expandValue(const DocumentField& field, const QString& option, QString& value)
    {
        if (!value.startsWith(u'@'))
            return std::nullopt;
        if (value.startsWith(QLatin1String("@@"))) {
            value.remove(0, 1);
            return std::nullopt;
        }
        if (value.size() == 1)
            return usage(TextId::EmptyFileName, option);
        if (auto error = files_.read(field, value.sliced(1), kind_ == DocumentKind::Text, value))
            return fileFailure(*error);
        return std::nullopt;
    }

    // What the window starts with: the licence defaults, the present moment,
    // no status, the rest empty.
    std::optional<Failure> startingValue(const DocumentField& field, QString& value)
    {
        if (field.kind == FieldKind::Date)
            value = generalDateText(nowToTheSecond(), GeneralDateFormat::fromSystem());
        const bool useLicence = field.value == &DocumentRecord::useLicence;
        if (!useLicence && field.value != &DocumentRecord::distributionLicence)
            return std::nullopt;
        if (!licences_) {
            const LicencesRead read = readLicenceDefaults();
            if (read.error)
                return fileFailure(*read.error);
            licences_ = *read.texts;
        }
        value = useLicence ? licences_->use : licences_->distribution;
        return std::nullopt;
    }

    void warnOfUnwritable(const DocumentRecord& record)
    {
        for (const DocumentField& field : documentFields()) {
            // A streamed value is counted as it is written.
            const qsizetype count =
                files_.unwritableOf(field).value_or(windows1252::unwritableCount(record.*field.value));
            if (count > 0)
                say(texts_.filled(count == 1 ? TextId::WarningOne : TextId::WarningMany, QString::number(count),
                                  QStringLiteral("--") + QLatin1String(field.name)));
        }
    }

    std::optional<Failure> write(const DocumentRecord& record)
    {
        const QString output = given_.values.value(QStringLiteral("output"));
        const MarkdownStyle style{MarkdownHeadings::fromTexts(texts_), GeneralDateFormat::fromSystem()};
        const StreamedValues streamed = files_.streamed();
        if (output != u'-') {
            const auto error = kind_ == DocumentKind::Markdown
                                   ? writeMarkdown(FilePath(output), record, style)
                                   : writeDocument(FilePath(output), record, edition_.writeMode(), streamed);
            if (error)
                return fileFailure(*error);
            return std::nullopt;
        }
        if (kind_ == DocumentKind::Markdown)
            return writeOut(file_io::Content::wholly(markdownBytes(record, style)));
        DocumentPieces pieces(record, streamed);
        return writeOut(pieces.content());
    }

    // To standard output, never larger than the reader takes.
    std::optional<Failure> writeOut(const file_io::Content& content)
    {
        if (const auto error = file_io::fitsReading(content.size(), FilePath(QStringLiteral("-"))))
            return fileFailure(*error);
        for (QByteArrayView piece = content.next(); !piece.isEmpty(); piece = content.next()) {
            if (const auto error = streams_.writeOutput(piece))
                return fileFailure(*error);
        }
        if (const auto error = content.failure())
            return fileFailure(*error);
        return std::nullopt;
    }

    QString programPrefix() const { return edition_.programName() + QStringLiteral(": "); }

    void say(const QString& message) { streams_.writeMessage(programPrefix() + message); }

    Edition edition_;
    ProgramTexts texts_;
    const CommandLineStreams& streams_;
    GivenArguments given_;
    DocumentKind kind_ = DocumentKind::Text;
    ValueFiles files_{streams_};
    std::optional<Licences> licences_;
};

}  // namespace

int runCommandLine(const QStringList& arguments, const Edition& edition, const CommandLineStreams& streams)
{
    return CommandLine(edition, streams).run(arguments);
}

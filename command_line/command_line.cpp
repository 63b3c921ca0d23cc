#include "command_line.h"

#include "date_text.h"
#include "document_fields.h"
#include "document_reader.h"
#include "document_writer.h"
#include "file_io.h"
#include "licence_file.h"
#include "text_decoding.h"
#include "windows1252.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

// A failure, with its exit status and its message: a text of its own or a
// file error, worded when it is told.
struct Failure {
    int exit;
    QString message;
    std::optional<FileError> error = std::nullopt;
};

QString oneLine(const FileError& error, const ProgramTexts& texts)
{
    return failureText(error, texts).replace(QLatin1String("\n\n"), QLatin1String(": ")).replace(u'\n', u' ');
}

Failure fileFailure(const FileError& error) { return {kFileFailure, {}, error}; }

Failure usage(const QString& message) { return {kUsageError, message}; }

// A value's text as one line of a file holds it: without its final line end.
QString withoutFinalLineEnd(QString text)
{
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

// "@PATH" is read from the file, "@-" from standard input, "@@..." is the
// text with one '@' less; anything else is the text itself.
std::optional<Failure> expandValue(QString& value, const CommandLineStreams& streams)
{
    if (!value.startsWith(u'@'))
        return std::nullopt;
    if (value.startsWith(QLatin1String("@@"))) {
        value.remove(0, 1);
        return std::nullopt;
    }
    QByteArray bytes;
    const auto error =
        value == QLatin1String("@-") ? streams.readInput(bytes) : file_io::readFile(FilePath(value.sliced(1)), bytes);
    if (error)
        return fileFailure(*error);
    value = withoutFinalLineEnd(decodeUserText(bytes));
    return std::nullopt;
}

std::optional<QString> statusNamed(const QString& name)
{
    if (name == QLatin1String("final"))
        return QStringLiteral("FINAL");
    if (name == QLatin1String("beta"))
        return QStringLiteral("BETA");
    if (name == QLatin1String("none"))
        return QString();
    return std::nullopt;
}

// "now", "2026-12-09" or "2026-12-09T10:30:00", between 1601 and 9999.
std::optional<QDateTime> dateNamed(const QString& text)
{
    if (text == QLatin1String("now"))
        return nowToTheSecond();
    static const QRegularExpression form(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(?:T(\\d{2}:\\d{2}:\\d{2}))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
    const QTime time =
        match.captured(2).isEmpty() ? QTime(0, 0) : QTime::fromString(match.captured(2), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid() || date < QDate(1601, 1, 1) || date > QDate(9999, 12, 31))
        return std::nullopt;
    return QDateTime(date, time);
}

QString optionName(const DocumentField& field) { return QString::fromLatin1(field.name); }

class CommandLine {
public:
    CommandLine(const Edition& edition, const CommandLineStreams& streams) : edition_(edition), streams_(streams)
    {
        addOptions();
    }

    int run(const QStringList& arguments)
    {
        const auto failure = runOrFail(arguments);
        if (failure)
            say(failure->error ? oneLine(*failure->error, edition_.texts()) : failure->message);
        return failure ? failure->exit : kWritten;
    }

private:
    void addOptions()
    {
        parser_.setApplicationDescription(
            QStringLiteral("Escribe el documento léame de un producto sin abrir la ventana.\n"
                           "Cada campo sale de su opción, si no del documento de --from, si no de lo que\n"
                           "la ventana muestra al empezar. Un VALOR @FICHERO se lee del fichero, @- de la\n"
                           "entrada estándar; @@ es una @. Repetida una opción, vale la última."));
        parser_.addPositionalArgument(QStringLiteral("[DOCUMENTO]"),
                                      QStringLiteral("Sin --output: documento que abrir."));
        parser_.addOption({QStringLiteral("output"), QStringLiteral("Fichero que escribir (- : salida estándar)."),
                           QStringLiteral("FICHERO")});
        parser_.addOption({QStringLiteral("from"), QStringLiteral("Documento del que tomar los demás campos."),
                           QStringLiteral("DOCUMENTO")});
        for (const DocumentField& field : documentFields())
            parser_.addOption({optionName(field), QString::fromUtf8(field.label), QStringLiteral("VALOR")});
        parser_.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Muestra esta ayuda.")});
        parser_.addOption(
            {{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Muestra el programa y su versión.")});
    }

    std::optional<Failure> runOrFail(const QStringList& arguments)
    {
        if (!parser_.parse(QStringList{edition_.programName()} + arguments))
            return usage(parser_.errorText());
        if (parser_.isSet(QStringLiteral("help")))
            return print(parser_.helpText());
        if (parser_.isSet(QStringLiteral("version")))
            return print(QStringLiteral("%1 %2\n").arg(edition_.programName(), edition_.versionText()));
        if (!parser_.isSet(QStringLiteral("output")))
            return usage(QStringLiteral("falta --output FICHERO (--help dice cómo se usa)"));
        if (!parser_.positionalArguments().isEmpty())
            return usage(QStringLiteral("«%1» sobra: con --output no se abre ningún documento")
                             .arg(parser_.positionalArguments().first()));
        DocumentRecord record;
        if (auto failure = fillRecord(record))
            return failure;
        warnOfUnwritable(record);
        return write(record);
    }

    std::optional<Failure> print(const QString& text)
    {
        if (const auto error = streams_.writeOutput(text.toLocal8Bit()))
            return fileFailure(*error);
        return std::nullopt;
    }

    // Each field from its option, else the --from document, else what the
    // window starts with.
    std::optional<Failure> fillRecord(DocumentRecord& record)
    {
        std::optional<DocumentRecord> from;
        if (parser_.isSet(QStringLiteral("from"))) {
            auto read = readDocument(FilePath(parser_.value(QStringLiteral("from"))));
            if (read.error)
                return read.error->problem == FileProblem::NoWholeDocument ? Failure{kUsageError, {}, read.error}
                                                                           : fileFailure(*read.error);
            from = read.found->record;
        }
        for (const DocumentField& field : documentFields()) {
            if (auto failure = fillField(field, from, record))
                return failure;
        }
        return std::nullopt;
    }

    std::optional<Failure> fillField(const DocumentField& field, const std::optional<DocumentRecord>& from,
                                     DocumentRecord& record)
    {
        if (parser_.isSet(optionName(field)))
            return valueOf(field, record.*field.value);
        if (from) {
            record.*field.value = (*from).*field.value;
            return std::nullopt;
        }
        return startingValue(field, record.*field.value);
    }

    std::optional<Failure> valueOf(const DocumentField& field, QString& value)
    {
        value = parser_.value(optionName(field));  // given twice, the last wins
        if (auto failure = expandValue(value, streams_))
            return failure;
        if (field.kind == FieldKind::Status) {
            const auto status = statusNamed(value);
            if (!status)
                return usage(QStringLiteral("--status: «%1» no es final, beta ni none").arg(value));
            value = *status;
        } else if (field.kind == FieldKind::Date) {
            const auto date = dateNamed(value);
            if (!date)
                return usage(
                    QStringLiteral("--date: «%1» no es una fecha (AAAA-MM-DD, AAAA-MM-DDTHH:MM:SS o now)").arg(value));
            value = generalDateText(*date, GeneralDateFormat::fromSystem());
        }
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
            if (auto failure = readLicences())
                return failure;
        }
        value = useLicence ? licences_->use : licences_->distribution;
        return std::nullopt;
    }

    std::optional<Failure> readLicences()
    {
        const LicencesRead read = readLicenceDefaults();
        if (read.error)
            return fileFailure(*read.error);
        licences_ = *read.texts;
        return std::nullopt;
    }

    void warnOfUnwritable(const DocumentRecord& record)
    {
        for (const DocumentField& field : documentFields()) {
            if (const qsizetype count = windows1252::unwritableCount(record.*field.value))
                say(QStringLiteral("aviso: %1 %2 de --%3 no caben en Windows-1252 y se escriben como «?»")
                        .arg(count)
                        .arg(count == 1 ? QStringLiteral("carácter") : QStringLiteral("caracteres"),
                             optionName(field)));
        }
    }

    std::optional<Failure> write(const DocumentRecord& record)
    {
        const QString output = parser_.value(QStringLiteral("output"));
        if (output != QLatin1String("-")) {
            if (const auto error = writeDocument(FilePath(output), record, edition_.writeMode()))
                return fileFailure(*error);
            return std::nullopt;
        }
        DocumentPieces pieces(composeDocument(record));
        for (QByteArrayView piece = pieces.next(); !piece.isEmpty(); piece = pieces.next()) {
            if (const auto error = streams_.writeOutput(piece))
                return fileFailure(*error);
        }
        return std::nullopt;
    }

    void say(const QString& message) { streams_.writeMessage(edition_.programName() + QStringLiteral(": ") + message); }

    Edition edition_;
    const CommandLineStreams& streams_;
    QCommandLineParser parser_;
    std::optional<Licences> licences_;
};

}  // namespace

bool wantsCommandLine(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            return false;
        if (argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-h") ||
            argument == QLatin1String("-v"))
            return true;
    }
    return false;
}

int runCommandLine(const QStringList& arguments, const Edition& edition, const CommandLineStreams& streams)
{
    return CommandLine(edition, streams).run(arguments);
}

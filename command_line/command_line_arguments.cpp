#include "command_line_arguments.h"

#include "command_line.h"
#include "command_line_texts.h"
#include "date_text.h"

namespace {

const OptionSpec* optionNamed(QStringView name, const QList<OptionSpec>& options)
{
    for (const OptionSpec& option : options) {
        if (option.name == name || (name.size() == 1 && option.letter == name[0]))
            return &option;
    }
    return nullptr;
}

std::optional<ArgumentProblem> takeOption(const QStringList& arguments, qsizetype& i, const QList<OptionSpec>& options,
                                          GivenArguments& given)
{
    const QString& argument = arguments[i];
    const bool isLong = argument.startsWith(QLatin1String("--"));
    const qsizetype equals = isLong ? argument.indexOf(u'=') : -1;
    const QString written = equals < 0 ? argument : argument.first(equals);
    const OptionSpec* option = optionNamed(QStringView(written).sliced(isLong ? 2 : 1), options);
    if (!option || (!isLong && written.size() != 2))
        return ArgumentProblem{TextId::UnknownOption, written};
    if (!option->takesValue) {
        if (equals >= 0)
            return ArgumentProblem{TextId::UnexpectedValue, written};
        given.flags.insert(option->name);
    } else if (equals >= 0) {
        given.values.insert(option->name, argument.sliced(equals + 1));
    } else if (i + 1 < arguments.size()) {
        given.values.insert(option->name, arguments[++i]);
    } else {
        return ArgumentProblem{TextId::MissingValue, written};
    }
    return std::nullopt;
}

// Qt's own options for a program with windows (QGuiApplication and
// QApplication take them away before the program sees its arguments), and
// whether each takes a value.
const std::pair<QLatin1String, bool> kToolkitOptions[] = {
    {QLatin1String("-platform"), true},        {QLatin1String("-platformpluginpath"), true},
    {QLatin1String("-platformtheme"), true},   {QLatin1String("-plugin"), true},
    {QLatin1String("-qwindowgeometry"), true}, {QLatin1String("-qwindowicon"), true},
    {QLatin1String("-qwindowtitle"), true},    {QLatin1String("-session"), true},
    {QLatin1String("-display"), true},         {QLatin1String("-geometry"), true},
    {QLatin1String("-style"), true},           {QLatin1String("-stylesheet"), true},
    {QLatin1String("-reverse"), false},        {QLatin1String("-widgetcount"), false},
    {QLatin1String("-nograb"), false},         {QLatin1String("-dograb"), false},
    {QLatin1String("-sync"), false},
};

// Whether the argument is one of Qt's own options; value tells whether the
// next argument is its value.
bool isToolkitOption(const QString& argument, bool& value)
{
    for (const auto& [name, takesValue] : kToolkitOptions) {
        if (argument == name) {
            value = takesValue;
            return true;
        }
        if (takesValue && argument.startsWith(name + u'=')) {
            value = false;
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<ArgumentProblem> parseArguments(const QStringList& arguments, const QList<OptionSpec>& options,
                                              GivenArguments& given)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || argument == u'-' || !argument.startsWith(u'-')) {
            given.operands.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (auto problem = takeOption(arguments, i, options, given)) {
            return problem;
        }
    }
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

namespace {

// Whether the text has that shape, 'd' standing for a digit.
bool hasShape(QStringView text, QLatin1String shape)
{
    if (text.size() != shape.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (shape[i] == 'd' ? !digit : text[i] != QLatin1Char(shape[i]))
            return false;
    }
    return true;
}

}  // namespace

// "now", "2026-12-09" or "2026-12-09T10:30:00", between 1601 and 9999.
std::optional<QDateTime> dateNamed(const QString& text)
{
    if (text == QLatin1String("now"))
        return nowToTheSecond();
    const bool withTime = hasShape(text, QLatin1String("dddd-dd-ddTdd:dd:dd"));
    if (!withTime && !hasShape(text, QLatin1String("dddd-dd-dd")))
        return std::nullopt;
    const QDate date = QDate::fromString(text.first(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = withTime ? QTime::fromString(text.sliced(11), QStringLiteral("HH:mm:ss")) : QTime(0, 0);
    if (!date.isValid() || !time.isValid() || date < QDate(1601, 1, 1) || date > QDate(9999, 12, 31))
        return std::nullopt;
    return QDateTime(date, time);
}

bool wantsCommandLine(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            return false;
        bool value = false;
        if (argument.size() < 2 || !argument.startsWith(u'-'))
            continue;
        if (!isToolkitOption(argument, value))
            return true;  // any other option, known or not, is the command line's
        i += value ? 1 : 0;
    }
    return false;
}

#pragma once

// The command line's arguments: which options were given, with what values,
// and what the values of the status and the date mean.

#include "program_texts.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <optional>

// The options given: each one's last value, the flags, and the operands.
struct GivenArguments {
    QHash<QString, QString> values;
    QSet<QString> flags;
    QStringList operands;

    bool has(const QString& option) const { return values.contains(option); }
};

// What is wrong with the arguments: the message's text and the argument it
// names.
struct ArgumentProblem {
    TextId text;
    QString argument;
};

// Reads the arguments GNU's way: --name=VALUE or --name VALUE, -h, -v, and
// after "--" only operands; an option given twice keeps its last value.
struct OptionSpec;
std::optional<ArgumentProblem> parseArguments(const QStringList& arguments, const QList<OptionSpec>& options,
                                              GivenArguments& given);

// "final", "beta" or "none" as the document writes it.
std::optional<QString> statusNamed(const QString& name);

// "now", "2026-12-09" or "2026-12-09T10:30:00", between 1601 and 9999.
std::optional<QDateTime> dateNamed(const QString& text);

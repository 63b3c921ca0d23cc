#pragma once

#include "edition.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Writing a read-me document from the command line, with no window and no
// display: the field options of the document's field table, --from an
// earlier document, --output the file (or - for standard output).

// The streams the command line talks through; tests give their own.
struct CommandLineStreams {
    // All of standard input, or nothing where it cannot be read.
    std::function<std::optional<QByteArray>()> readInput;
    // False where standard output cannot take the bytes.
    std::function<bool(QByteArrayView)> writeOutput;
    // One message line, without its line end.
    std::function<void(const QString&)> writeMessage;
};

// The process's own standard input, output and error.
CommandLineStreams processStreams();

// Whether the arguments (without the program's name) ask for the command
// line: any long option, or -h, -v, before a "--".
bool wantsCommandLine(const QStringList& arguments);

// The exit statuses.
enum CommandLineExit { kWritten = 0, kFileFailure = 1, kUsageError = 2 };

// Runs the command line: writes the document, or prints the help or the
// version; the exit status. Nothing is written on a failure.
int runCommandLine(const QStringList& arguments, const Edition& edition, const CommandLineStreams& streams);

#pragma once

#include "edition.h"
#include "file_error.h"

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
    // All of standard input, or why it could not be read.
    std::function<std::optional<FileError>(QByteArray& bytes)> readInput;
    // Why standard output could not take the bytes, where it could not.
    std::function<std::optional<FileError>(QByteArrayView bytes)> writeOutput;
    // The same for text for people (the help, the version).
    std::function<std::optional<FileError>(const QString& text)> writeText;
    // One message line, without its line end.
    std::function<void(const QString&)> writeMessage;
};

// The process's own standard input, output and error (process_streams.cpp).
CommandLineStreams processStreams();

// Whether the arguments (without the program's name) ask for the command
// line: any long option, or -h, -v, before a "--".
bool wantsCommandLine(const QStringList& arguments);

// The exit statuses.
enum CommandLineExit { kWritten = 0, kFileFailure = 1, kUsageError = 2 };

// Runs the command line: writes the document, or prints the help or the
// version; the exit status. Nothing is written on a failure.
int runCommandLine(const QStringList& arguments, const Edition& edition, const CommandLineStreams& streams);

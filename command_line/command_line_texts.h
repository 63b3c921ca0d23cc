#pragma once

// What the command line says besides its messages: its options, --help and
// --version, in the program's language (command_line_texts.cpp).

#include "edition.h"

#include <QList>
#include <QString>

// An option: its long name, its one-letter name (or none), and whether it
// takes a value.
struct OptionSpec {
    QString name;
    QChar letter;
    bool takesValue;
};

// Every option of the release, the fixed ones and one for each field of the
// document (release 1.0 writes no Markdown, so it has no --format).
QList<OptionSpec> commandLineOptions(const Edition& edition);

QString helpText(const Edition& edition, const ProgramTexts& texts);
QString versionText(const Edition& edition, const ProgramTexts& texts);

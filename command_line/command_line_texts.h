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

// Every option, the fixed ones and one for each field of the document.
const QList<OptionSpec>& commandLineOptions();

QString helpText(const Edition& edition, const ProgramTexts& texts);
QString versionText(const Edition& edition, const ProgramTexts& texts);

#pragma once

#include "program_texts.h"

#include <QString>
#include <QStringView>

class QLineEdit;
class QPlainTextEdit;

// Marks, as the author types, every character that the document cannot hold
// (Windows-1252 has no place for it, so it is written as '?').

// In a multi-line box: a red wavy underline under each such character.
void markUnwritable(QPlainTextEdit* box);

// In a one-line box: a warning sign at its end while it holds any, whose
// tooltip names them.
void markUnwritable(QLineEdit* box, const ProgramTexts& texts);

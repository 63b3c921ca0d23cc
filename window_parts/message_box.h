#pragma once

#include "file_error.h"
#include "program_texts.h"

#include <QString>
#include <QStringList>

class QWidget;

// The program's messages, shown modally: a failed file operation with the
// error's number and description, and a notice of something that was done
// only in part.
namespace message_box {

void showError(QWidget* parent, const ProgramTexts& texts, const FileError& error);

void showNotice(QWidget* parent, const QString& text);

// Tests collect the messages here instead of facing a modal box; nullptr
// shows them again.
void recordInto(QStringList* messages);

}  // namespace message_box

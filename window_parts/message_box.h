#pragma once

#include "file_error.h"

#include <QString>
#include <QStringList>

class QWidget;

// The program's one kind of message: a failed file operation, shown modally
// with the error's number and description.
namespace message_box {

QString errorText(const FileError& error);

void showError(QWidget* parent, const FileError& error);

// Tests collect the messages here instead of facing a modal box; nullptr
// shows them again.
void recordInto(QStringList* messages);

}  // namespace message_box

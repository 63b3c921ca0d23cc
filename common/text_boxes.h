#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;
class QRect;

// A single-line box without a length limit.
QLineEdit* addLineBox(QWidget* parent, const QString& objectName, const QRect& area);

// A multi-line box: long lines wrap at its width, a vertical scroll bar only,
// and Tab moves the focus on.
QPlainTextEdit* addMultiLineBox(QWidget* parent, const QString& objectName, const QRect& area);

// The box's text with each line break as LF and every other character as
// typed (toPlainText would turn a no-break space into a space).
QString plainTextOf(const QPlainTextEdit* box);

#pragma once

#include <QString>
#include <QStringView>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRect;
class QWidget;

// The controls of the program's windows, each placed at its area and named
// so that the window's handlers and tests find it.

// A label that shows its caption as plain text and whose access key, if its
// caption has one, moves the focus to its buddy.
QLabel* addLabel(QWidget* parent, const QString& name, const QRect& area, QWidget* buddy = nullptr);

// A push button that is neither the window's default nor its cancel button;
// Return, Enter and Space press it while it has the focus.
QPushButton* addButton(QWidget* parent, const QString& name, const QRect& area);

// A group: a white panel with its caption on the top border.
QGroupBox* addFrame(QWidget* parent, const QString& name, const QRect& area);

// A picture that fills the area (stretched when the area differs from the
// picture's own size) and ignores the mouse.
QLabel* addPicture(QWidget* parent, const QString& name, const QString& resource, const QRect& area);

// A picture whose rows are all alike (a gradient across it), kept as its
// one row and repeated down the area.
QLabel* addStrip(QWidget* parent, const QString& name, const QString& rowResource, const QRect& area);

// A single-line box without a length limit.
QLineEdit* addLineBox(QWidget* parent, const QString& name, const QRect& area);

// A multi-line box: long lines wrap at its width, a vertical scroll bar only,
// and Tab moves the focus on.
QPlainTextEdit* addMultiLineBox(QWidget* parent, const QString& name, const QRect& area);

// The box's text with each line break as LF and every other character as
// typed (toPlainText would turn a no-break space into a space).
QString plainTextOf(const QPlainTextEdit* box);

// The same text a line at a time, without making the whole of it: the
// pieces, one after the other, are plainTextOf(box).
void forEachPieceOf(const QPlainTextEdit* box, const std::function<void(QStringView)>& piece);

#pragma once

#include "caption_source.h"

#include <QList>

class QWidget;

// Sets each caption on the window's element of that name (the empty name is
// the window's own title); an element the window does not have is skipped.
void applyCaptions(QWidget* window, const QList<Caption>& captions);

// The caption of a label, group, check box, option button, push button or,
// for the window itself, its title. Captions are always plain text. An empty
// title shows as empty, where Qt would put the program's name.
void setCaption(QWidget* element, const QString& text);

// The caption an element shows (for a window whose title shows as empty, the
// empty text).
QString captionOf(const QWidget* element);

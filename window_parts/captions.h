#pragma once

#include "caption_source.h"

#include <QList>

class QWidget;

// Sets each caption on the window's element of that name (the empty name is
// the window's own title); an element the window does not have is skipped.
void applyCaptions(QWidget* window, const QList<Caption>& captions);

// The caption of a label, group, check box, option button, push button or,
// for the window itself, its title. Captions are always plain text.
void setCaption(QWidget* element, const QString& text);

#pragma once

#include "common/edition.h"
#include "settings/caption_keys.h"

#include <span>

class QWidget;

// Sets a window's keyed captions: release 1.1 reads every key from its
// caption source (an empty text where it has none), release 1.0 takes the
// fixed Spanish texts.
void applyCaptions(QWidget* window, std::span<const CaptionKey> keys, const Edition& edition);

// The caption of a label, group, check box, option button, push button or,
// for the window itself, its title. Captions are always plain text.
void setCaption(QWidget* element, const QString& text);

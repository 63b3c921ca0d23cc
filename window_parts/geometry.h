#pragma once

#include <QRect>

class QWidget;

// Window layouts are given in twips; at 96 dpi 15 twips make one pixel.
constexpr int twips(int value) { return (value + 7) / 15; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

// Fixed-size top-level window of the given client size (in twips); minimise
// is offered only where asked for, maximise never.
void setUpFixedWindow(QWidget* window, int widthTwips, int heightTwips, bool minimisable);

void centreOnScreen(QWidget* window);

#pragma once

#include <QFont>
#include <QRect>

class QWidget;

// Window layouts are given in twips; at 96 dpi 15 twips make one pixel.
constexpr int twips(int value) { return (value + 7) / 15; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

// "MS Sans Serif" 8.25 points where it exists, otherwise a sans with Arial's
// metrics so that every text fits the place it was laid out for.
QFont classicFont(double pointSize = 8.25, bool bold = false);

// "Times New Roman", or a serif with its metrics.
QFont serifFont(double pointSize);

// The program's look for every window and dialog: the classic font.
void applyProgramLook();

// Fixed-size top-level window of the given client size (in twips); minimise
// is offered only where asked for, maximise never.
void setUpFixedWindow(QWidget* window, int widthTwips, int heightTwips, bool minimisable);

void centreOnScreen(QWidget* window);

// A window icon in its 16 and 32 pixel sizes.
class QIcon;
QIcon iconOf(const QString& small, const QString& large);

// Check boxes and option buttons are painted white whatever lies behind them.
void paintWhite(QWidget* widget);


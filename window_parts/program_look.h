#pragma once

// How the program looks in every window: its fonts, its window icons and the
// white behind its choices.

#include <QFont>

class QIcon;
class QPixmap;
class QString;
class QWidget;

// "MS Sans Serif" 8.25 points where it exists, otherwise a sans with Arial's
// metrics so that every text fits the place it was laid out for.
QFont classicFont(double pointSize = 8.25, bool bold = false);

// "Times New Roman", or a serif with its metrics.
// A fixed-width font for the document's preview: the system's; on
// Windows one Windows has (Consolas, Courier New), else the one the build
// brings.
QFont fixedWidthFont();

QFont serifFont(double pointSize);

// The program's look for every window and dialog: the classic font.
void applyProgramLook();

// One of the program's PNG pictures. Its format is named and never guessed:
// guessing loads Qt's other image plugins (JPEG, GIF, ICO) and their
// libraries, for nothing.
QPixmap pictureOf(const QString& resource);

// A window icon in its 16 and 32 pixel sizes, or in one size.
QIcon iconOf(const QString& small, const QString& large = {});

// Check boxes and option buttons are painted white whatever lies behind them.
void paintWhite(QWidget* widget);

#include "geometry.h"

#include <QApplication>
#include <QIcon>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace {

// The first family found wins; Qt resolves the list lazily, without
// enumerating every font on the system.
QFont fontOf(const QStringList& families, QFont::StyleHint hint, double pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont classicFont(double pointSize, bool bold)
{
    return fontOf({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("Arimo")},
                  QFont::SansSerif, pointSize, bold);
}

QFont serifFont(double pointSize)
{
    return fontOf({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")},
                  QFont::Serif, pointSize, false);
}

void applyProgramLook() { QApplication::setFont(classicFont()); }

void setUpFixedWindow(QWidget* window, int widthTwips, int heightTwips, bool minimisable)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (minimisable)
        flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
    window->setFixedSize(twips(widthTwips), twips(heightTwips));
}

QIcon iconOf(const QString& small, const QString& large)
{
    QIcon icon(small);
    icon.addFile(large);
    return icon;
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void paintWhite(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setBrush(widget->backgroundRole(), Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

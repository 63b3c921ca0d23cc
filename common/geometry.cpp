#include "common/geometry.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace {

QString firstAvailable(std::initializer_list<const char*> families)
{
    const QStringList available = QFontDatabase::families();
    for (const char* name : families) {
        if (available.contains(QLatin1String(name)))
            return QString::fromLatin1(name);
    }
    return {};
}

QFont fontOf(const QString& family, QFont::StyleHint hint, double pointSize, bool bold)
{
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont classicFont(double pointSize, bool bold)
{
    static const QString family = firstAvailable({"MS Sans Serif", "Liberation Sans", "Arial", "Arimo"});
    return fontOf(family, QFont::SansSerif, pointSize, bold);
}

QFont serifFont(double pointSize)
{
    static const QString family = firstAvailable({"Times New Roman", "Liberation Serif", "Tinos"});
    return fontOf(family, QFont::Serif, pointSize, false);
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
    widget->setAutoFillBackground(true);
    widget->setStyleSheet(QStringLiteral("background-color: white;"));
}

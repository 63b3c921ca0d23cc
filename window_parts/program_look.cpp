#include "program_look.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPalette>
#include <QPixmap>
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

QPixmap pictureOf(const QString& resource)
{
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon iconOf(const QString& small, const QString& large)
{
    QIcon icon;
    for (const QString& size : {small, large}) {
        if (!size.isEmpty())
            icon.addPixmap(pictureOf(size));
    }
    return icon;
}

void paintWhite(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setBrush(widget->backgroundRole(), Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

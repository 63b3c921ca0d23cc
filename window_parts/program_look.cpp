#include "program_look.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
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

QFont fixedWidthFont()
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
#if defined(Q_OS_WIN)
    const double points = system.pointSizeF() > 0 ? system.pointSizeF() : 10;
    return fontOf({QStringLiteral("Consolas"), QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
                  QFont::Monospace, points, false);
#else
    return system;
#endif
}

QFont serifFont(double pointSize)
{
    return fontOf({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")},
                  QFont::Serif, pointSize, false);
}

namespace {

// Windows' own fonts differ from one system to the next (under Wine the
// dialog font can be one whose line boxes draw no text at all), so the
// Windows build brings the fonts its windows are laid out for, in "fonts"
// beside the executable.
void loadBroughtFonts()
{
#if defined(Q_OS_WIN)
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& name : folder.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(folder.filePath(name));
#endif
}

}  // namespace

void applyProgramLook()
{
    loadBroughtFonts();
    QApplication::setFont(classicFont());
}

// On a screen scaled 2x or more, the picture drawn at twice its size
// (NAME@2x.png) where there is one.
QPixmap pictureOf(const QString& resource)
{
    QString file = resource;
    const bool sharp = qApp && qApp->devicePixelRatio() > 1.0;
    if (sharp && QFile::exists(QString(resource).replace(QLatin1String(".png"), QLatin1String("@2x.png"))))
        file.replace(QLatin1String(".png"), QLatin1String("@2x.png"));
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    QPixmap picture = QPixmap::fromImage(reader.read());
    picture.setDevicePixelRatio(file == resource ? 1.0 : 2.0);
    return picture;
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

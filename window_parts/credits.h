#pragma once

#include <QString>

// The credits shown in the main window's title and in the about window.
namespace credits {

inline QString author() { return QStringLiteral("Equipo Trumi"); }
inline QString email() { return QStringLiteral("trumi@example.org"); }
inline QString releaseDate() { return QStringLiteral("02/06/2004"); }

inline QString mainWindowTitle(const QString& version)
{
    return QStringLiteral("Trumi Editor %1 - 2004 - %2").arg(version, author());
}

}  // namespace credits

#pragma once

#include <QString>

// The folder that holds the running program, asked for anew each time, and
// the settings files in it: the folder's text, the platform's separator and
// the name, with nothing else added or removed.
QString programFolder();
QString programFilePath(const QString& name);

// Tests point the program at a folder of their own; an empty text restores
// the real one.
void overrideProgramFolder(const QString& folder);

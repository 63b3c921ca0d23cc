#pragma once

#include "file_error.h"
#include "file_path.h"

#include <QString>

// The folder that holds the running program, found anew each time from the
// executable's own path as bytes; empty when it cannot be found.
FilePath programFolder();

// A file in the program folder: the folder's name, the platform's separator
// and the name, with nothing else added or removed; empty when the folder
// cannot be found.
FilePath programFilePath(const QString& name);

// Tests point the program at a folder of their own; an empty path restores
// the real one.
void overrideProgramFolder(const FilePath& folder);

// What the user is told when the program folder cannot be found: nothing is
// then read from it or written anywhere else.
FileError programFolderNotFound();

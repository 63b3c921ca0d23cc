#pragma once

// Where the licence defaults are kept on this system (for licence_file).

#include "file_error.h"
#include "file_path.h"

#include <optional>

namespace config_places {

// True when the program may write beside itself (a portable folder).
bool programFolderWritable();

// The administrators' defaults of an installed program, where the system
// keeps them apart from the program folder.
std::optional<FilePath> administratorsFolder();

// The folder of this user's own defaults.
FilePath usersFolder();

// Makes the folder and those it is in, as mkdir -p does; the error names the
// folder that could not be made.
std::optional<FileError> makeFolders(const FilePath& folder);

}  // namespace config_places

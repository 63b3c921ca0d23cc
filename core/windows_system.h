#pragma once

// What the Windows parts of core share: paths in UTF-16 and the system's
// errors as the user is shown them.

#include "file_error.h"
#include "file_path.h"

#include <string>

namespace windows_system {

// The path as Windows takes it: UTF-16, '\' between the parts.
std::wstring wideOf(const FilePath& path);

// A Windows error (GetLastError): Windows' own number, with Windows' own
// description.
FileError errorOf(unsigned long code, const FilePath& path);
FileError lastError(const FilePath& path);

}  // namespace windows_system

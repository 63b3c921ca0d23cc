// Where the licence defaults live on Windows: beside the program in a
// portable folder; in an installed one (Program Files, which users cannot
// write), each user's own in their application-data folder and the
// administrators' beside the program.
#include "config_places.h"

#include "program_folder.h"
#include "windows_system.h"

#include <QRandomGenerator>

#include <windows.h>

namespace config_places {

using namespace windows_system;

bool programFolderWritable()
{
    const FilePath folder = programFolder();
    if (folder.isEmpty())
        return true;
    const FilePath probe =
        folder.child(QStringLiteral(".trumi-") + QString::number(QRandomGenerator::global()->generate(), 36));
    const HANDLE file = ::CreateFileW(wideOf(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

std::optional<FilePath> administratorsFolder() { return std::nullopt; }

FilePath usersFolder()
{
    const QString appData = qEnvironmentVariable("APPDATA");
    const FilePath base = appData.isEmpty() ? programFolder() : FilePath(appData);
    return base.child(QStringLiteral("Trumi Editor"));
}

std::optional<FileError> makeFolders(const FilePath& folder)
{
    if (::CreateDirectoryW(wideOf(folder).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return std::nullopt;
    if (::GetLastError() != ERROR_PATH_NOT_FOUND || folder.folder() == folder)
        return lastError(folder);
    if (auto error = makeFolders(folder.folder()))
        return error;
    if (::CreateDirectoryW(wideOf(folder).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return std::nullopt;
    return lastError(folder);
}

}  // namespace config_places

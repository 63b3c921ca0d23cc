#include "program_folder.h"

#include "file_system.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

#if defined(Q_OS_LINUX)
#include <climits>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace {

FilePath& overriddenFolder()
{
    static FilePath folder;
    return folder;
}

// The executable's own path as the system gives it, bytes unchanged.
FilePath executablePath()
{
#if defined(Q_OS_LINUX)
    QByteArray path(PATH_MAX, Qt::Uninitialized);
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), size_t(path.size()));
    if (length > 0 && length < path.size())
        return FilePath::fromNative(path.left(length));
    return {};
#elif defined(Q_OS_WIN)
    // The long form of the path, whatever its length.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return FilePath(QString::fromWCharArray(path.data(), qsizetype(length)));
        path.resize(path.size() * 2);
    }
#else
    return FilePath(QCoreApplication::applicationFilePath());
#endif
}

}  // namespace

FilePath programFolder()
{
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    const FilePath executable = executablePath();
    return executable.isEmpty() ? FilePath() : executable.folder();
}

FilePath programFilePath(const QString& name)
{
    const FilePath folder = programFolder();
    return folder.isEmpty() ? FilePath() : folder.child(name);
}

FileError programFolderNotFound()
{
    return FileError::of(FileProblem::ProgramFolderMissing, file_system::numberOf(file_system::Found::Missing), {});
}

void overrideProgramFolder(const FilePath& folder) { overriddenFolder() = folder; }

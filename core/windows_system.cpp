// What the Windows parts of core share: paths in UTF-16 and the system's
// errors as the user is shown them.
#include "windows_system.h"

#include <QDir>

#include <windows.h>

namespace windows_system {

// A path of MAX_PATH characters or more reaches the file system only with
// \\?\ before it (and only as a whole path, with backslashes); the
// programs' manifests say they take such paths.
std::wstring wideOf(const FilePath& path)
{
    QString native = QDir::toNativeSeparators(path.display());
    if (native.size() >= MAX_PATH - 12 && !native.startsWith(QLatin1String("\\\\?\\"))) {
        if (native.startsWith(QLatin1String("\\\\")))
            native = QStringLiteral("\\\\?\\UNC\\") + native.mid(2);
        else if (native.size() > 2 && native[1] == u':')
            native = QStringLiteral("\\\\?\\") + native;
    }
    return native.toStdWString();
}

namespace {

QString descriptionOf(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString description = QString::fromWCharArray(text, qsizetype(length)).trimmed();
    ::LocalFree(text);
    return description.isEmpty() ? QStringLiteral("Windows error %1").arg(code) : description;
}

}  // namespace

FileError errorOf(unsigned long code, const FilePath& path)
{
    return {int(code), FileProblem::System, path.display(), descriptionOf(code)};
}

FileError lastError(const FilePath& path) { return errorOf(::GetLastError(), path); }

}  // namespace windows_system

// Where the licence defaults live on Linux and other POSIX systems.
#include "config_places.h"

#include "program_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace config_places {

bool programFolderWritable()
{
    const FilePath folder = programFolder();
    return folder.isEmpty() || ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The installed layout: the program folder is PREFIX/lib/trumi-editor, and
// the administrators' defaults live in etc/trumi-editor beside a prefix
// that is a usr folder (/usr gives /etc), else in PREFIX/etc (/usr/local
// gives /usr/local/etc). Any other folder is a portable one.
std::optional<FilePath> administratorsFolder()
{
    const QByteArray folder = programFolder().native();
    const QByteArray tail = "/lib/trumi-editor";
    if (!folder.endsWith(tail))
        return std::nullopt;
    const QByteArray prefix = folder.chopped(tail.size());
    const QByteArray base = prefix.endsWith("/usr") ? prefix.chopped(4) : prefix;
    return FilePath::fromNative(base + "/etc/trumi-editor");
}

// The user's configuration folder as the XDG base-directory rules have it:
// XDG_CONFIG_HOME when it is an absolute path (a relative one is ignored),
// else .config in the home folder (HOME, else the user's entry).
FilePath usersFolder()
{
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (configHome.startsWith('/'))
        return FilePath::fromNative(configHome).childNative("trumi-editor");
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty()) {
        const struct passwd* entry = ::getpwuid(::getuid());
        home = entry ? QByteArray(entry->pw_dir) : QByteArray("/");
    }
    return FilePath::fromNative(home).childNative(".config").childNative("trumi-editor");
}

// Makes the folder and those it is in, as mkdir -p does; the error names the
// folder that could not be made.
std::optional<FileError> makeFolders(const FilePath& folder)
{
    if (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST)
        return std::nullopt;
    if (errno != ENOENT || folder.folder() == folder)
        return FileError::fromErrno(errno, folder);
    if (auto error = makeFolders(folder.folder()))
        return error;
    if (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST)
        return std::nullopt;
    return FileError::fromErrno(errno, folder);
}

}  // namespace config_places

#include "file_path.h"

#include <QDir>
#include <QFile>

#if defined(Q_OS_WIN)
// Windows names files in UTF-16: a path is kept as UTF-8 with '/' between
// its parts, and turned back into UTF-16 for each call (file_io_windows).
FilePath::FilePath(const QString& path) : native_(QDir::fromNativeSeparators(path).toUtf8()) {}

QString FilePath::display() const { return QString::fromUtf8(native_); }

FilePath FilePath::child(const QString& name) const { return childNative(name.toUtf8()); }

namespace {
// "C:/" or "//server/share/": the part of a path that has no folder above it.
bool isRootPrefix(const QByteArray& path, qsizetype slash)
{
    return (slash == 2 && path.size() > 1 && path[1] == ':') || slash == 0;
}
}  // namespace

FilePath FilePath::absolute() const
{
    if (native_.isEmpty())
        return *this;
    return FilePath(QDir::current().absoluteFilePath(display()));
}
#else
#include <climits>
#include <unistd.h>

FilePath::FilePath(const QString& path) : native_(QFile::encodeName(path)) {}

QString FilePath::display() const { return QFile::decodeName(native_); }

FilePath FilePath::child(const QString& name) const { return childNative(QFile::encodeName(name)); }

namespace {
bool isRootPrefix(const QByteArray&, qsizetype slash) { return slash == 0; }
}  // namespace

FilePath FilePath::absolute() const
{
    char current[PATH_MAX];
    if (native_.isEmpty() || native_.startsWith('/') || !::getcwd(current, sizeof current))
        return *this;
    return fromNative(QByteArray(current) + '/' + native_);
}
#endif

FilePath FilePath::fromNative(QByteArray bytes)
{
    FilePath path;
    path.native_ = std::move(bytes);
    return path;
}

FilePath FilePath::folder() const
{
    const qsizetype slash = native_.lastIndexOf('/');
    if (slash < 0)
        return fromNative(".");
    return fromNative(native_.left(isRootPrefix(native_, slash) ? slash + 1 : slash));
}

FilePath FilePath::childNative(const QByteArray& name) const { return fromNative(native_ + '/' + name); }

QByteArray FilePath::nameNative() const { return native_.mid(native_.lastIndexOf('/') + 1); }

#include "file_path.h"

#include <QFile>
#include <climits>
#include <unistd.h>

FilePath::FilePath(const QString& path) : native_(QFile::encodeName(path)) {}

FilePath FilePath::fromNative(QByteArray bytes)
{
    FilePath path;
    path.native_ = std::move(bytes);
    return path;
}

QString FilePath::display() const { return QFile::decodeName(native_); }

FilePath FilePath::folder() const
{
    const qsizetype slash = native_.lastIndexOf('/');
    if (slash < 0)
        return fromNative(".");
    return fromNative(slash == 0 ? QByteArray("/") : native_.left(slash));
}

FilePath FilePath::child(const QString& name) const { return childNative(QFile::encodeName(name)); }

FilePath FilePath::childNative(const QByteArray& name) const { return fromNative(native_ + '/' + name); }

FilePath FilePath::absolute() const
{
    char current[PATH_MAX];
    if (native_.isEmpty() || native_.startsWith('/') || !::getcwd(current, sizeof current))
        return *this;
    return fromNative(QByteArray(current) + '/' + native_);
}

QByteArray FilePath::nameNative() const { return native_.mid(native_.lastIndexOf('/') + 1); }

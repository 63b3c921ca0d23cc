// The helpers that only a POSIX system can give: device nodes, a small
// file system and file access as another user.
#include "test_files.h"

#include <QFile>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

QString makeFullDevice(const QString& folder)
{
    QString path = folder + QStringLiteral("/full");
    if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        return {};
    return path;
}

SmallFileSystem::SmallFileSystem(int kilobytes)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallFileSystem::~SmallFileSystem()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

UnprivilegedFileAccess::UnprivilegedFileAccess()
    : previousGroup_(::setfsgid(kNobody)), previousUser_(::setfsuid(kNobody))
{
}

UnprivilegedFileAccess::~UnprivilegedFileAccess()
{
    ::setfsuid(previousUser_);
    ::setfsgid(previousGroup_);
}

#include "test_files.h"

#include "program_folder.h"

#include <QFile>
#include <QRandomGenerator>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

TemporaryProgramFolder::TemporaryProgramFolder() { overrideProgramFolder(dir_.path()); }
TemporaryProgramFolder::~TemporaryProgramFolder() { overrideProgramFolder({}); }

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

void writeBytesNative(const FilePath& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        qWarning("short write to %s", path.c_str());
    ::close(fd);
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

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

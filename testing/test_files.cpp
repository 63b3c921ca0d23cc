#include "test_files.h"

#include "program_folder.h"

#include <QFile>
#include <QRandomGenerator>
#if !defined(Q_OS_WIN)
#include <fcntl.h>
#include <unistd.h>
#endif

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
#if defined(Q_OS_WIN)
    writeBytes(path.display(), bytes);  // Windows' names are text
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        qWarning("short write to %s", path.c_str());
    ::close(fd);
#endif
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

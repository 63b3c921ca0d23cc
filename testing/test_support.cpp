#include "testing/test_support.h"

#include "common/message_box.h"
#include "common/program_folder.h"

#include <QFile>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

RecordedMessages::RecordedMessages() { message_box::recordInto(&messages_); }
RecordedMessages::~RecordedMessages() { message_box::recordInto(nullptr); }

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

QString makeFullDevice(const QString& folder)
{
    const QString path = folder + QStringLiteral("/full");
    if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        return {};
    return path;
}

#include <sys/fsuid.h>

namespace {
constexpr int kNobody = 65534;
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

#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overriddenFolder()
{
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder()
{
    const QString& overridden = overriddenFolder();
    return overridden.isEmpty() ? QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) : overridden;
}

QString programFilePath(const QString& name) { return programFolder() + QDir::separator() + name; }

void overrideProgramFolder(const QString& folder) { overriddenFolder() = folder; }

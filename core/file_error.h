#pragma once

#include <QString>

// A failed file operation as the user is told of it: the system's error
// number and its description, or a number and text of our own for a file
// whose content cannot be understood.
struct FileError {
    int number = 0;
    QString description;
    QString path;

    static FileError fromErrno(int errnoValue, const QString& path);
};

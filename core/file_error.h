#pragma once

#include "file_path.h"

#include <QString>

// A failed file operation as the user is told of it: the system's error
// number and its description, or a number and text of our own for a file
// that cannot be taken as it is.
struct FileError {
    int number = 0;
    QString description;
    QString path;

    static FileError fromErrno(int errnoValue, const FilePath& path);
    static FileError withText(int number, const QString& description, const FilePath& path);
};

// How the program words a failure, in the message box and on the command
// line alike: what failed, on which file, then the error's number and
// description, on lines of their own.
QString failureText(const FileError& error);

#pragma once

#include "file_path.h"

#include <QString>

// What went wrong with a file: the system's error, or a file that the
// program cannot take as it is.
enum class FileProblem {
    System,
    ProgramFolderMissing,
    NotRegularFile,
    TooLarge,
    LicenceFieldsMissing,
    LicenceQuoteUnclosed,
    NoWholeDocument,
    BeingWritten,
    InputClosed,   // the process was started with its standard input closed
    OutputClosed,  // the same, its standard output
};

// A failed file operation as core reports it: the problem, the error number
// the user is shown (the system's own: errno on Linux, GetLastError's on
// Windows) and the file. The windows and the command line word it
// (program_texts.h).
struct FileError {
    int number = 0;
    FileProblem problem = FileProblem::System;
    QString path;
    // The system's own description of a system error: strerror's on Linux,
    // FormatMessageW's on Windows.
    QString systemText;

    static FileError fromErrno(int errnoValue, const FilePath& path);
    static FileError of(FileProblem problem, int number, const FilePath& path);

    // The failures the program finds by itself, numbered (and, for a
    // system error, worded) as the system numbers the same failure
    // (file_system_posix.cpp, file_system_windows.cpp).
    // A device, pipe or other file that is not a plain file: never opened.
    static FileError notRegularFile(const FilePath& path);
    // A file larger than the program reads.
    static FileError tooLarge(const FilePath& path);
    // Another program holds the file's lock for too long.
    static FileError beingWritten(const FilePath& path);
    // A standard stream (0 input, 1 output) the program was started without.
    static FileError streamClosed(int stream);
    // A folder where a file was asked for.
    static FileError isFolder(const FilePath& path);
    // A copy that could not be read back whole.
    static FileError incomplete(const FilePath& path);
};

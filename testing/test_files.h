#pragma once

// Helpers for tests that need files but no widgets.

#include "file_error.h"
#include "file_path.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// Skips a case that this process may not set up (it needs root, a mount, a
// device node). Where TRUMI_REQUIRE_PRIVILEGED_TESTS is set, as CI does when
// it runs as root, such a case fails instead, so that none goes untested
// without a word.
#define TRUMI_SKIP_UNPRIVILEGED(reason)                                                                                \
    do {                                                                                                               \
        if (qEnvironmentVariableIsSet("TRUMI_REQUIRE_PRIVILEGED_TESTS"))                                               \
            QFAIL("cannot be set up here: " reason);                                                                   \
        QSKIP(reason);                                                                                                 \
    } while (false)

// The numbers the program shows on this system for a folder where a file
// was asked for, and for a file too large (errno's on Linux, Windows' own
// on Windows; a missing file is 2 on both).
inline int folderErrorNumber() { return FileError::isFolder({}).number; }
inline int tooLargeErrorNumber() { return FileError::tooLarge({}).number; }

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// The same under a name of any bytes, not necessarily valid UTF-8.
void writeBytesNative(const FilePath& path, const QByteArray& bytes);

// The same random bytes for the same seed.
QByteArray randomBytes(int size, quint32 seed);

// A temporary program folder that the program uses while this lives.
class TemporaryProgramFolder {
public:
    TemporaryProgramFolder();
    ~TemporaryProgramFolder();
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

#if !defined(Q_OS_WIN)
// A private node of the full device (every write fails with "no space"), or
// the empty text where this process may not make device nodes.
QString makeFullDevice(const QString& folder);

// A small file system of its own (a tmpfs of that many kilobytes) that a
// test can fill up; not mounted where this process may not mount one.
class SmallFileSystem {
public:
    explicit SmallFileSystem(int kilobytes = 64);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// While it lives, file access is checked as for an ordinary user (nobody),
// so that a read-only file refuses writing even to root, and new files
// belong to that user.
class UnprivilegedFileAccess {
public:
    UnprivilegedFileAccess();
    ~UnprivilegedFileAccess();
    UnprivilegedFileAccess(const UnprivilegedFileAccess&) = delete;
    UnprivilegedFileAccess& operator=(const UnprivilegedFileAccess&) = delete;

private:
    int previousGroup_;
    int previousUser_;
};

// The user that UnprivilegedFileAccess acts as.
inline constexpr unsigned kNobody = 65534;
#endif

#pragma once

// Helpers for tests that need files but no widgets.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

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

// A private node of the full device (every write fails with "no space"), or
// the empty text where this process may not make device nodes.
QString makeFullDevice(const QString& folder);

// While it lives, file access is checked as for an ordinary user, so that a
// read-only file refuses writing even to root.
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

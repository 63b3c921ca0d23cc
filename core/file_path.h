#pragma once

#include <QByteArray>
#include <QString>

// A file's name as the system knows it: bytes, whatever they hold, so that
// a folder whose name is not valid UTF-8 is still found and used exactly
// (on Windows, whose names are UTF-16, the name in UTF-8 with '/' between
// its parts). The names the user chooses come as text and convert
// implicitly; an empty path names no file.
class FilePath {
public:
    FilePath() = default;
    FilePath(const QString& path);  // NOLINT(google-explicit-constructor): every path in text is one
    static FilePath fromNative(QByteArray bytes);

    bool isEmpty() const { return native_.isEmpty(); }
    const QByteArray& native() const { return native_; }
    const char* c_str() const { return native_.constData(); }

    // The name as text, for messages; a byte that is not part of valid UTF-8
    // shows escaped ("\\xFF").
    QString display() const;

    // A name given as bytes (a command-line argument, a dropped file's URL)
    // as text that FilePath turns back into exactly those bytes: a byte that
    // is not part of valid UTF-8 is held as a lone surrogate, U+DC80 to
    // U+DCFF (as Python's "surrogateescape" does). On Windows, whose names
    // are text, the UTF-8 text.
    static QString textOfNative(QByteArrayView bytes);

    // The folder that holds the entry: everything before the last '/' ("."
    // for a bare name, "/" or "C:/" for an entry of a root folder).
    FilePath folder() const;

    // This folder's name, '/' and the entry's name, with nothing else added
    // or removed.
    FilePath child(const QString& name) const;
    FilePath childNative(const QByteArray& name) const;

    // The path from the root: a relative one is taken from the current
    // folder, as the system takes it.
    FilePath absolute() const;
    // The entry's own name: everything after the last '/'.
    QByteArray nameNative() const;

    bool operator==(const FilePath&) const = default;

private:
    QByteArray native_;
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The ten values one read-me document is made from, each exactly as the main
// window holds it: nothing is trimmed, checked or shortened.
struct DocumentRecord {
    QString product;  // product name without the version
    QString version;
    QString status;  // "FINAL", "BETA" or empty
    QString author;  // author's name and surnames
    QString email;
    QString web;
    QString date;  // creation date in the general date form
    QString description;
    QString useLicence;
    QString distributionLicence;

    bool operator==(const DocumentRecord&) const = default;
};

enum class CheckState { Clear = 0, Ticked = 1, Greyed = 2 };

// The release status from the status check box and the "final" option: only
// a ticked box states a status; the "beta" option itself is never consulted.
QString statusFor(CheckState statusBox, bool finalSelected);

// The 23 entries of a read-me document, in order. Each entry is written as
// its text followed by CR LF.
QStringList composeDocument(const DocumentRecord& record);

// The document's bytes, a piece at a time (an empty piece at the end): every
// entry in Windows-1252 followed by CR LF, with each line break inside an
// entry written as CR LF. Pieces are about a megabyte at most, so that a
// large document is written without ever standing whole in memory.
class DocumentPieces {
public:
    explicit DocumentPieces(QStringList entries);
    QByteArrayView next();
    // How many bytes all the pieces hold together.
    qint64 size() const;

private:
    QStringList entries_;
    qsizetype entry_ = 0;
    qsizetype position_ = 0;
    QByteArray buffer_;
};

// The document's bytes all at once.
QByteArray documentBytes(const QStringList& entries);

// Upper-cases every letter without changing the text's length (so "ß" stays
// "ß"); a letter whose capital Windows-1252 cannot hold is kept as it is.
QString upperCaseKeepingLength(const QString& text);

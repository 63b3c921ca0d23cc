#pragma once

#include "document/datos_trumi.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// The 23 entries of a read-me document, in order. Each entry is written as
// its text followed by CR LF.
QStringList ComponerTrumi(const DatosTrumi& datos);

// The document's bytes, a piece at a time (an empty piece at the end): every
// entry in Windows-1252 followed by CR LF, with each line break inside an
// entry written as CR LF. Pieces are about a megabyte at most, so that a
// large document is written without ever standing whole in memory.
class DocumentPieces {
public:
    explicit DocumentPieces(QStringList entries);
    QByteArrayView next();

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

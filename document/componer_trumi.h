#pragma once

#include "document/datos_trumi.h"

#include <QByteArray>
#include <QStringList>

// The 23 entries of a read-me document, in order. Each entry is written as
// its text followed by CR LF.
QStringList ComponerTrumi(const DatosTrumi& datos);

// The document's bytes: every entry in Windows-1252 followed by CR LF, with
// each line break inside an entry written as CR LF.
QByteArray documentBytes(const QStringList& entries);

// Upper-cases every letter without changing the text's length (so "ß" stays
// "ß"); a letter whose capital Windows-1252 cannot hold is kept as it is.
QString upperCaseKeepingLength(const QString& text);

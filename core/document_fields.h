#pragma once

// The read-me document's fields and its shape, in one place. The composer,
// the reader, the main window and the command line all walk these tables:
// a new field is a member of DocumentRecord, a row of the field table and
// its place in the document's template.

#include "document_record.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <span>
#include <type_traits>

// How a field's text is held, and so which texts it can take.
enum class FieldKind {
    Line,    // a one-line box
    Lines,   // a multi-line box: line breaks held as LF, written as CR LF
    Status,  // one of statusChoices()
    Date,    // the date picker's value as the general date text
};

struct DocumentField {
    QString DocumentRecord::*value;
    const char* name;  // for people and the command line: "use-licence"
    FieldKind kind;
    bool upperCased;  // written upper-cased; read back as written
};

// Every field, in the order in which it stands in the document.
std::span<const DocumentField> documentFields();

// The field that holds that member of the record, and its place.
int fieldIndexOf(QString DocumentRecord::*value);
const DocumentField& fieldOf(QString DocumentRecord::*value);

// One piece of an entry of the document: fixed text, or a field's value.
struct EntryPart {
    QString fixed;
    const DocumentField* field = nullptr;
};

// The document entry by entry, each entry in its pieces; each entry is
// written followed by CR LF.
const QList<QList<EntryPart>>& documentEntries();

// The texts a status can be: stated final, stated beta, or not stated.
const QStringList& statusChoices();

// The fixed texts between the fields, as they stand in a written document
// (CR LF line ends): before[i] comes right before documentFields()[i], and
// closing after the last field.
struct DocumentShape {
    QList<QString> before;
    QString closing;

    static const DocumentShape& get();
};

// What a field's value becomes in the document: composed (NFC), each lone
// CR a line break, upper-cased where the field is (the CR LF line ends and
// the encoding are the writer's).
QString writtenValue(const DocumentField& field, const QString& value);

// Where a value may be cut so that the written values of the two parts, put
// together, are the written value of the whole: before an ASCII character
// that does not finish a CR LF, since nothing composes with what comes
// before such a character. Of the places after from, the one nearest to
// near, looking back first; 0 where there is none. The units are UTF-16, or
// bytes of UTF-8 or Windows-1252 (ASCII is the same in all three).
template <typename Unit>
qsizetype valueCutNear(const Unit* units, qsizetype size, qsizetype from, qsizetype near)
{
    auto fits = [units](qsizetype at) {
        const auto unit = std::make_unsigned_t<Unit>(units[at]);
        return unit < 0x80 && !(unit == '\n' && units[at - 1] == '\r');
    };
    for (qsizetype at = std::min(near, size - 1); at > from; --at) {
        if (fits(at))
            return at;
    }
    for (qsizetype at = std::max(near, from) + 1; at < size; ++at) {
        if (fits(at))
            return at;
    }
    return 0;
}

// Whether the document writes the text one character for each of its UTF-16
// units: no pair of surrogates (one '?'), nothing that composing changes (a
// letter and its combining accent are one character), no lone CR. Where
// so, an edit of a box falls on the same places in the document.
bool writtenUnitForUnit(QStringView text);

// Upper-cases every letter without changing the text's length (so "ß" stays
// "ß"); a letter whose capital Windows-1252 cannot hold is kept as it is.
QString upperCaseKeepingLength(const QString& text);

// Whether the text is its own upper-case form in that sense; stops at the
// first letter that would change.
bool isUpperCaseKeepingLength(QStringView text);

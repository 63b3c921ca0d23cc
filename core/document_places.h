#pragma once

// Where the documents stand in a text: the reader's walk, over the decoded
// text or over a file's bytes.

#include "document_reader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <type_traits>

// What the reader walks: the decoded text, or a file's bytes (UTF-8 or
// Windows-1252) with the document's fixed texts encoded alike. Both give the
// same places, since each fixed text matches where its characters stand; the
// bytes are decoded only for the fields of the documents found.
template <typename View>
struct Walked {
    using Fixed = std::conditional_t<std::is_same_v<View, QStringView>, QString, QByteArray>;

    View text;
    QList<Fixed> before;  // the shape's fixed texts before each field
    Fixed closing;
    QList<Fixed> choices;  // statusChoices(), encoded
    std::function<QString(View)> decode;
    FieldsWanted fields = {};
    // The bytes walked are those the caller gave, UTF-8 where utf8: a field
    // asked for as bytes can be left so.
    bool asGiven = false;
    bool utf8 = false;
    // Every place the walk could try is tried from the text's start, though
    // a place close to its end gives the same document (for tests).
    bool fromTheStart = false;
};

// The last complete document in what is walked, or none; the text's line
// ends are the writer's already.
template <typename View>
std::optional<DocumentFound> lastDocumentWalking(const Walked<View>& walked);

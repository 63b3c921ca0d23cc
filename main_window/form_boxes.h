#pragma once

#include "document_record.h"
#include "program_texts.h"

#include <QRect>
#include <optional>
#include <span>

// The form's boxes, one for each field of the document, in the order the
// Tab key visits them. The main window builds, binds to the record, orders,
// highlights and marks its boxes from this table, so that a new field of
// the document is one row here (and its prompt's key in the language file).
// What kind of box a field has (one line, lines, the status, the date) is
// the field table's.
struct FormBox {
    QString DocumentRecord::*value;  // the field the box holds
    const char* name;                // the box's object name
    const char* group;               // the object name of the group it stands in
    QRect area;                      // in twips, in the group
    const char* prompt;              // its prompt's object name, or nullptr
    QRect promptArea;                // in twips, in the group
    int promptWidthInRelease10;      // release 1.0's narrower prompt, or 0
    const char* promptInRelease10;   // release 1.0's fixed caption of the prompt
    std::optional<TextId> tip;       // its tooltip
    bool tipInRelease10;             // whether release 1.0 has the tooltip too
};

std::span<const FormBox> formBoxes();

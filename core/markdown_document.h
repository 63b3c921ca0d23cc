#pragma once

// The read-me document's second kind, for a repository's page: Markdown
// (CommonMark with GitHub's extensions) in UTF-8 with LF line ends, made
// from the same ten fields, every character kept. Release 1.1 only.
//
// It walks the field table: the product, its version and its status make
// the title; each other one-line field and the date an item of a list; each
// text of lines a section under its heading.
//
//   # PRODUCT Ver. VERSION STATUS
//
//   - **Autor:** AUTHOR
//   - **E-Mail:** [EMAIL](<mailto:EMAIL>)
//   - **Página Web:** [WEB](<https://WEB>)
//   - **Fecha:** 2026-12-09
//
//   ## DESCRIPCIÓN
//
//   DESCRIPTION
//
//   ## LICENCIA DE USO
//
//   ...
//
// One-line fields are escaped so that they show as typed; the description
// and the licences are written as typed, Markdown and all. The words around
// the fields are the language file's; the date is ISO 8601.

#include "date_text.h"
#include "document_fields.h"
#include "document_record.h"
#include "program_texts.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The words of a Markdown document: the version's word in the title, and
// each other field's label in the list (a one-line field, the date) or its
// heading (a text of lines), by the field's name.
struct MarkdownHeadings {
    QString version;
    QHash<QString, QString> fields;

    static MarkdownHeadings fromTexts(const ProgramTexts& texts);
    QString of(const DocumentField& field) const { return fields.value(QString::fromLatin1(field.name)); }
    bool operator==(const MarkdownHeadings&) const = default;
};

// What a Markdown document is written with: its words, and the date form the
// record's date is in (to turn it into ISO 8601).
struct MarkdownStyle {
    MarkdownHeadings headings;
    GeneralDateFormat dateFormat;
};

QString composeMarkdown(const DocumentRecord& record, const MarkdownStyle& style);
QByteArray markdownBytes(const DocumentRecord& record, const MarkdownStyle& style);

// The last Markdown document in a text, read with whichever of the known
// words it was written with; the record's date in the style's date form
// (where the document's date is no ISO date, as it stands). start tells
// where it begins, so that a document that is the whole text can be told.
struct MarkdownFound {
    DocumentRecord record;
    bool sole = false;
};
std::optional<MarkdownFound> findLastMarkdown(QString text, const QList<MarkdownHeadings>& known,
                                              const GeneralDateFormat& dateFormat);

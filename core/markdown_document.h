#pragma once

// The read-me document's second kind, for a repository's page: Markdown
// (CommonMark with GitHub's extensions) in UTF-8 with LF line ends, made
// from the same ten fields, every character kept. Release 1.1 only.
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
#include "document_record.h"
#include "program_texts.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The words of a Markdown document: the version's word in the title, the
// list's labels and the headings of the three texts.
struct MarkdownHeadings {
    QString version;
    QString author;
    QString email;
    QString web;
    QString date;
    QString description;
    QString useLicence;
    QString distributionLicence;

    static MarkdownHeadings fromTexts(const ProgramTexts& texts);
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

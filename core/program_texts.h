#pragma once

#include "file_error.h"

#include <QHash>
#include <QString>
#include <array>
#include <functional>
#include <span>

// The texts the user reads besides the windows' captions: tooltips, the file
// dialogs' titles and filters, messages and the credits' fixed lines.
enum class TextId {
    ProductTip,
    VersionTip,
    AuthorTip,
    EmailTip,
    WebTip,
    DateTip,
    SaveDialogTitle,
    TextFilesFilter,
    AllFilesFilter,
    FailureSentence,
    ErrorWord,
    ProgramFolderMissing,
    NotRegularFile,
    TooLarge,
    LicenceFieldsMissing,
    LicenceQuoteUnclosed,
    NoWholeDocument,
    BeingWritten,
    DateNotRead,
    DateKept,
    AboutSubtitle,
    AboutEmail,
    PreviewTitle,
    PreviewSize,
    CreateTip,
    UnwritableTip,
    UnwritableTipOne,
    QuotedCharacter,
    PreviewMarks,
    InputClosed,
    OutputClosed,
    UsageWindow,
    UsageWrite,
    UsageInfo,
    AboutWindowMode,
    AboutWriteMode,
    OptionsHeading,
    FieldOptionsHeading,
    FileWord,
    DocumentWord,
    ValueWord,
    DateWord,
    OutputHelp,
    FromHelp,
    HelpHelp,
    VersionHelp,
    ValuesNote,
    ExitNote,
    LicenceNote,
    WarrantyNote,
    UnknownOption,
    MissingValue,
    UnexpectedValue,
    TryHelp,
    MissingOutput,
    ExtraOperand,
    InvalidArgument,
    ValidChoices,
    EmptyFileName,
    WarningOne,
    WarningMany,
    DateChoices,
    FolderType,
    MarkdownVersion,
    MarkdownFilter,
    FormatHelp,
    PreviewSizeMarkdown,
};

// A text's key in the language file's captions section, and its built-in
// Spanish wording. "%1" stands for the value a text is filled with.
struct TextEntry {
    TextId id;
    const char* key;
    const char* spanish;
};

// Every text, in key order: the keys follow those of the captions.
std::span<const TextEntry> textEntries();

// The texts that each field of the document has: what its command-line
// option is (for --help), and its word in the Markdown document (a label or
// a heading).
enum class FieldText { Help, MarkdownWord };

// A field's text: which one, the field's name (as the field table has it),
// the key and the built-in Spanish wording.
struct FieldTextEntry {
    FieldText which;
    const char* field;
    const char* key;
    const char* spanish;
};
std::span<const FieldTextEntry> fieldTextEntries();

class ProgramTexts {
public:
    // The built-in Spanish texts.
    ProgramTexts();

    // The texts a language file gives, looked up by key; a key it lacks (an
    // older file) or leaves empty keeps the built-in text, so that no
    // message or dialog is ever blank.
    static ProgramTexts fromKeys(const std::function<QString(const QString& key)>& valueOf);

    QString text(TextId id) const;
    // The text with each "%1" replaced by value (and "%2" by second); a
    // text without them (a translation that left them out) is shown as it
    // is.
    QString filled(TextId id, const QString& value) const;
    QString filled(TextId id, const QString& value, const QString& second) const;

    // That text of the field of that name.
    QString fieldText(FieldText which, const char* field) const;

private:
    std::array<QString, std::size_t(TextId::PreviewSizeMarkdown) + 1> texts_;
    std::array<QHash<QString, QString>, 2> fieldTexts_;  // by FieldText, then by the field's name
};

// How the program words a failed file operation, in the message box and on
// the command line alike: what failed, on which file, then the error's
// number and its description (the system's own text for a system error), on
// lines of their own.
QString failureText(const FileError& error, const ProgramTexts& texts);

// The same on one line, as command-line programs word it: the file, then
// the error's number and its description ("FILE: Error 2: No such file or
// directory"); without a file, the error alone.
QString failureLine(const FileError& error, const ProgramTexts& texts);

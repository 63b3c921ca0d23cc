#pragma once

#include "file_error.h"

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

class ProgramTexts {
public:
    // The built-in Spanish texts.
    ProgramTexts();

    // The texts a language file gives, looked up by key; a key it lacks (an
    // older file) or leaves empty keeps the built-in text, so that no
    // message or dialog is ever blank.
    static ProgramTexts fromKeys(const std::function<QString(const QString& key)>& valueOf);

    QString text(TextId id) const;
    // The text with each "%1" replaced by value; a text without "%1" (a
    // translation that left it out) is shown as it is.
    QString filled(TextId id, const QString& value) const;

private:
    std::array<QString, std::size_t(TextId::UnwritableTip) + 1> texts_;
};

// How the program words a failed file operation, in the message box and on
// the command line alike: what failed, on which file, then the error's
// number and its description (the system's own text for a system error), on
// lines of their own.
QString failureText(const FileError& error, const ProgramTexts& texts);

#pragma once

#include "caption_source.h"
#include "document_writer.h"
#include "markdown_document.h"

#include <QList>
#include <QString>

// Which of the two releases is running. Both are built from one source and
// this value, handed to the windows at start-up, answers every question of
// behaviour in which they differ; what differs in the windows' definitions
// (places, sizes, fixed captions) is in each window's layout, in a variant
// per Layout. The behaviour:
// - release 1.1 takes its captions from the language file, replaces the file
//   that Create writes to and has its Save dialog ask before it does so;
// - release 1.0, the single-language build, has fixed Spanish captions in
//   its window definitions and adds each document after the file's content.
class Edition {
public:
    // The variant of each window's definition that a release builds.
    enum class Layout { Translatable, SingleLanguage };

    static Edition release11(const CaptionSource* captions);
    static Edition release10();

    QString versionText() const;
    // The executable's name: "trumi-editor", "trumi-editor-1.0".
    QString programName() const;
    WriteMode writeMode() const;
    Layout layout() const;

    // The Save dialog's behaviour: whether it asks before it replaces an
    // existing file, and the folder it starts in.
    bool saveDialogConfirmsReplace() const;
    QString saveDialogStartFolder() const;
    // Whether Create, after a document was opened, proposes that file.
    bool saveDialogProposesOpenedFile() const;

    // The program's language, which the toolkit's own texts (file dialogs,
    // message box buttons) and the date picker follow: Spanish in release 1.0; in release 1.1 the one the language
    // file names, else the system's.
    // An unknown code counts as none.
    QString toolkitLanguage() const;

    // The program's texts besides the captions: the built-in Spanish ones in
    // release 1.0, those of the caption source in release 1.1.
    ProgramTexts texts() const;

    // Whether the release writes Markdown too (1.1), and the words a Markdown
    // document may be read with: the program's language's first, then the
    // built-in Spanish and every shipped language's. None in release 1.0.
    bool writesMarkdown() const;
    QList<MarkdownHeadings> markdownHeadings() const;

    // The captions of a window: those of the caption source where the
    // release has one, otherwise the fixed ones of the window's definition.
    CaptionsRead captionsOf(const QString& window, const QList<Caption>& fixed) const;

private:
    Edition(Layout layout, const CaptionSource* captions);

    Layout layout_;
    const CaptionSource* captions_;
};

// Of a window definition's two variants, the one the layout builds.
template <typename Variant>
const Variant& variantOf(Edition::Layout layout, const Variant& translatable, const Variant& singleLanguage)
{
    switch (layout) {
    case Edition::Layout::Translatable:
        return translatable;
    case Edition::Layout::SingleLanguage:
        return singleLanguage;
    }
    Q_UNREACHABLE();
}

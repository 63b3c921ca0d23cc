#pragma once

#include "document_writer.h"
#include "edition.h"
#include "program_texts.h"

#include <QString>

#include <memory>

class QAbstractFileIconProvider;
class QWidget;

// What the Save dialog was given: the file's full path (the empty text when
// the user cancelled), and the kind of document to write there.
struct SaveTarget {
    QString path;
    DocumentKind kind = DocumentKind::Text;
};

// The file dialogs of the main window: the Save dialog that asks Create for
// its target, and the Open dialog. Tests answer them through a preset
// implementation.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Shows the Save dialog modally.
    virtual SaveTarget showSave(QWidget* parent) = 0;
    // The same for the Open dialog, with its title.
    virtual QString showOpen(QWidget* parent, const QString& title) = 0;
    // Where the next Save dialog starts: a folder and, unless empty, the name
    // of a file in it.
    virtual void proposeForSave(const QString& folder, const QString& name) = 0;
};

// The platform's dialogs with the program's titles and filters, starting
// where the edition says, the Save dialog asking before it replaces a file
// where the edition says so. Release 1.1's Save dialog offers Markdown
// beside the text: the name's suffix (.md, .txt), else the chosen filter,
// decides the kind. Later runs start from the file last opened or
// written (proposeForSave), not from a name whose write failed.
// Neither dialog reads a file to name its type, and neither starts in a
// folder of a virtual file system (/proc, /sys, /dev), where reading a file
// can wait for ever.
class QtFileDialogs : public FileDialogs {
public:
    QtFileDialogs(const Edition& edition, ProgramTexts texts);
    ~QtFileDialogs() override;
    SaveTarget showSave(QWidget* parent) override;
    QString showOpen(QWidget* parent, const QString& title) override;
    void proposeForSave(const QString& folder, const QString& name) override;

private:
    QString startFolder() const;
    QString textFilter() const;
    QString markdownFilter() const;

    Edition edition_;
    ProgramTexts texts_;
    QString folder_;
    QString name_;
    // The dialogs do not own their icon provider: it outlives them here.
    std::unique_ptr<QAbstractFileIconProvider> iconProvider_;
};

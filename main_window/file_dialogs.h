#pragma once

#include "edition.h"

#include <QString>

class QWidget;

// The file dialogs of the main window: the Save dialog that asks Create for
// its target, and the Open dialog. Tests answer them through a preset
// implementation.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Shows the Save dialog modally; the chosen file's full path, or the
    // empty text when the user cancelled.
    virtual QString showSave(QWidget* parent) = 0;
    // The same for the Open dialog, with its title.
    virtual QString showOpen(QWidget* parent, const QString& title) = 0;
    // The file the next Save dialog starts from.
    virtual void proposeForSave(const QString& path) = 0;
};

// The platform's dialogs with the program's titles and filter, starting where
// the edition says, the Save dialog asking before it replaces a file where
// the edition says so. Later runs start from the file chosen last.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(const Edition& edition);
    QString showSave(QWidget* parent) override;
    QString showOpen(QWidget* parent, const QString& title) override;
    void proposeForSave(const QString& path) override { lastChosen_ = path; }

private:
    Edition edition_;
    QString lastChosen_;
};

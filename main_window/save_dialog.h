#pragma once

#include "common/edition.h"

#include <QString>

class QWidget;

// The Save dialog that asks Create for its target file. Tests answer it
// through a preset implementation.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // Shows the dialog modally; the chosen file's full path, or the empty
    // text when the user cancelled.
    virtual QString showSave(QWidget* parent) = 0;
};

// The platform's Save dialog with the program's title and filter. Release
// 1.1 starts in the home folder and asks before it replaces a file; release
// 1.0 starts in the current folder and, as it appends, does not ask. Later
// runs start from the file chosen last.
class QtSaveDialog : public SaveDialog {
public:
    explicit QtSaveDialog(Release release);
    QString showSave(QWidget* parent) override;

private:
    Release release_;
    QString lastChosen_;
};

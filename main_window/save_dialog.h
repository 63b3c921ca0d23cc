#pragma once

#include "edition.h"

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

// The platform's Save dialog with the program's title and filter, starting
// where the edition says and asking before it replaces a file where the
// edition says so. Later runs start from the file chosen last.
class QtSaveDialog : public SaveDialog {
public:
    explicit QtSaveDialog(const Edition& edition);
    QString showSave(QWidget* parent) override;

private:
    Edition edition_;
    QString lastChosen_;
};

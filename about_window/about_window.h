#pragma once

#include "edition.h"
#include "program_window.h"

// The credits window: the program's description, author, e-mail address and
// release date, and one button that closes it.
class AboutWindow : public ProgramWindow {
    Q_OBJECT

public:
    explicit AboutWindow(const Edition& edition);

private:
    void buildLayout();

    Edition edition_;
};

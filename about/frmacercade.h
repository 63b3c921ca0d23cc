#pragma once

#include "common/edition.h"
#include "common/program_window.h"

// The credits window: the program's description, author, e-mail address and
// release date, and one button that closes it.
class Frmacercade : public ProgramWindow {
    Q_OBJECT

public:
    explicit Frmacercade(const Edition& edition);

private:
    void buildLayout();
    void Form_Load();

    Edition edition_;
};

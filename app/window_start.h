#pragma once

#include "edition.h"

// Runs the program with its windows: the main window is created, loaded and
// shown (with the document named on the command line, where one is), and
// the program ends when its last window has gone.
int startWindow(int argc, char** argv, const Edition& edition);

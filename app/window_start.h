#pragma once

#include "edition.h"

// Runs the program with its windows: the main window is created, loaded and
// shown (with the document named on the command line, where one is), and
// the program ends when its last window has gone.
int startWindow(int argc, char** argv, const Edition& edition);

// The same for a Windows window program, which also marks itself as running
// (for the installer) and, given command-line options, shows their output
// in the console it was started from.
int startWindowInProcess(int argc, char** argv, const Edition& edition);

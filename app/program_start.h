#pragma once

#include "edition.h"

// How the windows are started when no command-line option is given.
using WindowStarter = int (*)(int argc, char** argv, const Edition& edition);

// Runs Trumi Editor as the given release: the command line, with Qt Core
// alone; or else the windows, started as the program is built to start
// them.
int startProgram(int argc, char** argv, const Edition& edition, WindowStarter startWindows);

// The windows from the module beside the program (Linux), loaded only now,
// so that the command line never loads the graphical libraries.
int startWindowModule(int argc, char** argv, const Edition& edition);

// The windows from the window program beside this console companion
// (Windows: trumi-editor.com starts trumi-editor.exe and does not wait).
int startWindowProgram(int argc, char** argv, const Edition& edition);

#pragma once

#include "edition.h"

// Runs Trumi Editor as the given release: the main window is created, loaded
// and shown, and the program ends when its last window has gone.
int startProgram(int argc, char** argv, const Edition& edition);

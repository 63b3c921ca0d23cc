#pragma once

// How each build of a program starts its windows (TRUMI_START_WINDOWS):
// from the module beside it (Linux), linked in (Windows' window programs), or
// by starting the window program beside it (Windows' console companions).
#if defined(TRUMI_CONSOLE_COMPANION)
#define TRUMI_START_WINDOWS startWindowProgram
#elif defined(TRUMI_WINDOW_MODULE)
#define TRUMI_START_WINDOWS startWindowModule
#else
#include "window_start.h"
#define TRUMI_START_WINDOWS startWindowInProcess
#endif

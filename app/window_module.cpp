// The windows as a module of their own, loaded by the program only when it
// opens them: the command line then starts without the graphical libraries,
// as quickly as a console program (program_start.cpp).
#include "window_start.h"

extern "C" __attribute__((visibility("default"))) int trumiStartWindow(int argc, char** argv, const Edition* edition)
{
    return startWindow(argc, argv, *edition);
}

#include "program_start.h"
#include "program_windows.h"

int main(int argc, char** argv) { return startProgram(argc, argv, Edition::release10(), TRUMI_START_WINDOWS); }

#include "program_start.h"

int main(int argc, char** argv) { return startProgram(argc, argv, Edition::release10()); }

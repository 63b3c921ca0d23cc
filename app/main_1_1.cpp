#include "language_file.h"
#include "program_start.h"
#include "program_windows.h"

int main(int argc, char** argv)
{
    const LanguageFile languageFile;
    return startProgram(argc, argv, Edition::release11(&languageFile), TRUMI_START_WINDOWS);
}

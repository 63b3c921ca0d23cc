#include "app/run_trumi_editor.h"
#include "settings/language_file.h"

int main(int argc, char** argv)
{
    const LanguageFile languageFile;
    return runTrumiEditor(argc, argv, Release::V1_1, &languageFile);
}

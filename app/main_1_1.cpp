#include "language_file.h"
#include "trumi_editor.h"

int main(int argc, char** argv)
{
    const LanguageFile languageFile;
    return runTrumiEditor(argc, argv, Edition::release11(&languageFile));
}

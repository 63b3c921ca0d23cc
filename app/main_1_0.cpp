#include "trumi_editor.h"

int main(int argc, char** argv) { return runTrumiEditor(argc, argv, Edition::release10()); }

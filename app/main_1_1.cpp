#include "app/run_trumi_editor.h"

int main(int argc, char** argv) { return runTrumiEditor(argc, argv, Release::V1_1, nullptr); }

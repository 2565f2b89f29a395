// velorine: the start-up sequence, then the windows of the run (ui/program.h).
#include "ui/program.h"

int main(int argc, char** argv) { return velorine::ui::runProgram(argc, argv); }

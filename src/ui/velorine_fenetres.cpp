// velorine-fenetres: the start-up sequence, then the windows of the run (ui/program.h). Users run
// velorine (velorine_command.cpp), which starts this executable when a window is needed.
#include "ui/program.h"

int main(int argc, char** argv) { return velorine::ui::runProgram(argc, argv); }

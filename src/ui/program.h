#pragma once
// A whole run of the program, as main() runs it: the start-up sequence with the system behind its
// seams, then the windows. The automatic start ("PROG") often has nothing to show: it then ends with
// status 1 before any window, or the display, is touched; the display is opened only when a window
// must be shown, the recovery's question included.

namespace velorine::ui {

// The exit status of the run.
int runProgram(int& argc, char** argv);

}  // namespace velorine::ui

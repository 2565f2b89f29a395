#pragma once
// Where this user's configuration and data live, and where the program itself is: the parts of
// the start-up environment that come from the process (XDG directories, the executable's path).

#include <string>
#include <vector>

#include "app/startup.h"

namespace velorine::app {

// $XDG_CONFIG_HOME/velorine/velorine.conf (default ~/.config/...).
std::string configFilePath();
// $XDG_DATA_HOME/velorine (default ~/.local/share/velorine).
std::string defaultDataDirectory();
// The program's own folder for short-lived files (the mail draft of the about box):
// $XDG_RUNTIME_DIR/velorine, or $XDG_CACHE_HOME/velorine (default ~/.cache/...) without one.
std::string privateRuntimeDirectory();
// The directory holding the running executable.
std::string executableDirectory();
// The data file the program itself uses, for the commands that read or change it without a
// window: the same configuration (velorine.conf), the same default folder. Creates nothing.
std::string programDataFile();

// Under a file-size limit (ulimit -f) a write past it would kill the process with SIGXFSZ and leave
// its temporary file behind. Ignored, the write fails instead (EFBIG), the commit is abandoned
// cleanly and reports Failure::TooLarge. Called first by every program that writes.
void ignoreFileSizeSignal();

// The start reads a large list more than once, one copy after the other. By default the C library
// keeps a large buffer once freed, for the next one of its size, and the pieces of the next copy
// then land around it: the process would hold far more than the copies alive at once. Large
// buffers are made to go straight back to the system instead. Called first by the programs that
// run the start.
void returnLargeBuffersToTheSystem();

// Everything but the due test: the local clock, the XDG paths and the given arguments.
StartupEnvironment processEnvironment(std::vector<std::string> arguments);

}  // namespace velorine::app

#pragma once
// The hand-over between the program's executables: the command users run, the notification and the
// windows each run the start-up themselves and pass the run on, with the same arguments and
// environment, to the next when their part is done.

#include <string>

namespace velorine::app {

// Replaces this process by `executable` run with `argv` (argv[0] included, as given). When it cannot
// start, says why on standard error, in French, and ends the process with status 2.
[[noreturn]] void handOverTo(const std::string& executable, char** argv);

}  // namespace velorine::app

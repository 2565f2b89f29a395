#pragma once
// One whole run of a program, for the process timers: started with its output to /dev/null, waited
// for, and measured from the start of the process to its end.

#include <cstdio>

namespace velorine::bench {

struct TimedRun {
    double milliseconds = 0;
    long peakKilobytes = 0;  // the child's peak resident memory
    int exitStatus = -1;     // -1 when it did not exit normally
};

// argv[0] is the program's path, argv ends with a null pointer. Ends the caller with status 2 when
// the program cannot be started.
TimedRun runTimed(char** argv);

}  // namespace velorine::bench

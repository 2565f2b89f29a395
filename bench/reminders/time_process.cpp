// Runs a program many times and prints the median, fastest and slowest wall-clock time of a run,
// start of the process to its end, in milliseconds: time_process RUNS PROGRAM [ARGUMENTS...]
// The program's output goes to /dev/null; its exit status is shown, since 1 is a normal answer.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "timed_run.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : %s FOIS PROGRAMME [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    velorine::bench::runTimed(argv + 2);  // warm the page cache and, for velorine, let the first start compact
    std::vector<double> times;
    int status = 0;
    for (int i = 0; i < runs; ++i) {
        const velorine::bench::TimedRun run = velorine::bench::runTimed(argv + 2);
        times.push_back(run.milliseconds);
        status = run.exitStatus;
    }
    std::sort(times.begin(), times.end());
    std::printf("médiane %.2f ms, min %.2f ms, max %.2f ms, %d fois, code de sortie %d\n", times[times.size() / 2],
                times.front(), times.back(), runs, status);
    return 0;
}

// Times whole processes, start to end, and their peak resident memory:
//   compare_processes RUNS PROGRAM [ARGUMENTS...] [-- OTHER_PROGRAM [ARGUMENTS...]]
// With two programs the runs alternate (one of each, RUNS times), so that both see the same load of
// the machine, and the ratio of the medians (the second over the first) is printed last. Outputs go
// to /dev/null; the exit status of the last run of each is shown, since 1 is a normal answer.
// Each program first runs once unmeasured (the page cache warms, a first start compacts); RUNS 0
// measures that first run alone instead, for a start that repairs a damaged file.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "timed_run.h"

namespace {

struct Measures {
    char** argv;
    std::vector<double> milliseconds;
    long peakKilobytes = 0;
    int exitStatus = 0;

    double median() const {
        std::vector<double> sorted = milliseconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

void runOnce(Measures& m) {
    const velorine::bench::TimedRun run = velorine::bench::runTimed(m.argv);
    m.milliseconds.push_back(run.milliseconds);
    m.peakKilobytes = std::max(m.peakKilobytes, run.peakKilobytes);
    m.exitStatus = run.exitStatus;
}

void print(const Measures& m) {
    std::printf("  %-40.40s médiane %9.2f ms, mémoire max %8.1f Mo, code de sortie %d\n", m.argv[0], m.median(),
                static_cast<double>(m.peakKilobytes) / 1024.0, m.exitStatus);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : %s FOIS PROGRAMME [ARGUMENTS...] [-- AUTRE_PROGRAMME [ARGUMENTS...]]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(0, std::atoi(argv[1]));
    std::vector<Measures> programs{{argv + 2, {}, 0, 0}};
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") != 0) continue;
        argv[i] = nullptr;  // ends the first program's arguments
        if (i + 1 < argc) programs.push_back({argv + i + 1, {}, 0, 0});
        break;
    }
    for (auto& m : programs) {
        runOnce(m);
        if (runs > 0) m.milliseconds.clear();
    }
    for (int i = 0; i < runs; ++i)
        for (auto& m : programs) runOnce(m);
    for (const auto& m : programs) print(m);
    if (programs.size() == 2)
        std::printf("  rapport %.2f (%d fois chacun, en alternance)\n", programs[1].median() / programs[0].median(),
                    std::max(runs, 1));
    return 0;
}

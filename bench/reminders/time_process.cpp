// Runs a program many times and prints the median, fastest and slowest wall-clock time of a run,
// start of the process to its end, in milliseconds: time_process RUNS PROGRAM [ARGUMENTS...]
// The program's output goes to /dev/null; its exit status is shown, since 1 is a normal answer.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// One run: its time in milliseconds and its exit status (-1 when it did not exit normally).
std::pair<double, int> timeOneRun(char** argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) {
        std::perror(argv[0]);
        std::exit(2);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    return {elapsed.count(), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : %s FOIS PROGRAMME [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    timeOneRun(argv + 2);  // warm the page cache and, for velorine, let the first start compact
    std::vector<double> times;
    int status = 0;
    for (int i = 0; i < runs; ++i) {
        const auto [milliseconds, exitStatus] = timeOneRun(argv + 2);
        times.push_back(milliseconds);
        status = exitStatus;
    }
    std::sort(times.begin(), times.end());
    std::printf("médiane %.2f ms, min %.2f ms, max %.2f ms, %d fois, code de sortie %d\n", times[times.size() / 2],
                times.front(), times.back(), runs, status);
    return 0;
}

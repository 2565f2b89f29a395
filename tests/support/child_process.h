#pragma once
// Runs a built program of the project as a child process with an environment of the test's
// choosing, and collects its exit status and output. Bounded in time: a child still running after
// the timeout is killed and reported as such.

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace velorine::testing {

struct ProcessResult {
    int exitStatus = -1;  // -1 when killed by a signal or by the timeout
    bool timedOut = false;
    std::string standardOutput;
    std::string standardError;
    std::chrono::milliseconds elapsed{0};
    long peakResidentKilobytes = 0;  // the child's largest resident set, as wait4 reports it
};

// Runs `program` with `arguments`. The child's environment is exactly `environment`.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));
// The same with `standardInput` (at most a pipe's buffer, 64 KiB) on the child's standard input in
// place of /dev/null.
ProcessResult runProcessWithInput(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::map<std::string, std::string>& environment,
                                  const std::string& standardInput,
                                  std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace velorine::testing

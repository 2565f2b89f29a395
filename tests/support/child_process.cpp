#include "support/child_process.h"

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velorine::testing {

namespace {

ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                  const std::map<std::string, std::string>& environment, const std::string* standardInput,
                  std::chrono::milliseconds timeout) {
    std::vector<std::string> envStrings;
    for (const auto& [name, value] : environment) envStrings.push_back(name + "=" + value);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);

    int out[2], err[2], in[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0 || ::pipe2(in, O_CLOEXEC) != 0) return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        if (standardInput) {
            ::dup2(in[0], STDIN_FILENO);
        } else {
            const int devNull = ::open("/dev/null", O_RDONLY);
            ::dup2(devNull, STDIN_FILENO);
        }
        ::execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    ::close(in[0]);
    if (standardInput && !standardInput->empty()) {
        [[maybe_unused]] const ssize_t written = ::write(in[1], standardInput->data(), standardInput->size());
    }
    ::close(in[1]);

    ProcessResult result;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        const auto left =
            timeout - std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (left.count() <= 0) {
            result.timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        if (::poll(fds, 2, static_cast<int>(left.count())) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? result.standardOutput : result.standardError).append(buffer, static_cast<std::size_t>(got));
            }
        }
    }
    for (auto& fd : fds)
        if (fd.fd >= 0) ::close(fd.fd);
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    result.peakResidentKilobytes = usage.ru_maxrss;
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    result.exitStatus = !result.timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment, std::chrono::milliseconds timeout) {
    return run(program, arguments, environment, nullptr, timeout);
}

ProcessResult runProcessWithInput(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::map<std::string, std::string>& environment,
                                  const std::string& standardInput, std::chrono::milliseconds timeout) {
    return run(program, arguments, environment, &standardInput, timeout);
}

}  // namespace velorine::testing

#include "app/background_sync.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velorine::app {
namespace {

// Between fork and exec only async-signal-safe calls: the descriptors, the session, the exec.
[[noreturn]] void execDetached(const char* command, char* const argv[]) {
    const int nothing = ::open("/dev/null", O_RDWR);
    if (nothing >= 0) {
        for (int fd = 0; fd <= 2; ++fd) ::dup2(nothing, fd);
        if (nothing > 2) ::close(nothing);
    }
    ::execv(command, argv);
    ::_exit(127);
}

}  // namespace

std::string contactsCommandFrom(const std::string& commandDirectory) { return commandDirectory + "/velorine-contacts"; }

bool startDailySync(const std::string& command) {
    if (::access(command.c_str(), X_OK) != 0) return false;
    char name[] = "velorine-contacts";
    char action[] = "synchroniser";
    char daily[] = "--une-fois-par-jour";
    char* const argv[] = {name, action, daily, nullptr};
    const pid_t starter = ::fork();
    if (starter < 0) return false;
    if (starter == 0) {
        ::setsid();
        const pid_t sync = ::fork();
        if (sync == 0) execDetached(command.c_str(), argv);
        ::_exit(sync < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(starter, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace velorine::app

#include "app/daily_sync.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "store/data_file.h"

namespace velorine::app {
namespace {

constexpr std::size_t kDayBufferSize = 32;
constexpr std::size_t kAddressBufferSize = 4096;

constexpr int kBackgroundNiceness = 10;

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

bool isDailySyncDue(const std::string& configFile, const store::IniDocument& data, const store::CalendarDate& today) {
    const std::string last = data.read(kOnlineCardsSection, kLastSyncDayKey, "", kDayBufferSize);
    const auto lastDay = store::scanDayText(last);
    if (lastDay && store::comparisonKey(*lastDay) == store::comparisonKey(today)) return false;
    return !store::readValue(configFile, kOnlineBookSection, kOnlineAddressKey, "", kAddressBufferSize).empty();
}

std::string contactsCommandFrom(const std::string& commandDirectory) { return commandDirectory + "/velorine-contacts"; }

bool startDailySync(const std::string& command, bool callerGoesOn) {
    if (::access(command.c_str(), X_OK) != 0) return false;
    char name[] = "velorine-contacts";
    char action[] = "synchroniser";
    char daily[] = "--une-fois-par-jour";
    char* const argv[] = {name, action, daily, nullptr};
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::setsid();
        [[maybe_unused]] const int niceness = ::nice(kBackgroundNiceness);
        if (!callerGoesOn) execDetached(command.c_str(), argv);
        const pid_t sync = ::fork();
        if (sync == 0) execDetached(command.c_str(), argv);
        ::_exit(sync < 0 ? 1 : 0);
    }
    if (!callerGoesOn) return true;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace velorine::app

#include "app/executables.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include "app/process_environment.h"
#include "app/terminal_text.h"

namespace velorine::app {
namespace {

constexpr int kHandOverFailed = 2;

std::string besideOrInstalled(const std::string& directory, const char* installedDirectory, const char* name) {
    const std::string beside = directory + "/" + name;
    if (::access(beside.c_str(), F_OK) == 0) return beside;
    return (std::filesystem::path(directory) / installedDirectory / name).lexically_normal().string();
}

}  // namespace

std::string windowsExecutableFrom(const std::string& commandDirectory) {
    return besideOrInstalled(commandDirectory, VELORINE_WINDOWS_FROM_COMMAND, VELORINE_WINDOWS_EXECUTABLE);
}

std::string notificationExecutableFrom(const std::string& commandDirectory) {
    return besideOrInstalled(commandDirectory, VELORINE_WINDOWS_FROM_COMMAND, VELORINE_NOTIFICATION_EXECUTABLE);
}

std::string commandFrom(const std::string& windowsDirectory) {
    return besideOrInstalled(windowsDirectory, VELORINE_COMMAND_FROM_WINDOWS, VELORINE_COMMAND);
}

std::string userGuideFrom(const std::string& windowsDirectory) {
    return besideOrInstalled(windowsDirectory, VELORINE_GUIDE_FROM_WINDOWS, "Velor.rtf");
}

void handOverTo(const std::string& executable, char** argv) {
    ::execv(executable.c_str(), argv);
    const int error = errno;
    std::setlocale(LC_MESSAGES, "");
    std::fprintf(stderr, "velorine : impossible de lancer %s : %s\n", terminalText(executable).c_str(),
                 std::strerror(error));
    std::exit(kHandOverFailed);
}

void handOverToWindows(char** argv) { handOverTo(windowsExecutableFrom(executableDirectory()), argv); }

RecoveryDialogs recoveryInTheWindows(char** argv) {
    const auto windowsTakeOver = [argv]() -> bool { handOverToWindows(argv); };
    return {windowsTakeOver, [argv](store::Failure, const std::string&) { handOverToWindows(argv); }, windowsTakeOver};
}

}  // namespace velorine::app

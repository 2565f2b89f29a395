#include "app/installed_layout.h"

#include <filesystem>

#include <unistd.h>

namespace velorine::app {
namespace {

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

}  // namespace velorine::app

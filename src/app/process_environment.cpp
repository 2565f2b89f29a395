#include "app/process_environment.h"

#include <climits>
#include <csignal>
#include <cstdlib>

#include <malloc.h>
#include <pwd.h>
#include <unistd.h>

namespace velorine::app {
namespace {

std::string homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/tmp";
}

// An XDG base directory: the variable when it holds an absolute path, else the default under home.
std::string xdgDirectory(const char* variable, const char* homeRelativeDefault) {
    if (const char* value = std::getenv(variable); value && value[0] == '/') return value;
    return homeDirectory() + "/" + homeRelativeDefault;
}

}  // namespace

std::string configFilePath() { return xdgDirectory("XDG_CONFIG_HOME", ".config") + "/velorine/velorine.conf"; }

std::string defaultDataDirectory() { return xdgDirectory("XDG_DATA_HOME", ".local/share") + "/velorine"; }

std::string privateRuntimeDirectory() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::string(runtime) + "/velorine";
    return xdgDirectory("XDG_CACHE_HOME", ".cache") + "/velorine";
}

namespace {

// The path of the running executable.
std::string executablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

std::string executableDirectory() {
    const std::string path = executablePath();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string programDataFile() { return dataFileIn(configuredDataDirectory(configFilePath(), defaultDataDirectory())); }

StartupEnvironment processEnvironment(std::vector<std::string> arguments) {
    StartupEnvironment env;
    env.configFile = configFilePath();
    env.defaultDataDirectory = defaultDataDirectory();
    env.executableDirectory = executableDirectory();
    env.arguments = std::move(arguments);
    env.today = store::localToday;
    return env;
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

void returnLargeBuffersToTheSystem() {
    // Fixed, so that it does not rise to the size of the last large buffer freed.
    constexpr int kLargeBuffer = 1024 * 1024;
    ::mallopt(M_MMAP_THRESHOLD, kLargeBuffer);
}

}  // namespace velorine::app

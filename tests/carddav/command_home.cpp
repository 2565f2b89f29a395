#include "command_home.h"

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

namespace velorine::carddav::testing {

CommandHome::CommandHome(const OnlineSettings& settings) {
    std::filesystem::create_directories(home_.file("data/velorine"));
    std::filesystem::create_directories(home_.file("config/velorine"));
    if (settings.configured()) {
        EXPECT_TRUE(writeOnlineSettings(configFile(), settings));
    }
}

std::map<std::string, std::string> CommandHome::environment() const {
    std::map<std::string, std::string> environment = {{"HOME", home_.path()},
                                                      {"XDG_CONFIG_HOME", home_.file("config")},
                                                      {"XDG_DATA_HOME", home_.file("data")},
                                                      {"PATH", "/usr/bin:/bin"},
                                                      {"LANG", "C.UTF-8"}};
    if (const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS")) environment["DBUS_SESSION_BUS_ADDRESS"] = bus;
    return environment;
}

std::string CommandHome::dataFile() const { return home_.file("data/velorine/velor.ini"); }

std::string CommandHome::configFile() const { return home_.file("config/velorine/velorine.conf"); }

}  // namespace velorine::carddav::testing

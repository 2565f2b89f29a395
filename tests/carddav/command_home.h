#pragma once
// A user's home for the end-to-end tests of the commands: a temporary HOME with its XDG folders,
// velorine.conf naming an address book online, and the environment the built programs run in.

#include <map>
#include <string>

#include "carddav/online_settings.h"
#include "support/temp_dir.h"

namespace velorine::carddav::testing {

class CommandHome {
public:
    // velorine.conf keeps `settings` (none written when they name no address).
    explicit CommandHome(const OnlineSettings& settings);
    // HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, PATH, and the session bus of this process when it has one.
    std::map<std::string, std::string> environment() const;
    // ~/.local/share/velorine/velor.ini
    std::string dataFile() const;
    std::string configFile() const;

private:
    velorine::testing::TempDir home_;
};

}  // namespace velorine::carddav::testing

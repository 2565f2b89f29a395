#pragma once
// The address book online as velorine.conf keeps it, section [CarnetEnLigne] (the keys are listed
// in app/daily_sync.h): configuration, not data, so a saved copy of the list never
// carries it. The program writes that section and no other part of the file; the password is never
// there (keyring.h).

#include <string>
#include <vector>

#include "store/failure.h"

namespace velorine::carddav {

struct OnlineSettings {
    std::string address;             // UTF-8; empty: no address book online
    std::string user;                // UTF-8
    std::vector<std::string> books;  // the address books chosen; empty: every one the server has
    std::string fingerprint;         // the certificate accepted, SHA-256 as "AB:CD:…"; empty: none

    bool configured() const { return !address.empty(); }
    friend bool operator==(const OnlineSettings&, const OnlineSettings&) = default;
};

// What the file holds; empty settings when it is absent or has no such section.
OnlineSettings readOnlineSettings(const std::string& configFile);

// Replaces the section by these settings, in one commit, creating the file and its folder (private)
// when needed; settings without an address remove the section's keys. The cause when the file could
// not be written: it is then unchanged.
store::Result<> writeOnlineSettings(const std::string& configFile, const OnlineSettings& settings);

}  // namespace velorine::carddav

#pragma once
// The password of the address book online, kept in the desktop's keyring through the Secret Service
// (libsecret), under the address and the user name; never in a file, a command line, the
// environment or a message. Calls wait for the keyring, which may ask the user to unlock it.
//
// A desktop without a keyring (no session bus, no Secret Service) is told apart from a keyring that
// holds no password for this account: the caller then asks the user at each sync instead.

#include <string>

namespace velorine::carddav {

enum class KeyringState {
    Found,        // the password is in `password`
    NotStored,    // the keyring holds none for this address and user
    Unavailable,  // no keyring answers
};

struct KeyringAnswer {
    KeyringState state = KeyringState::Unavailable;
    std::string password;
};

KeyringAnswer lookUpPassword(const std::string& address, const std::string& user);

// Stores (or replaces) the password. False when no keyring took it.
bool storePassword(const std::string& address, const std::string& user, const std::string& password);

// Removes the password of this account, if the keyring has one; quiet when there is no keyring.
void forgetPassword(const std::string& address, const std::string& user);

// What the user is told when no keyring answers (French, UTF-8).
extern const char* const kNoKeyringText;

}  // namespace velorine::carddav

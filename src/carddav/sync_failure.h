#pragma once
// Why a sync or a trial of the server stopped, for the user: a French reason, lower case and
// without a final stop, that the callers put in their own sentence ("la synchronisation a échoué :
// <reason>"). It names the server and what went wrong, never the password.

#include <optional>
#include <string>

namespace velorine::carddav {

enum class FailureKind {
    Address,         // the address given is not one the program goes to
    Unreachable,     // no connection, no answer in time: the network or the server is down
    Certificate,     // the server's certificate is not trusted: `fingerprint` names it
    Authentication,  // user name or password refused
    Refused,         // 403, a redirect refused, a request the server does not take
    NotFound,        // 404: nothing at that address
    ServerError,     // 5xx
    BadResponse,     // not the WebDAV the server should send: malformed, too large, too many cards
    NoAddressBook,   // the server has no address book at that address
    NoPassword,      // no password given and none in the keyring
    DataFile,        // the list cannot be read or written
    Cancelled,       // stopped by the program (the window closed)
};

struct SyncFailure {
    FailureKind kind = FailureKind::BadResponse;
    std::string reason;       // French, UTF-8
    std::string fingerprint;  // Certificate: SHA-256 of the certificate refused, "AB:CD:…"

    // Worth trying again later without the user doing anything (the network may come back).
    bool isTransient() const { return kind == FailureKind::Unreachable || kind == FailureKind::ServerError; }
};

// Optional failure, for the steps that either give their result or stop.
using MaybeFailure = std::optional<SyncFailure>;

}  // namespace velorine::carddav

#pragma once
// Which addresses the program goes to. HTTPS only, with one exception: plain HTTP to this computer
// (localhost, 127.0.0.0/8, ::1), where nothing crosses a network. The user name and password are
// given apart, never in the address. A redirect is followed only to the same host, and never from
// HTTPS down to HTTP.

#include <QUrl>

#include <optional>
#include <string>

namespace velorine::carddav {

struct CheckedAddress {
    QUrl url;             // valid when `refusal` is empty: scheme, host and a path ("/" at least)
    std::string refusal;  // why the address is refused, French
};

// The address as the user typed it; "dav.example.org/carnet" is taken for https://dav.example.org/carnet.
CheckedAddress checkServerAddress(const std::string& typed);

// Why the redirect from `from` to `to` is not followed (French), or nothing when it may be.
std::optional<std::string> redirectRefusal(const QUrl& from, const QUrl& to);

// An href of an answer from `base`'s server (an absolute path, or a whole address on the same scheme,
// host and port), as the address it names; nothing for an href elsewhere, which is never followed.
std::optional<QUrl> sameServerAddress(const QUrl& base, const QString& href);
// The path of such an address, fully encoded: how a card is known from one sync to the next.
QString hrefOf(const QUrl& address);

// The address as named in messages: scheme, host, port and path, never a user or password.
std::string shownAddress(const QUrl& url);
std::string shownHost(const QUrl& url);

}  // namespace velorine::carddav

#pragma once
// From the address a user gives to the address books behind it (RFC 6764, RFC 6352): the address of
// a server ("https://dav.example.org/") goes through /.well-known/carddav, then the user's principal
// (current-user-principal) and its home (addressbook-home-set), whose address books are listed; the
// address of an address book is taken as it stands. Every request goes through the transport's
// rules (dav_transport.h): a server that sends the discovery elsewhere is not followed.

#include <QString>
#include <QUrl>

#include <vector>

#include "carddav/dav_transport.h"

namespace velorine::carddav {

struct AddressBook {
    QUrl url;
    QString name;  // its display name, else the last part of its address
};

struct Discovery {
    std::vector<AddressBook> books;  // at least one when there is no failure, by name
    MaybeFailure failure;
};

Discovery discoverAddressBooks(DavTransport& dav, const QUrl& address);

}  // namespace velorine::carddav

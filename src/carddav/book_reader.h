#pragma once
// What changed in one address book, and its cards, read from the server.
//
// listBook asks for the changes since the sync token kept (RFC 6578 sync-collection): one small
// request when nothing changed. Without a token, or when the server no longer knows it, the same
// report lists the whole book; a server that offers no sync-collection is asked for the ETags of
// every card instead (PROPFIND), and the caller compares them with those it kept. A book of more
// than `mostCards` cards is refused.
//
// fetchCards reads cards by their hrefs, a hundred at a time (addressbook-multiget). A card the
// server no longer has (404, or left out of the answer) is reported as missing.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <utility>
#include <vector>

#include "carddav/dav_transport.h"
#include "carddav/sync_engine.h"

namespace velorine::carddav {

struct BookListing {
    QString syncToken;                                 // the server's new token; empty when it gives none
    bool complete = false;                             // `present` lists every card of the book
    std::vector<std::pair<QString, QString>> present;  // href, ETag: new or changed cards (every card if complete)
    QStringList removed;                               // hrefs the server says are gone
    MaybeFailure failure;
};

BookListing listBook(DavTransport& dav, const QUrl& book, const QString& knownToken);

struct CardFetch {
    std::vector<FetchedCard> cards;
    QStringList missing;
    MaybeFailure failure;
};

CardFetch fetchCards(DavTransport& dav, const QUrl& book, const QStringList& hrefs);

}  // namespace velorine::carddav

#pragma once
// The XML of WebDAV (RFC 4918), CardDAV (RFC 6352) and collection sync (RFC 6578) that the program
// sends and reads: the bodies of its requests, and the multistatus answers read into plain values.
//
// Reading keeps only what a sync uses and only from property groups the server marks as found
// (2xx): the href and status of each response, and its ETag, display name, resource type, current
// user principal, address-book home set, whether it offers sync-collection, and its card; plus the
// answer's sync token. It refuses, with a French reason, a body that is not well-formed XML, is not
// a multistatus, or holds more than `mostResponses` responses. Entities are not expanded beyond
// Qt's own limit, and nothing outside the body is ever fetched.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace velorine::carddav {

struct DavResource {
    QString href;    // as the server wrote it
    int status = 0;  // the response's own status line (404: gone, in a sync report); 0 when absent
    QString etag;
    QString displayName;
    bool isCollection = false;
    bool isAddressBook = false;
    QString principal;                      // current-user-principal
    QStringList homeSets;                   // addressbook-home-set
    bool offersSync = false;                // supported-report-set lists sync-collection
    std::optional<QByteArray> addressData;  // the card, UTF-8
};

struct Multistatus {
    std::vector<DavResource> responses;
    QString syncToken;
};

struct MultistatusReading {
    std::optional<Multistatus> multistatus;
    std::string error;  // French, when refused
};

MultistatusReading readMultistatus(const QByteArray& body, int mostResponses);

// PROPFIND of what discovery needs: resource type, display name, principal, home set, reports.
QByteArray discoveryRequest();
// PROPFIND of the ETags of a book's cards.
QByteArray etagsRequest();
// REPORT sync-collection from `token` (empty: the whole book), asking for ETags.
QByteArray syncCollectionRequest(const QString& token);
// REPORT addressbook-multiget of these hrefs, asking for ETags and cards.
QByteArray multigetRequest(const QStringList& hrefs);

// True when an error body says the sync token is no longer valid (RFC 6578, DAV:valid-sync-token).
bool isInvalidTokenError(const QByteArray& body);

}  // namespace velorine::carddav

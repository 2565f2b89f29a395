#include "carddav/discovery.h"

#include <algorithm>

#include "carddav/dav_xml.h"
#include "carddav/server_address.h"

namespace velorine::carddav {
namespace {

// What one PROPFIND of depth 0 said of the resource asked for.
struct Described {
    std::optional<DavResource> resource;
    QUrl url;  // where the answer came from, after redirects: its hrefs are relative to it
    int status = 0;
    MaybeFailure failure;
};

Described describe(DavTransport& dav, const QUrl& url) {
    const DavReply reply = dav.send("PROPFIND", url, 0, discoveryRequest());
    if (reply.failure) return {std::nullopt, url, 0, reply.failure};
    if (reply.status != 207) return {std::nullopt, reply.url, reply.status, std::nullopt};
    const MultistatusReading reading = readMultistatus(reply.body, dav.limits().mostCards);
    if (!reading.multistatus)
        return {std::nullopt, reply.url, reply.status, SyncFailure{FailureKind::BadResponse, reading.error, {}}};
    if (reading.multistatus->responses.empty()) return {std::nullopt, reply.url, reply.status, std::nullopt};
    return {reading.multistatus->responses.front(), reply.url, reply.status, std::nullopt};
}

QString lastPart(const QUrl& url) {
    const QStringList parts = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.isEmpty() ? url.host() : parts.back();
}

// The address books among the members of a home (PROPFIND of depth 1).
Discovery booksIn(DavTransport& dav, const QUrl& home) {
    const DavReply reply = dav.send("PROPFIND", home, 1, discoveryRequest());
    if (reply.failure) return {{}, reply.failure};
    if (reply.status != 207) return {{}, statusFailure(reply.status, home)};
    const MultistatusReading reading = readMultistatus(reply.body, dav.limits().mostCards);
    if (!reading.multistatus) return {{}, SyncFailure{FailureKind::BadResponse, reading.error, {}}};
    Discovery found;
    for (const DavResource& member : reading.multistatus->responses) {
        if (!member.isAddressBook) continue;
        const auto url = sameServerAddress(reply.url, member.href);
        if (!url) continue;
        found.books.push_back({*url, member.displayName.isEmpty() ? lastPart(*url) : member.displayName});
    }
    return found;
}

SyncFailure noBookAt(const QUrl& address) {
    return {FailureKind::NoAddressBook,
            "aucun carnet d'adresses n'a été trouvé à l'adresse « " + shownAddress(address) + " »",
            {}};
}

}  // namespace

Discovery discoverAddressBooks(DavTransport& dav, const QUrl& address) {
    Described start;
    // The address of a whole server: its well-known entry first, the address itself if it has none.
    if (address.path() == QStringLiteral("/")) {
        QUrl wellKnown = address;
        wellKnown.setPath(QStringLiteral("/.well-known/carddav"));
        start = describe(dav, wellKnown);
        if (start.failure) return {{}, start.failure};
    }
    if (!start.resource) start = describe(dav, address);
    if (start.failure) return {{}, start.failure};
    if (!start.resource) return {{}, start.status == 207 ? noBookAt(address) : statusFailure(start.status, address)};
    if (start.resource->isAddressBook) {
        const QUrl url = sameServerAddress(start.url, start.resource->href).value_or(start.url);
        return {{{url, start.resource->displayName.isEmpty() ? lastPart(url) : start.resource->displayName}}, {}};
    }

    QStringList homes = start.resource->homeSets;
    QUrl base = start.url;
    if (homes.isEmpty() && !start.resource->principal.isEmpty()) {
        const auto principal = sameServerAddress(start.url, start.resource->principal);
        if (!principal) return {{}, noBookAt(address)};
        const Described described = describe(dav, *principal);
        if (described.failure) return {{}, described.failure};
        if (described.resource) homes = described.resource->homeSets;
        base = described.url;
    }
    if (homes.isEmpty()) homes.append(hrefOf(start.url));
    Discovery all;
    for (const QString& href : homes) {
        const auto home = sameServerAddress(base, href);
        if (!home) continue;
        Discovery found = booksIn(dav, *home);
        if (found.failure) return found;
        for (AddressBook& book : found.books) all.books.push_back(std::move(book));
    }
    if (all.books.empty()) return {{}, noBookAt(address)};
    std::stable_sort(all.books.begin(), all.books.end(),
                     [](const AddressBook& a, const AddressBook& b) { return a.name.localeAwareCompare(b.name) < 0; });
    return all;
}

}  // namespace velorine::carddav

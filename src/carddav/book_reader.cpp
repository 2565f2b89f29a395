#include "carddav/book_reader.h"

#include <set>

#include "carddav/dav_xml.h"
#include "carddav/server_address.h"

namespace velorine::carddav {
namespace {

constexpr int kCardsPerRequest = 100;

SyncFailure badAnswer(const std::string& reason) { return {FailureKind::BadResponse, reason, {}}; }

SyncFailure tooManyCards(const QUrl& book, int most) {
    return badAnswer("le carnet « " + shownAddress(book) + " » compte plus de " + std::to_string(most) +
                     " cartes, bien plus que Velorine n'en lit");
}

// The members of a multistatus about a book, each by its href on the book's server; the book itself
// and anything elsewhere are left out.
template <typename Visit>
void forEachMember(const Multistatus& answer, const QUrl& from, const QUrl& book, Visit visit) {
    const QString bookHref = hrefOf(book);
    for (const DavResource& member : answer.responses) {
        const auto address = sameServerAddress(from, member.href);
        if (!address) continue;
        const QString href = hrefOf(*address);
        if (href == bookHref || member.isCollection) continue;
        visit(href, member);
    }
}

// The listing from a sync report.
BookListing syncListing(const DavReply& reply, const QUrl& book, const QString& token, const DavLimits& limits) {
    const MultistatusReading reading = readMultistatus(reply.body, limits.mostCards);
    if (!reading.multistatus) return {{}, false, {}, {}, badAnswer(reading.error)};
    BookListing listing;
    listing.syncToken = reading.multistatus->syncToken;
    listing.complete = token.isEmpty();
    forEachMember(*reading.multistatus, reply.url, book, [&](const QString& href, const DavResource& member) {
        if (member.status == 404 || member.status == 410)
            listing.removed.append(href);
        else  // without an ETag the card is read again each time: better than never
            listing.present.emplace_back(href, member.etag);
    });
    return listing;
}

// The listing of a server without sync reports: every card's ETag.
BookListing etagListing(DavTransport& dav, const QUrl& book) {
    const DavReply reply = dav.send("PROPFIND", book, 1, etagsRequest());
    if (reply.failure) return {{}, false, {}, {}, reply.failure};
    if (reply.status != 207) return {{}, false, {}, {}, statusFailure(reply.status, book)};
    const MultistatusReading reading = readMultistatus(reply.body, dav.limits().mostCards);
    if (!reading.multistatus) return {{}, false, {}, {}, badAnswer(reading.error)};
    BookListing listing;
    listing.complete = true;
    forEachMember(*reading.multistatus, reply.url, book, [&](const QString& href, const DavResource& member) {
        listing.present.emplace_back(href, member.etag);
    });
    return listing;
}

bool offersNoSyncReport(int status) {
    return status == 400 || status == 403 || status == 405 || status == 409 || status == 415 || status == 422 ||
           status == 501;
}

}  // namespace

BookListing listBook(DavTransport& dav, const QUrl& book, const QString& knownToken) {
    QString token = knownToken;
    BookListing listing;
    for (;;) {
        const DavReply reply = dav.send("REPORT", book, 0, syncCollectionRequest(token));
        if (reply.failure) return {{}, false, {}, {}, reply.failure};
        if (reply.status == 207) {
            listing = syncListing(reply, book, token, dav.limits());
            break;
        }
        // A token the server has forgotten: the whole book again.
        if (!token.isEmpty() && (reply.status == 403 || reply.status == 409) && isInvalidTokenError(reply.body)) {
            token.clear();
            continue;
        }
        if (!offersNoSyncReport(reply.status)) return {{}, false, {}, {}, statusFailure(reply.status, book)};
        listing = etagListing(dav, book);
        break;
    }
    if (!listing.failure && static_cast<int>(listing.present.size()) > dav.limits().mostCards)
        return {{}, false, {}, {}, tooManyCards(book, dav.limits().mostCards)};
    return listing;
}

CardFetch fetchCards(DavTransport& dav, const QUrl& book, const QStringList& hrefs) {
    CardFetch fetch;
    for (qsizetype first = 0; first < hrefs.size(); first += kCardsPerRequest) {
        const QStringList batch = hrefs.mid(first, kCardsPerRequest);
        const DavReply reply = dav.send("REPORT", book, 1, multigetRequest(batch));
        if (reply.failure) return {{}, {}, reply.failure};
        if (reply.status != 207) return {{}, {}, statusFailure(reply.status, book)};
        const MultistatusReading reading = readMultistatus(reply.body, kCardsPerRequest * 2);
        if (!reading.multistatus) return {{}, {}, badAnswer(reading.error)};
        std::set<QString> asked(batch.begin(), batch.end());
        forEachMember(*reading.multistatus, reply.url, book, [&](const QString& href, const DavResource& member) {
            if (!asked.erase(href)) return;  // not asked for: an answer has no say about it
            if (member.addressData)
                fetch.cards.push_back(
                    {href.toStdString(), member.etag.toStdString(), member.addressData->toStdString()});
            else
                fetch.missing.append(href);
        });
        for (const QString& href : asked) fetch.missing.append(href);
    }
    return fetch;
}

}  // namespace velorine::carddav

#include "carddav/synchronisation.h"

#include <set>

#include "carddav/book_reader.h"
#include "carddav/discovery.h"
#include "carddav/server_address.h"
#include "carddav/sync_state.h"
#include "contacts/vcard_reader.h"
#include "store/data_file.h"

namespace velorine::carddav {
namespace {

DavAccount accountOf(const OnlineSettings& settings, const std::string& password) {
    return {QString::fromStdString(settings.user), QString::fromStdString(password), settings.fingerprint};
}

std::string addressText(const QUrl& url) { return url.toString(QUrl::FullyEncoded).toStdString(); }

// The books to read: those chosen, or every one the server has.
Discovery booksToRead(DavTransport& dav, const QUrl& server, const OnlineSettings& settings) {
    if (settings.books.empty()) return discoverAddressBooks(dav, server);
    Discovery chosen;
    for (const std::string& book : settings.books) {
        const auto url = sameServerAddress(server, QString::fromStdString(book));
        if (!url)
            return {{},
                    SyncFailure{FailureKind::Address,
                                "le carnet « " + book + " » n'est pas sur le serveur « " + shownHost(server) + " »",
                                {}}};
        chosen.books.push_back({*url, {}});
    }
    return chosen;
}

bool isUnchanged(const KnownBook* known, const std::string& href, const QString& etag) {
    if (!known || etag.isEmpty()) return false;
    const auto card = known->cards.find(href);
    return card != known->cards.end() && card->second.etag == etag.toStdString();
}

// What one book brought since the state kept: the listing, then the cards it names as new or changed.
BookNews newsOf(DavTransport& dav, const QUrl& book, const KnownBook* known, MaybeFailure& failure) {
    BookNews news;
    news.address = addressText(book);
    const BookListing listing = listBook(dav, book, known ? QString::fromStdString(known->syncToken) : QString());
    if (listing.failure) {
        failure = listing.failure;
        return news;
    }
    news.syncToken = listing.syncToken.toStdString();
    if (listing.complete) news.allHrefs.emplace();
    QStringList wanted;
    for (const auto& [href, etag] : listing.present) {
        const std::string key = href.toStdString();
        if (news.allHrefs) news.allHrefs->insert(key);
        if (!isUnchanged(known, key, etag)) wanted.append(href);
    }
    for (const QString& href : listing.removed) news.removed.push_back(href.toStdString());
    CardFetch fetch = fetchCards(dav, book, wanted);
    if (fetch.failure) {
        failure = fetch.failure;
        return news;
    }
    news.fetched = std::move(fetch.cards);
    for (const QString& href : fetch.missing) {
        news.removed.push_back(href.toStdString());
        if (news.allHrefs) news.allHrefs->erase(href.toStdString());
    }
    return news;
}

SyncOutcome failed(const SyncRequest& request, SyncFailure failure, int requests) {
    // The failure is told to the caller; its record only shows in the dialog's last sync.
    if (failure.kind != FailureKind::Cancelled)
        std::ignore = recordFailure(request.dataFile, failure.reason, request.today);
    return {std::nullopt, std::move(failure), requests};
}

}  // namespace

SyncOutcome synchronise(const SyncRequest& request) {
    const CheckedAddress server = checkServerAddress(request.settings.address);
    if (!server.refusal.empty()) return {std::nullopt, SyncFailure{FailureKind::Address, server.refusal, {}}, 0};
    store::Result<store::IniDocument> read = store::readSnapshot(request.dataFile);
    std::optional<store::IniDocument> data;
    if (read)
        data = std::move(*read);
    else if (read.failure() == store::Failure::Missing)
        data.emplace();
    if (!data)
        return {std::nullopt,
                SyncFailure{FailureKind::DataFile,
                            read.failure() == store::Failure::NotSettings
                                ? "le fichier « " + request.dataFile + " » n'est pas une liste d'anniversaires"
                                : "le fichier « " + request.dataFile + " » ne peut pas être lu",
                            {}},
                0};
    const SyncState state = readSyncState(*data);
    data.reset();  // a large list is not held during the network's wait

    DavTransport dav(accountOf(request.settings, request.password), request.limits, request.cancelled);
    const Discovery books = booksToRead(dav, server.url, request.settings);
    if (books.failure) return failed(request, *books.failure, dav.requestCount());
    std::vector<BookNews> news;
    for (const AddressBook& book : books.books) {
        MaybeFailure failure;
        news.push_back(newsOf(dav, book.url, state.book(addressText(book.url)), failure));
        if (failure) return failed(request, *failure, dav.requestCount());
    }
    return {applyNews(request.dataFile, news, request.today), std::nullopt, dav.requestCount()};
}

Trial tryAccount(const OnlineSettings& settings, const std::string& password, const store::CalendarDate& today,
                 const DavLimits& limits, const std::atomic<bool>* cancelled) {
    const CheckedAddress server = checkServerAddress(settings.address);
    if (!server.refusal.empty()) return {{}, SyncFailure{FailureKind::Address, server.refusal, {}}};
    DavTransport dav(accountOf(settings, password), limits, cancelled);
    const Discovery books = discoverAddressBooks(dav, server.url);
    if (books.failure) return {{}, books.failure};
    Trial trial;
    for (const AddressBook& book : books.books) {
        const BookListing listing = listBook(dav, book.url, {});
        if (listing.failure) return {{}, listing.failure};
        QStringList hrefs;
        for (const auto& [href, etag] : listing.present) hrefs.append(href);
        const CardFetch fetch = fetchCards(dav, book.url, hrefs);
        if (fetch.failure) return {{}, fetch.failure};
        BookOverview overview{addressText(book.url), book.name.toStdString(), static_cast<int>(fetch.cards.size()), 0};
        for (const FetchedCard& card : fetch.cards) {
            const contacts::VcardReading reading = contacts::readVcards(card.vcard, today);
            if (reading.book && !reading.book->cards.empty()) ++overview.withBirthday;
        }
        trial.books.push_back(std::move(overview));
    }
    return trial;
}

std::string trialText(const Trial& trial) {
    int contacts = 0;
    int birthdays = 0;
    for (const BookOverview& book : trial.books) {
        contacts += book.contacts;
        birthdays += book.withBirthday;
    }
    const auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n > 1 ? many : one);
    };
    return count(static_cast<int>(trial.books.size()), "carnet", "carnets") + ", " +
           count(contacts, "contact", "contacts") + " dont " + std::to_string(birthdays) + " avec un anniversaire";
}

}  // namespace velorine::carddav

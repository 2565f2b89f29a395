#pragma once
// The news of the address books online brought into the list, in one commit: new cards with a
// birthday add their people, changed cards update theirs, cards gone from the server leave theirs
// in the list and are named. Works on what the server sent, already fetched: no network here.
//
// Rules, applied to the file as it is under the commit's lock (so that two syncs at once, or a
// sync and a window, add no one twice and lose nothing of each other):
//   - every card goes through the vCard reader (contacts/vcard_reader.h); a new card with a record
//     is imported by the import's own rule (contacts/contact_import.h): a person already in the
//     list is not added again, the card is linked to them;
//   - a card whose record is the one it gave last time changes nothing, whatever the person has
//     become in the list since;
//   - a card whose record changed updates its person (found by the record it gave last time, see
//     sync_state.h) field by field: a field the card changed is taken, unless the user has changed
//     that field by hand, which wins; a person no longer in the list under that name (changed or
//     deleted by hand) is left alone and named;
//   - a card gone from the server (or that lost its birthday) leaves its person in the list and is
//     named, unless a card with the same UID is still there (a card moved from one book to another);
//   - the state of the books given replaces the one kept (sync_state.h); a book no longer chosen is
//     forgotten, its people stay.
// The day of the sync is recorded and any earlier failure cleared.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/dates.h"
#include "store/failure.h"

namespace velorine::carddav {

struct FetchedCard {
    std::string href;
    std::string etag;
    std::string vcard;  // the bytes the server sent
};

// What one address book brought.
struct BookNews {
    std::string address;
    std::string syncToken;                          // the server's new token; empty when it gives none
    std::optional<std::set<std::string>> allHrefs;  // when the server listed the whole book: a known
                                                    // card not in it is gone
    std::vector<FetchedCard> fetched;               // new or changed cards
    std::vector<std::string> removed;               // hrefs the server says are gone
};

struct SyncReport {
    bool stored = false;  // false: the data file could not be written and is unchanged
    store::Failure failure = store::Failure::None;
    int added = 0;
    int updated = 0;
    int alreadyThere = 0;     // new cards whose person was in the list already
    int withoutBirthday = 0;  // cards read without a usable birthday
    int refusedName = 0;      // cards refused for their name
    int unreadable = 0;       // cards that are no vCard
    // Named in the summary, UTF-8, each list in alphabetical order:
    std::vector<std::string> updatedPeople;
    std::vector<std::string> removedPeople;  // gone from the server, or without a birthday now; kept in the list
    std::vector<std::string> leftAsTyped;    // changed on the server but changed or deleted by hand in the list

    bool listChanged() const { return added > 0 || updated > 0; }
};

SyncReport applyNews(const std::string& dataFile, const std::vector<BookNews>& news, const store::CalendarDate& today);

// Records that a sync on `today` failed, and why (UTF-8); the list and the cards' state untouched.
// False when the file could not be written.
store::Result<> recordFailure(const std::string& dataFile, const std::string& reason, const store::CalendarDate& today);

}  // namespace velorine::carddav

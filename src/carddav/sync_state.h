#pragma once
// What the data file keeps of the address books online, in its section [CartesEnLigne]: the day of
// the last sync and why it failed, if it did; for each address book its address and the server's
// sync token; for each card of it its address on the server (href), its version (ETag), its UID
// and the record it gave at the last sync. That record is the link to the person: the person is
// the one of the list with its surname, first name and birth date (letter case aside), so the link
// holds whatever slot the person moves to (a compaction renumbers them all) and is lost only when
// the user changes one of those three texts or deletes the person, who is then left as typed.
//
//   [CartesEnLigne]
//   Derniere=9 12 2026
//   Echec=<why the last sync failed, UTF-8 escaped; empty when it succeeded>
//   Carnet1=<address of the book>|<sync token>
//   Carte1=<book number>|<href>|<etag>|<uid>|<surname>|<first name>|<birth date>|<address>|<e-mail>
//
// Fields are escaped so that they read back as written: "%", "|", control bytes and blanks at a
// field's ends become %XX. A card that gave no record (no usable birthday or name) has its five
// record fields empty. A line that does not read as such is ignored: the card is then unknown and
// read again from the server at the next sync.
//
// Reading and writing work on a document in memory (a snapshot, or an edit inside a commit).

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/dates.h"
#include "store/ini_document.h"
#include "store/record_store.h"

namespace velorine::carddav {

struct KnownCard {
    std::string etag;
    std::string uid;
    std::optional<store::BirthdayRecord> record;  // Windows-1252, as the card gave it; none: no person
};

struct KnownBook {
    std::string address;
    std::string syncToken;
    std::map<std::string, KnownCard> cards;  // by href
};

struct SyncState {
    std::optional<store::CalendarDate> lastDay;
    std::string failure;  // UTF-8
    std::vector<KnownBook> books;

    // The book with this address, if known.
    const KnownBook* book(std::string_view address) const;
};

SyncState readSyncState(const store::IniDocument& doc);
// Replaces the whole section by `state`.
void writeSyncState(store::IniDocument& doc, const SyncState& state);
// Records a sync on `today` that failed, and why (UTF-8), leaving the books and cards as they are.
void writeFailureIn(store::IniDocument& doc, const std::string& reason, const store::CalendarDate& today);

}  // namespace velorine::carddav

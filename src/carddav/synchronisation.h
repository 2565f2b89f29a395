#pragma once
// A whole sync with the address book online, and the trial of an account before it is kept.
//
// synchronise() reads the data file's state of the books (sync_state.h), asks each chosen book for
// its changes (book_reader.h; with a sync token an unchanged book costs one small request), reads
// the new and changed cards, and brings everything into the list in one commit (sync_engine.h).
// Without chosen books, the books are discovered first (discovery.h) and all of them are read. If
// any step fails, nothing of the news is written: the data file records only the day and the
// reason (the list untouched), except when the sync was stopped by the program.
//
// Both block the calling thread until done (each request is bounded, dav_transport.h); they need a
// QCoreApplication. `cancelled`, when given, stops them from another thread.

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "carddav/dav_transport.h"
#include "carddav/online_settings.h"
#include "carddav/sync_engine.h"
#include "store/dates.h"

namespace velorine::carddav {

struct SyncRequest {
    std::string dataFile;
    OnlineSettings settings;
    std::string password;
    store::CalendarDate today;
    DavLimits limits;
    const std::atomic<bool>* cancelled = nullptr;
};

struct SyncOutcome {
    std::optional<SyncReport> report;  // the sync ran to its commit (see report->stored)
    MaybeFailure failure;              // otherwise, why it stopped
    int requests = 0;                  // requests sent to the server
};

SyncOutcome synchronise(const SyncRequest& request);

struct BookOverview {
    std::string address;  // the book's address, as settings keep it
    std::string name;     // UTF-8
    int contacts = 0;
    int withBirthday = 0;  // cards that give a person to the list
};

struct Trial {
    std::vector<BookOverview> books;
    MaybeFailure failure;
};

// Discovers the books of `settings.address` (the chosen books aside) and counts their cards and
// birthdays; writes nothing.
Trial tryAccount(const OnlineSettings& settings, const std::string& password, const store::CalendarDate& today,
                 const DavLimits& limits, const std::atomic<bool>* cancelled = nullptr);

// « 2 carnets, 412 contacts dont 97 avec un anniversaire »
std::string trialText(const Trial& trial);

}  // namespace velorine::carddav

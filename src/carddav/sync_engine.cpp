#include "carddav/sync_engine.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "carddav/sync_state.h"
#include "contacts/contact_import.h"
#include "contacts/vcard_lines.h"
#include "contacts/vcard_reader.h"
#include "store/cp1252.h"
#include "store/data_file.h"

namespace velorine::carddav {
namespace {

// The UID of a card: its first UID line at the card's own level (a 2.1 AGENT card inside has its own).
std::string uidOf(std::string_view vcard) {
    int depth = 0;
    std::string uid;
    contacts::forEachUnfoldedLine(vcard, [&](std::string_view line) {
        const auto parsed = contacts::parseContentLine(line);
        if (!parsed) return true;
        if (parsed->name == "BEGIN") ++depth;
        if (parsed->name == "END") --depth;
        if (parsed->name != "UID" || depth != 1) return true;
        uid = parsed->value;
        return false;
    });
    return uid;
}

std::string nameOf(const store::BirthdayRecord& record) {
    const std::string both = record.firstName.empty() ? record.surname : record.firstName + " " + record.surname;
    return store::cp1252ToUtf8(both);
}

// A field the card changed is taken unless the user changed it too; what the user typed wins.
std::string mergedField(const std::string& person, const std::string& before, const std::string& after) {
    return after != before && person == before ? after : person;
}

store::BirthdayRecord merged(const store::BirthdayRecord& person, const store::BirthdayRecord& before,
                             const store::BirthdayRecord& after) {
    return {mergedField(person.surname, before.surname, after.surname),
            mergedField(person.firstName, before.firstName, after.firstName),
            mergedField(person.birthDate, before.birthDate, after.birthDate),
            mergedField(person.address, before.address, after.address),
            mergedField(person.email, before.email, after.email)};
}

struct CardChange {
    store::BirthdayRecord before;
    store::BirthdayRecord after;
    std::string label;
};

// One edit of the document: everything the news says, decided on the file as it is now.
class NewsApplication {
public:
    NewsApplication(store::IniDocument& doc, SyncReport& report) : doc_(doc), report_(report) {}

    void apply(const std::vector<BookNews>& news, const store::CalendarDate& today) {
        today_ = today;
        SyncState state = readSyncState(doc_);
        SyncState next;
        next.lastDay = today;
        for (const BookNews& book : news) next.books.push_back(bookAfter(state, book));
        reportRemovals(next);
        applyChanges();
        const contacts::ImportOutcome imported = contacts::importCardsIn(doc_, newCards_);
        report_.added = imported.added;
        report_.alreadyThere = imported.alreadyThere;
        writeSyncState(doc_, next);
        // Named in alphabetical order, whatever order the server sent the cards in.
        for (auto* names : {&report_.updatedPeople, &report_.removedPeople, &report_.leftAsTyped})
            std::sort(names->begin(), names->end());
    }

private:
    KnownBook bookAfter(const SyncState& state, const BookNews& news) {
        const KnownBook* known = state.book(news.address);
        KnownBook book{news.address, news.syncToken, known ? known->cards : std::map<std::string, KnownCard>()};
        for (const FetchedCard& fetched : news.fetched) take(book, fetched);
        for (const std::string& href : news.removed) forget(book, href);
        if (news.allHrefs) {
            std::vector<std::string> gone;
            for (const auto& [href, card] : book.cards)
                if (!news.allHrefs->contains(href)) gone.push_back(href);
            for (const std::string& href : gone) forget(book, href);
        }
        return book;
    }

    void take(KnownBook& book, const FetchedCard& fetched) {
        KnownCard card{fetched.etag, uidOf(fetched.vcard), {}};
        const contacts::VcardReading reading = contacts::readVcards(fetched.vcard, today_);
        const auto known = book.cards.find(fetched.href);
        const std::optional<store::BirthdayRecord> before =
            known != book.cards.end() ? known->second.record : std::nullopt;
        if (!reading.book) {
            ++report_.unreadable;
        } else if (!reading.book->cards.empty()) {
            const contacts::ContactCard& read = reading.book->cards.front();
            card.record = read.record;
            if (!before)
                newCards_.push_back(read);
            else if (*before != read.record)
                changes_.push_back({*before, read.record, read.label});
        } else if (!reading.book->refused.empty()) {
            if (reading.book->refused.front().kind == contacts::RefusalKind::NoBirthday)
                ++report_.withoutBirthday;
            else
                ++report_.refusedName;
        }
        if (before && !card.record) removed_.push_back({*before, card.uid});
        book.cards[fetched.href] = std::move(card);
    }

    void forget(KnownBook& book, const std::string& href) {
        const auto known = book.cards.find(href);
        if (known == book.cards.end()) return;
        if (known->second.record) removed_.push_back({*known->second.record, known->second.uid});
        book.cards.erase(known);
    }

    // A card gone under one href and still there under another (moved between books) is no news.
    void reportRemovals(const SyncState& next) {
        std::unordered_set<std::string> present;
        for (const KnownBook& book : next.books)
            for (const auto& [href, card] : book.cards)
                if (card.record && !card.uid.empty()) present.insert(card.uid);
        for (const auto& [record, uid] : removed_)
            if (uid.empty() || !present.contains(uid)) report_.removedPeople.push_back(nameOf(record));
    }

    void applyChanges() {
        if (changes_.empty()) return;
        // The people concerned, found in one pass: the first of each key, as modify acts on the first.
        std::map<contacts::PersonKey, store::BirthdayRecord> people;
        for (const CardChange& change : changes_)
            people.emplace(contacts::personKeyOf(change.before), store::BirthdayRecord());
        std::map<contacts::PersonKey, bool> found;
        store::forEachRecordIn(doc_, [&](store::BirthdayRecord record) {
            const auto wanted = people.find(contacts::personKeyOf(record));
            if (wanted != people.end() && !found[wanted->first]) {
                found[wanted->first] = true;
                wanted->second = std::move(record);
            }
        });
        for (const CardChange& change : changes_) {
            const contacts::PersonKey key = contacts::personKeyOf(change.before);
            if (!found[key]) {
                report_.leftAsTyped.push_back(change.label);
                continue;
            }
            const store::BirthdayRecord person = people[key];
            const store::BirthdayRecord updated = merged(person, change.before, change.after);
            if (updated == person) {
                if (person != change.after) report_.leftAsTyped.push_back(change.label);
                continue;
            }
            store::modifyRecordIn(doc_, {person.surname, person.firstName, person.birthDate}, updated);
            ++report_.updated;
            report_.updatedPeople.push_back(change.label);
            // A second card of the same person finds them as they are now.
            found[key] = false;
            const contacts::PersonKey now = contacts::personKeyOf(updated);
            people[now] = updated;
            found[now] = true;
        }
    }

    store::IniDocument& doc_;
    SyncReport& report_;
    store::CalendarDate today_{};
    std::vector<contacts::ContactCard> newCards_;
    std::vector<CardChange> changes_;
    std::vector<std::pair<store::BirthdayRecord, std::string>> removed_;  // record, uid
};

}  // namespace

SyncReport applyNews(const std::string& dataFile, const std::vector<BookNews>& news, const store::CalendarDate& today) {
    SyncReport report;
    const store::Result<> stored = store::commit(dataFile, [&](store::IniDocument& doc) {
        report = SyncReport();  // a commit that retries starts afresh
        NewsApplication(doc, report).apply(news, today);
    });
    report.stored = static_cast<bool>(stored);
    report.failure = stored.failure();
    if (!stored) {
        report.added = report.updated = 0;
        report.updatedPeople.clear();
    }
    return report;
}

store::Result<> recordFailure(const std::string& dataFile, const std::string& reason,
                              const store::CalendarDate& today) {
    return store::commit(dataFile, [&](store::IniDocument& doc) { writeFailureIn(doc, reason, today); });
}

}  // namespace velorine::carddav

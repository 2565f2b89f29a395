#include "contacts/contact_import.h"

#include <set>
#include <tuple>

#include "store/data_file.h"
#include "store/dates.h"

namespace velorine::contacts {
namespace {

// "1/3/1990" typed by hand in the file is the same day as "01/03/1990".
std::string sameDayText(const std::string& birthDate) {
    const auto date = store::scanSlashedDate(birthDate);
    return date ? store::displayDate(*date) : birthDate;
}

// Windows-1252 letters folded to lower case (A-Z, À-Þ, Š, Œ, Ž, Ÿ), for the comparison above.
std::string foldedCase(std::string_view cp1252) {
    std::string folded(cp1252);
    for (char& c : folded) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            c = static_cast<char>(byte + 0x20);
        } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
            c = static_cast<char>(byte + 0x10);
        } else if (byte == 0x9F) {
            c = static_cast<char>(0xFF);
        }
    }
    return folded;
}

}  // namespace

PersonKey personKeyOf(const store::BirthdayRecord& record) {
    return {foldedCase(record.surname), foldedCase(record.firstName), sameDayText(record.birthDate)};
}

ImportOutcome importCardsIn(store::IniDocument& doc, const std::vector<ContactCard>& cards) {
    // Only the people of the cards are looked for in the list, in one pass over it: memory follows
    // the address book, not the list, which may hold a million people.
    std::set<PersonKey> wanted;
    for (const ContactCard& card : cards) wanted.insert(personKeyOf(card.record));
    std::set<PersonKey> known;
    store::forEachRecordIn(doc, [&](const store::BirthdayRecord& record) {
        if (PersonKey key = personKeyOf(record); wanted.contains(key)) known.insert(std::move(key));
    });
    std::vector<store::BirthdayRecord> fresh;
    for (const ContactCard& card : cards)
        if (known.insert(personKeyOf(card.record)).second) fresh.push_back(card.record);
    ImportOutcome outcome;
    outcome.added = static_cast<int>(fresh.size());
    outcome.alreadyThere = static_cast<int>(cards.size() - fresh.size());
    store::addRecordsIn(doc, fresh);
    return outcome;
}

ImportOutcome importCards(const std::string& dataFilePath, const std::vector<ContactCard>& cards) {
    ImportOutcome outcome;
    const store::Result<> committed =
        store::commit(dataFilePath, [&](store::IniDocument& doc) { outcome = importCardsIn(doc, cards); });
    outcome.stored = static_cast<bool>(committed);
    outcome.failure = committed.failure();
    if (!outcome.stored) outcome.added = 0;
    return outcome;
}

}  // namespace velorine::contacts

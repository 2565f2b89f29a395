#pragma once
// The name-day list: the built-in calendar of 1011 French first names and the day of their feast,
// which the reminders look people's first names up in and the reminder window shows by date.
//
// Each entry is one text, a name, "|", a two-digit day, "/", a two-digit month ("Abel|05/08").
// The texts are Windows-1252 bytes, the character set of first names in the data file, because
// names are matched byte for byte. They keep the table's order: index 0 holds identifier 1
// ("Abel|05/08"), index 1010 identifier 1011 ("Zoé|02/05"). A list never changes once loaded.
//
// Calling sequence: load() once at start-up, then ask the list as often as needed. No lookup
// fails: a name or a day the calendar does not hold simply has no entries.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/dates.h"

namespace velorine::reminders {

struct FeastDay {
    int day = 0;
    int month = 0;
    friend bool operator==(const FeastDay&, const FeastDay&) = default;
};

class NameDayList {
public:
    // The built-in calendar, converted to Windows-1252 and indexed by name.
    static NameDayList load();

    // The texts, in table order.
    const std::vector<std::string>& texts() const { return texts_; }

    // Lookup by first name: the feast days of the entries whose text begins with firstName
    // immediately followed by "|", in table order. Only the whole name counts, byte for byte, case
    // and accents included: "Jean" finds neither "Jeanne" nor "Jean-Baptiste", "François" not
    // "François(d'Assises)". The result stays valid as long as the list.
    //
    // Gives exactly what a scan of every text would give, in constant time: the reminders ask it
    // for every person of the data file.
    std::span<const FeastDay> feastDaysOf(std::string_view firstName) const;

    // Lookup by date: the names (the text before "|") of the entries of that day and month, in
    // table order. Nothing for a day without names, or for numbers that are not a day (the day is
    // never adjusted: 29 February gives its own name, 1 March only those of 1 March).
    std::vector<std::string> namesOn(int day, int month) const;

    // The names whose feast the reminders count on that date: those of its day and month, and in a
    // year without 29 February, on 1 March, those of 29/02 as well; in table order. This is what
    // the reminder window shows as the names of a day, so it always agrees with the reminder lines.
    std::vector<std::string> namesCelebratedOn(const store::CalendarDate& date) const;

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    explicit NameDayList(std::vector<std::string> texts);
    // The names of the entries whose feast day is wanted, in table order.
    std::vector<std::string> namesWhere(const std::function<bool(const FeastDay&)>& isWanted) const;

    std::vector<std::string> texts_;
    // Name part -> its feast days in table order. Every text holds exactly one "|", so an entry
    // begins with "name|" exactly when its name part is that name: the index and the scan agree.
    std::unordered_map<std::string, std::vector<FeastDay>, NameHash, std::equal_to<>> feastDaysByName_;
};

}  // namespace velorine::reminders

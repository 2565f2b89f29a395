#include "reminders/name_day_list.h"

#include <utility>

#include "reminders/name_day_table_text.h"
#include "store/civil_calendar.h"
#include "store/cp1252.h"

namespace velorine::reminders {
namespace {

constexpr FeastDay kLeapDay{29, 2};

struct EntryParts {
    std::string_view name;
    FeastDay feastDay;
};

int twoDigitsAt(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

// "Name|DD/MM": the build has checked that every entry has this form.
EntryParts partsOf(std::string_view text) {
    const std::size_t bar = text.find('|');
    return {text.substr(0, bar), {twoDigitsAt(text, bar + 1), twoDigitsAt(text, bar + 4)}};
}

}  // namespace

NameDayList NameDayList::load() {
    // The build admits only characters that Windows-1252 holds, so the conversion cannot fail.
    const std::string table = store::utf8ToCp1252(nameDayTableText()).value();
    std::vector<std::string> texts;
    // Every line, the last included, ends with a newline.
    for (std::size_t start = 0; start < table.size();) {
        const std::size_t end = table.find('\n', start);
        texts.emplace_back(table, start, end - start);
        start = end + 1;
    }
    return NameDayList(std::move(texts));
}

NameDayList::NameDayList(std::vector<std::string> texts) : texts_(std::move(texts)) {
    for (const std::string& text : texts_) {
        const EntryParts entry = partsOf(text);
        feastDaysByName_[std::string(entry.name)].push_back(entry.feastDay);
    }
}

std::span<const FeastDay> NameDayList::feastDaysOf(std::string_view firstName) const {
    const auto found = feastDaysByName_.find(firstName);
    if (found == feastDaysByName_.end()) return {};
    return found->second;
}

std::vector<std::string> NameDayList::namesWhere(const std::function<bool(const FeastDay&)>& isWanted) const {
    std::vector<std::string> names;
    for (const std::string& text : texts_) {
        const EntryParts entry = partsOf(text);
        if (isWanted(entry.feastDay)) names.emplace_back(entry.name);
    }
    return names;
}

std::vector<std::string> NameDayList::namesOn(int day, int month) const {
    const FeastDay wanted{day, month};
    return namesWhere([&](const FeastDay& feast) { return feast == wanted; });
}

std::vector<std::string> NameDayList::namesCelebratedOn(const store::CalendarDate& date) const {
    const FeastDay wanted{date.day, date.month};
    const bool takesLeapDay = date.day == 1 && date.month == 3 && !store::isLeapYear(date.year);
    return namesWhere([&](const FeastDay& feast) { return feast == wanted || (takesLeapDay && feast == kLeapDay); });
}

}  // namespace velorine::reminders

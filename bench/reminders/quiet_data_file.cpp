#include "quiet_data_file.h"

#include <string_view>
#include <vector>

#include "data_file_generator.h"
#include "reminders/built_in_name_days.h"
#include "reminders/next_occurrence.h"
#include "store/civil_calendar.h"

namespace velorine::bench {
namespace {

constexpr int kHorizon = 7;

bool hasFeastWithinHorizon(std::string_view firstName, const store::CalendarDate& reference) {
    for (const reminders::FeastDay& feast : reminders::builtInNameDays().feastDaysOf(firstName))
        if (reminders::nextOccurrence(feast.day, feast.month, reference).dayCount <= kHorizon) return true;
    return false;
}

// Calendar names whose feasts all fall outside the horizon.
std::vector<std::string> quietFirstNames(const store::CalendarDate& reference) {
    std::vector<std::string> names;
    for (const std::string& text : reminders::builtInNameDays().texts()) {
        const std::string name = text.substr(0, text.find('|'));
        if (!hasFeastWithinHorizon(name, reference)) names.push_back(name);
        if (names.size() == 24) break;
    }
    return names;
}

// Whether the line is "Stem<n>=value"; its value then goes to `value`.
bool splitRecordLine(std::string_view line, std::string_view stem, std::string_view& value) {
    if (!line.starts_with(stem) || line.size() <= stem.size() || line[stem.size()] < '0' || line[stem.size()] > '9')
        return false;
    value = line.substr(line.find('=') + 1);
    return true;
}

}  // namespace

std::string quietDataFile(int records, const store::CalendarDate& reference) {
    const std::string generated = generateDataFile(records);
    const store::CalendarDate later = store::addDays(reference, 100);
    const std::vector<std::string> quietNames = quietFirstNames(reference);
    std::string out;
    out.reserve(generated.size());
    std::size_t replaced = 0;
    for (std::size_t start = 0; start < generated.size();) {
        const std::size_t end = generated.find("\r\n", start);
        const std::string_view line(generated.data() + start, end - start);
        const std::string_view key = line.substr(0, line.find('=') + 1);
        std::string_view value;
        if (splitRecordLine(line, "Date", value) && value.size() == 10) {
            out.append(key).append(
                store::displayDate({later.day, later.month, std::stoi(std::string(value.substr(6)))}));
        } else if (splitRecordLine(line, "Pren", value) && hasFeastWithinHorizon(value, reference)) {
            out.append(key).append(quietNames[replaced++ % quietNames.size()]);
        } else {
            out.append(line);
        }
        out.append("\r\n");
        start = end + 2;
    }
    return out;
}

}  // namespace velorine::bench

#include "contacts/calendar_upkeep.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "contacts/calendar_export.h"
#include "reminders/built_in_name_days.h"
#include "reminders/reminder_settings.h"
#include "store/data_file.h"
#include "store/number_text.h"
#include "store/record_store.h"

namespace velorine::contacts {
namespace {

constexpr char kSection[] = "Agenda";
// Raised whenever the calendar's form changes, so that every kept calendar is written anew.
constexpr std::uint64_t kCalendarForm = 2;
constexpr std::size_t kPathBuffer = 4096;

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 14695981039346656037ULL) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// Spreads a person's hash over all bits, so that the sum below tells lists apart.
std::uint64_t mixed(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return hash;
}

// What the calendar is made of. The people are summed, not chained: a list whose people only moved
// (a compaction) gives the same calendar and the same fingerprint.
std::string fingerprintOf(const store::IniDocument& snapshot, const CalendarUpkeepSettings& settings) {
    std::uint64_t people = 0;
    store::forEachRecordIn(snapshot, [&people](const store::BirthdayRecord& record) {
        people += mixed(
            fnv1a(record.birthDate, fnv1a("\x1F", fnv1a(record.firstName, fnv1a("\x1F", fnv1a(record.surname))))));
    });
    char text[64];
    std::snprintf(text, sizeof text, "%016llx-%llu-%d-%d", static_cast<unsigned long long>(people),
                  static_cast<unsigned long long>(kCalendarForm), settings.nameDays ? 1 : 0, settings.alarmDays);
    return text;
}

// The fingerprint the calendar at `path` was written with; empty when there is none to read.
std::string fingerprintOfFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    std::string head(1024, '\0');
    const ssize_t got = ::read(fd, head.data(), head.size());
    ::close(fd);
    if (got <= 0) return {};
    head.resize(static_cast<std::size_t>(got));
    const std::string mark = std::string("\n") + kFingerprintProperty + ":";
    const std::size_t at = head.find(mark);
    if (at == std::string::npos) return {};
    const std::size_t start = at + mark.size();
    const std::size_t end = head.find('\r', start);
    if (end == std::string::npos) return {};
    return head.substr(start, end - start);
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

CalendarUpkeepSettings calendarUpkeepIn(const store::IniDocument& snapshot, const std::string& dataFilePath) {
    CalendarUpkeepSettings settings;
    settings.kept = snapshot.read(kSection, "AJour", "0", 2) == "1";
    settings.path = snapshot.read(kSection, "Fichier", "", kPathBuffer);
    if (settings.path.empty()) settings.path = directoryOf(dataFilePath) + "/" + kKeptCalendarName;
    settings.nameDays = snapshot.read(kSection, "Fetes", "0", 2) == "1";
    const auto alarm = snapshot.find(kSection, "Alarme");
    const int days = alarm ? store::integerFromText(*alarm) : reminders::horizonIn(snapshot);
    settings.alarmDays = std::clamp(days, 0, kLongestAlarm);
    return settings;
}

store::Result<> storeCalendarUpkeep(const std::string& dataFilePath, const CalendarUpkeepSettings& settings) {
    const std::string alarm = std::to_string(settings.alarmDays);
    return store::commit(dataFilePath, [&](store::IniDocument& doc) {
        doc.writeAll(kSection, {{"AJour", settings.kept ? "1" : "0"},
                                {"Fichier", settings.path},
                                {"Fetes", settings.nameDays ? "1" : "0"},
                                {"Alarme", alarm}});
    });
}

std::string calendarUpkeepLines(const std::string& dataFilePath) {
    std::string lines;
    store::snapshot(dataFilePath).everyLineOf(kSection, [&lines](std::string_view line) {
        if (line.find_first_not_of(" \t") != std::string_view::npos) lines.append(line).append("\n");
        return true;
    });
    return lines;
}

store::Result<> carryCalendarUpkeep(const std::string& dataFilePath, const std::string& lines) {
    // Most swaps: no option on either side, and nothing to write.
    if (lines.empty() && !store::snapshot(dataFilePath).hasSection(kSection)) return store::Done{};
    return store::commit(dataFilePath, [&lines](store::IniDocument& doc) {
        if (!lines.empty() || doc.hasSection(kSection)) doc.replaceSection(kSection, lines);
    });
}

CalendarUpkeep keepCalendarUpToDate(const std::string& dataFilePath, std::time_t stamp) {
    CalendarUpkeep upkeep;
    const store::Result<store::IniDocument> snapshot = store::readSnapshot(dataFilePath);
    if (!snapshot) return upkeep;
    const CalendarUpkeepSettings settings = calendarUpkeepIn(*snapshot, dataFilePath);
    upkeep.path = settings.path;
    if (!settings.kept) return upkeep;
    const std::string fingerprint = fingerprintOf(*snapshot, settings);
    if (fingerprintOfFile(settings.path) == fingerprint) {
        upkeep.result = UpkeepResult::UpToDate;
        return upkeep;
    }
    upkeep.refusal = calendarTargetRefusal(settings.path, {dataFilePath});
    if (upkeep.refusal != CalendarTargetRefusal::None) {
        upkeep.result = UpkeepResult::Failed;
        return upkeep;
    }
    const auto records = [&snapshot](const RecordVisitor& visit) {
        store::forEachRecordIn(*snapshot, [&visit](const store::BirthdayRecord& record) { visit(record); });
    };
    const CalendarContent content{settings.nameDays ? &reminders::builtInNameDays() : nullptr, settings.alarmDays,
                                  fingerprint};
    upkeep.failure = exportCalendar(settings.path, records, content, stamp).failure;
    upkeep.result = upkeep.failure == store::Failure::None ? UpkeepResult::Written : UpkeepResult::Failed;
    return upkeep;
}

}  // namespace velorine::contacts

#pragma once
// Data files for the reminder tests, written in UTF-8 in the tests and handed to the engine as
// the Windows-1252 bytes of a real file; reminder lines handed back in UTF-8.

#include <optional>
#include <string>
#include <vector>

#include "name_day_test_support.h"
#include "reminders/reminder_engine.h"
#include "store/ini_document.h"

namespace velorine::reminders {

struct TestPerson {
    std::string firstName;
    std::string surname;
    std::optional<std::string> birthDate = std::nullopt;   // Date<n>, absent when nothing
    std::optional<std::string> resumeDate = std::nullopt;  // Proch<n>, absent when nothing
};

// The text of a data file: Rappel/Jours when a horizon is given, then the slots 1, 2, 3 … in order.
inline std::string dataFileText(std::optional<std::string> horizon, const std::vector<TestPerson>& people) {
    std::string text;
    if (horizon) text += "[Rappel]\nJours=" + *horizon + "\n";
    text += "[Velorine]\n";
    int slot = 0;
    for (const TestPerson& person : people) {
        const std::string n = std::to_string(++slot);
        text += "Nom" + n + "=" + person.surname + "\nPren" + n + "=" + person.firstName + "\n";
        if (person.birthDate) text += "Date" + n + "=" + *person.birthDate + "\n";
        if (person.resumeDate) text += "Proch" + n + "=" + *person.resumeDate + "\n";
    }
    return text;
}

inline store::IniDocument documentOf(const std::string& utf8Text) {
    return store::IniDocument::parse(cp1252(utf8Text));
}

inline std::vector<ReminderEntry> reminderEntries(const std::string& utf8Text, const store::CalendarDate& reference,
                                                  bool nameDays = true) {
    return buildReminderList(documentOf(utf8Text), builtInCalendar(), nameDays, reference);
}

// The lines shown, in UTF-8.
inline std::vector<std::string> reminderLines(const std::string& utf8Text, const store::CalendarDate& reference,
                                              bool nameDays = true) {
    std::vector<std::string> lines;
    for (const ReminderEntry& entry : reminderEntries(utf8Text, reference, nameDays))
        lines.push_back(store::cp1252ToUtf8(entry.text));
    return lines;
}

}  // namespace velorine::reminders

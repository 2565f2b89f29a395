// Lookup by first name and by date, checked against the rules written as plain scans of the list.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "name_day_test_support.h"

namespace velorine::reminders {
namespace {

// An entry belongs to a first name when its text begins with that name immediately followed by
// "|"; its feast is the two digits after "|" and the two digits after "/".
std::vector<FeastDay> scanFeastDays(const NameDayList& list, std::string_view firstName) {
    const std::string key = std::string(firstName) + "|";
    std::vector<FeastDay> found;
    for (const std::string& text : list.texts()) {
        if (text.compare(0, key.size(), key) != 0) continue;
        const std::size_t slash = text.find('/', key.size());
        found.push_back({std::stoi(text.substr(key.size(), 2)), std::stoi(text.substr(slash + 1, 2))});
    }
    return found;
}

// The names of day/month are the texts before "|" of the entries whose text, from "|" on,
// reads "|%02d/%02d".
std::vector<std::string> scanNamesOn(const NameDayList& list, int day, int month) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "|%02d/%02d", day, month);
    std::vector<std::string> names;
    for (const std::string& text : list.texts()) {
        const std::size_t bar = text.find('|');
        if (text.substr(bar) == suffix) names.push_back(text.substr(0, bar));
    }
    return names;
}

std::vector<FeastDay> feastDaysOf(std::string_view firstNameUtf8) {
    const auto found = builtInCalendar().feastDaysOf(cp1252(firstNameUtf8));
    return {found.begin(), found.end()};
}

TEST(NameDayLookupByName, MatchesTheWholeNameOnly) {
    const struct {
        const char* firstName;
        std::vector<FeastDay> feastDays;
    } cases[] = {
        {"Abel", {{5, 8}}},
        {"Abella", {{5, 8}}},
        {"Marie", {{1, 1}, {15, 8}}},
        {"Jeanne", {{8, 5}, {30, 5}}},
        {"François", {{4, 10}}},
        {"François(d'Assises)", {{4, 10}}},
        {"Jean", {{27, 12}}},
        {"Jean-Baptiste", {{24, 6}}},
        {"Jean-Marie", {{4, 8}}},
        {"Yves", {{19, 5}}},
        {"Hélène", {{18, 8}}},
        {"Auguste", {{29, 2}}},
        {"Zoé", {{2, 5}}},
        // Case, accents, compounds, blanks and the separator itself all count.
        {"jean", {}},
        {"JEAN", {}},
        {"Helene", {}},
        {"Jean-Pierre", {}},
        {"Jean ", {}},
        {" Jean", {}},
        {"Jean Marie", {}},
        {"Abe", {}},
        {"", {}},
        {"|", {}},
        {"Abel|", {}},
        {"Abel|05/08", {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(feastDaysOf(test.firstName), test.feastDays) << '"' << test.firstName << '"';
    }
}

TEST(NameDayLookupByName, ComparesWindows1252BytesNotUtf8) {
    EXPECT_TRUE(builtInCalendar().feastDaysOf("Hélène").empty());  // the UTF-8 bytes of the source
    EXPECT_EQ(feastDaysOf("Hélène"), (std::vector<FeastDay>{{18, 8}}));
}

TEST(NameDayLookupByName, AgreesWithAScanOfTheListForEveryName) {
    const NameDayList& calendar = builtInCalendar();
    std::vector<std::string> firstNames;
    for (const std::string& text : calendar.texts()) {
        const std::string name = text.substr(0, text.find('|'));
        firstNames.push_back(name);
        firstNames.push_back(name.substr(0, name.size() - 1));  // a prefix: "Abel" of "Abella"
        firstNames.push_back(name + "e");                       // an extension: "Jeanne" of "Jean"
        firstNames.push_back(text);                             // the whole text
    }
    for (const char* other : {"", "|", "Jean-Pierre", "jean", "Inconnu", "Marie ", "|05/08"}) {
        firstNames.push_back(other);
    }
    for (const std::string& firstName : firstNames) {
        const auto indexed = calendar.feastDaysOf(firstName);
        EXPECT_EQ(std::vector<FeastDay>(indexed.begin(), indexed.end()), scanFeastDays(calendar, firstName))
            << store::cp1252ToUtf8(firstName);
    }
}

TEST(NameDayLookupByDate, GivesTheNamesOfTheDayInTableOrder) {
    const struct {
        int day;
        int month;
        std::vector<std::string> names;
    } cases[] = {
        {5, 8, {"Abel", "Abella", "Oswald"}},  // the names of tomorrow on 4 August
        {31, 12, {"Colombe", "Sylvestre"}},
        {29, 2, {"Auguste"}},
        {2, 11, {}},
        {25, 12, {"Emmanuel", "Emmanuelle", "Manoël", "Manuel", "Noël", "Noëlle"}},
    };
    for (const auto& test : cases) {
        std::vector<std::string> expected;
        for (const std::string& name : test.names) expected.push_back(cp1252(name));
        EXPECT_EQ(builtInCalendar().namesOn(test.day, test.month), expected) << test.day << '/' << test.month;
    }
}

TEST(NameDayLookupByDate, TakesTheDayAsGivenWithoutMovingTwentyNineFebruary) {
    for (const std::string& name : builtInCalendar().namesOn(1, 3)) EXPECT_NE(name, "Auguste");
}

// The names of a day as the reminders count feasts: 29/02 falls on 1 March in a common year.
TEST(NameDayLookupByDate, NamesCelebratedOnADateAgreeWithTheReminders) {
    const struct {
        store::CalendarDate date;
        std::vector<std::string> names;
    } cases[] = {
        {{1, 3, 2027}, {"Albin", "Aubin", "Auguste"}},  // table order across both days
        {{1, 3, 2028}, {"Albin", "Aubin"}},
        {{29, 2, 2028}, {"Auguste"}},
        {{1, 3, 2100}, {"Albin", "Aubin", "Auguste"}},  // 2100 has no 29 February
        {{1, 3, 2000}, {"Albin", "Aubin"}},
        {{28, 2, 2027}, {"Antoinette", "Romain"}},
        {{5, 8, 2026}, {"Abel", "Abella", "Oswald"}},
    };
    for (const auto& test : cases) {
        std::vector<std::string> expected;
        for (const std::string& name : test.names) expected.push_back(cp1252(name));
        EXPECT_EQ(builtInCalendar().namesCelebratedOn(test.date), expected)
            << test.date.day << '/' << test.date.month << '/' << test.date.year;
    }
}

// Numbers that are not a day (0, 32, 30 February, 31 April, month 13, negatives) included.
TEST(NameDayLookupByDate, AgreesWithAScanOfTheListForEveryDay) {
    const NameDayList& calendar = builtInCalendar();
    for (int month = -1; month <= 13; ++month) {
        for (int day = -1; day <= 32; ++day) {
            EXPECT_EQ(calendar.namesOn(day, month), scanNamesOn(calendar, day, month)) << day << '/' << month;
        }
    }
}

}  // namespace
}  // namespace velorine::reminders

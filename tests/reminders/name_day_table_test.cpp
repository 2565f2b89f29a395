// The figures of the built-in calendar, so that an edit of resources/namedays.txt cannot change
// them unnoticed.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "name_day_test_support.h"
#include "store/civil_calendar.h"

namespace velorine::reminders {
namespace {

std::string namePartOf(const std::string& text) { return text.substr(0, text.find('|')); }

std::vector<FeastDay> daysOfALeapYear() {
    std::vector<FeastDay> days;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= store::daysInMonth(month, 2024); ++day) {
            days.push_back({day, month});
        }
    }
    return days;
}

TEST(NameDayTable, HoldsTheTellingRowsAtTheirIdentifiers) {
    const std::vector<std::string>& texts = builtInCalendar().texts();
    ASSERT_EQ(texts.size(), 1011u);
    const std::pair<int, const char*> rows[] = {
        {1, "Abel|05/08"},
        {2, "Abella|05/08"},
        {3, "Abraham|20/12"},
        {111, "Auguste|29/02"},
        {371, "François(d'Assises)|04/10"},
        {500, "Jasmine|05/10"},
        {501, "J-BdelaS|07/04"},  // an exception to the order
        {503, "Jean|27/12"},
        {504, "Jean-Baptiste|24/06"},
        {561, "L'Annonciation|25/03"},
        {653, "Marie|01/01"},
        {654, "Marie|15/08"},
        {921, "Sylvestre|31/12"},
        {1010, "Zita|27/04"},
        {1011, "Zoé|02/05"},
    };
    for (const auto& [identifier, text] : rows) {
        EXPECT_EQ(texts[identifier - 1], cp1252(text)) << "identifier " << identifier;
    }
}

TEST(NameDayTable, EveryEntryIsANameOfTheCalendarAlphabetAndARealDay) {
    // â ç è é ë î ï ô in Windows-1252.
    const std::set<unsigned char> accented = {0xE2, 0xE7, 0xE8, 0xE9, 0xEB, 0xEE, 0xEF, 0xF4};
    for (const std::string& text : builtInCalendar().texts()) {
        SCOPED_TRACE(store::cp1252ToUtf8(text));
        const std::size_t bar = text.find('|');
        ASSERT_NE(bar, std::string::npos);
        EXPECT_GE(bar, 3u);
        EXPECT_LE(bar, 19u);
        for (const char c : text.substr(0, bar)) {
            const auto byte = static_cast<unsigned char>(c);
            const bool letter =
                (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || accented.count(byte) > 0;
            const bool sign = byte == '-' || byte == '\'' || byte == '(' || byte == ')';
            EXPECT_TRUE(letter || sign) << "byte " << int(byte);
        }
        const std::string date = text.substr(bar + 1);
        ASSERT_EQ(date.size(), 5u);
        const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
        ASSERT_TRUE(isDigit(date[0]) && isDigit(date[1]) && date[2] == '/' && isDigit(date[3]) && isDigit(date[4]));
        const int day = std::stoi(date.substr(0, 2));
        const int month = std::stoi(date.substr(3, 2));
        EXPECT_GE(day, 1);
        EXPECT_LE(day, store::daysInMonth(month, 2024));
    }
}

TEST(NameDayTable, HasOneThousandAndFourNamesSevenOfThemOnTwoDates) {
    const NameDayList& calendar = builtInCalendar();
    std::set<std::string> names;
    for (const std::string& text : calendar.texts()) names.insert(namePartOf(text));
    EXPECT_EQ(names.size(), 1004u);

    std::map<std::string, std::vector<FeastDay>> twice;
    for (const std::string& name : names) {
        const auto feastDays = calendar.feastDaysOf(name);
        if (feastDays.size() > 1) {
            twice[store::cp1252ToUtf8(name)].assign(feastDays.begin(), feastDays.end());
        }
    }
    const std::map<std::string, std::vector<FeastDay>> expected = {
        {"Bertrand", {{6, 9}, {16, 10}}}, {"Florent", {{3, 1}, {4, 7}}},  {"Jeanne", {{8, 5}, {30, 5}}},
        {"Marie", {{1, 1}, {15, 8}}},     {"Ninon", {{6, 12}, {15, 12}}}, {"Thérèse", {{1, 10}, {15, 10}}},
        {"Tino", {{14, 2}, {21, 5}}},
    };
    EXPECT_EQ(twice, expected);
}

TEST(NameDayTable, Has358DaysWithNamesAndEightWithout) {
    std::vector<FeastDay> empty;
    int daysWithNames = 0;
    for (const FeastDay& day : daysOfALeapYear()) {
        if (builtInCalendar().namesOn(day.day, day.month).empty()) {
            empty.push_back(day);
        } else {
            ++daysWithNames;
        }
    }
    EXPECT_EQ(daysWithNames, 358);
    const std::vector<FeastDay> expected = {{11, 2}, {21, 2}, {27, 5}, {23, 10}, {2, 11}, {28, 11}, {29, 11}, {23, 12}};
    EXPECT_EQ(empty, expected);
}

TEST(NameDayTable, CountsDaysByNumberOfNames) {
    std::map<std::size_t, int> daysByCount;
    for (const FeastDay& day : daysOfALeapYear()) {
        const std::size_t count = builtInCalendar().namesOn(day.day, day.month).size();
        if (count > 0) ++daysByCount[count];
    }
    const std::map<std::size_t, int> expected = {
        {1, 114}, {2, 95}, {3, 55}, {4, 33}, {5, 24}, {6, 17}, {7, 7},
        {8, 3},   {9, 4},  {11, 1}, {12, 2}, {14, 2}, {16, 1},
    };
    EXPECT_EQ(daysByCount, expected);
}

TEST(NameDayTable, HasItsLargestDaysOnFourOctoberFifteenAugustAndSeventeenNovember) {
    const std::vector<std::string> october4 = builtInCalendar().namesOn(4, 10);
    ASSERT_EQ(october4.size(), 16u);
    EXPECT_EQ(october4.front(), "Aure");
    EXPECT_EQ(october4.back(), "Orianne");
    EXPECT_EQ(builtInCalendar().namesOn(15, 8).size(), 14u);
    EXPECT_EQ(builtInCalendar().namesOn(17, 11).size(), 14u);
}

TEST(NameDayTable, HoldsTheQualifiedHyphenatedAndOtherListedEntries) {
    const char* const listed[] = {
        // Qualified: one particular saint each.
        "Antoine(ab)|17/01",
        "Antoine(dePadoue)|13/06",
        "Bernard(deC)|20/08",
        "Bernard(deM)|15/06",
        "Catherine(L)|25/11",
        "Christiane(Nino)|15/12",
        "Claude(Bx)|15/02",
        "François(d'Assises)|04/10",
        "François(dePaul)|02/04",
        "François(deSales)|24/01",
        "Germain(d'A)|31/07",
        "Germain(deP)|28/05",
        "Ignace(deL)|31/07",
        "Irma(deS)|04/09",
        "Jacques(Min)|03/05",
        "Jean(deB)|24/06",
        "Jeanne(deC)|12/12",
        "Louis(deG)|21/06",
        "Thomas(d'Aquin)|28/01",
        "Vincent(dePaul)|27/09",
        // Hyphenated and abbreviated.
        "Benoit-Joseph|16/04",
        "Françoise-Xavière|22/12",
        "François-Xavier|03/12",
        "J-BdelaS|07/04",
        "Jean-Baptiste|24/06",
        "Jean-Marie|04/08",
        "Louis-Marie|28/04",
        "Marguerite-M|16/11",
        "Marie-Line|18/09",
        "Marie-Madeleine|22/07",
        // Feasts rather than first names.
        "Noël|25/12",
        "Noëlle|25/12",
        "Toussaint|01/11",
        "Toussainte|01/11",
        // Dates that the reminder texts and the reminder window rely on.
        "Yves|19/05",
        "Hélène|18/08",
        "Jeanne|08/05",
        "Colombe|31/12",
        "Guy|12/06",
        "Jasmine|05/10",
        "François|04/10",
    };
    const std::vector<std::string>& texts = builtInCalendar().texts();
    for (const char* entry : listed) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), cp1252(entry)), texts.end()) << entry;
    }
}

}  // namespace
}  // namespace velorine::reminders

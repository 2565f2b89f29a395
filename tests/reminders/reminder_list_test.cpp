// The reminder list built from a data file: which birthdays are due, their lines, the resume dates
// they carry, and the order of the entries.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reminder_test_support.h"

namespace velorine::reminders {
namespace {

using store::CalendarDate;

struct ExpectedEntry {
    int slot;
    std::string line;
    std::string resumeDate;  // "%d %d %d", empty for none
    friend bool operator==(const ExpectedEntry&, const ExpectedEntry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ExpectedEntry& e) {
        return out << e.slot << " \"" << e.line << "\" " << e.resumeDate;
    }
};

std::vector<ExpectedEntry> entriesOf(const std::string& utf8Text, const CalendarDate& reference) {
    std::vector<ExpectedEntry> entries;
    for (const ReminderEntry& entry : reminderEntries(utf8Text, reference))
        entries.push_back({entry.slot, store::cp1252ToUtf8(entry.text),
                           entry.resumeDate ? store::dayText(*entry.resumeDate) : std::string()});
    return entries;
}

// The person of the example in slot 3, after two people who are never due in the examples.
std::vector<TestPerson> inSlotThree(TestPerson person) {
    return {{"Paul", "Roux", "10/10/1980"}, {"Zoé", "Blanc", "15/09/1990"}, std::move(person)};
}

TEST(ReminderList, FollowsTheWorkedExamples) {
    const TestPerson anne{"Anne", "Martin", "05/03/1970"};
    std::vector<TestPerson> yvesInSlotFive = inSlotThree({"Luc", "Morel", "10/10/1985"});
    yvesInSlotFive.push_back({"Anne", "Moreau", "20/11/1975"});
    yvesInSlotFive.push_back({"Yves", "Durand", "01/09/1975"});
    const struct {
        CalendarDate reference;
        std::vector<TestPerson> people;
        std::vector<ExpectedEntry> entries;
    } cases[] = {
        {{1, 3, 2026}, inSlotThree(anne), {{3, "Anne Martin aura 56 ans le 05/03/2026 (dans 4 jours)", "5 3 2026"}}},
        // Today's birthday is silenced for today only: next year's reminders come as usual.
        {{5, 3, 2026}, inSlotThree(anne), {{3, "Anne Martin a 56 ans AUJOURD'HUI !!", "6 3 2026"}}},
        {{30, 12, 2026},
         inSlotThree({"Luc", "Girard", "01/01/1990"}),
         {{3, "Luc Girard aura 37 ans le 01/01/2027 (dans 2 jours)", "1 1 2027"}}},
        // A name-day line holds nothing back: the birthday was not on the screen.
        {{18, 5, 2026}, yvesInSlotFive, {{5, "Ce sera la fete d'Yves Durand DEMAIN !!", ""}}},
        {{27, 12, 2026},
         inSlotThree({"Jean", "Petit", "14/02/1960"}),
         {{3, "C'est la fête de Jean Petit AUJOURD'HUI !!", ""}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(entriesOf(dataFileText("7", c.people), c.reference), c.entries) << store::displayDate(c.reference);
}

// Six people whose birthdays come in 0, 1, 2, 7, 8 and 200 days from 10 June 2026.
TEST(ReminderList, TakesTheHorizonAsAPlainIntegerOfAtMostNineCharacters) {
    const std::vector<TestPerson> people = {{"P", "Zero", "10/06/2000"}, {"P", "Un", "11/06/2000"},
                                            {"P", "Deux", "12/06/2000"}, {"P", "Sept", "17/06/2000"},
                                            {"P", "Huit", "18/06/2000"}, {"P", "Deux-cents", "27/12/2000"}};
    const struct {
        std::optional<std::string> horizon;
        std::vector<int> dueSlots;
    } cases[] = {
        {std::nullopt, {1, 2, 3, 4}},
        {"7", {1, 2, 3, 4}},
        {"0", {1}},
        {"1", {1, 2}},
        {"8", {1, 2, 3, 4, 5}},
        {"", {1}},  // present but empty: no digits
        {"abc", {1}},
        {"-0", {1}},
        {"-1", {}},
        {"-999", {}},
        {"2 jours", {1, 2, 3}},
        {"+2", {1, 2, 3}},
        {"  2", {1, 2, 3}},
        {"999999999", {1, 2, 3, 4, 5, 6}},
        {"99999999999999", {1, 2, 3, 4, 5, 6}},  // cut to nine characters, still huge
        {"0000000008", {1}},                     // cut to nine characters: "000000000"
        {"-99999999999", {}},
    };
    for (const auto& c : cases) {
        std::vector<int> slots;
        for (const ReminderEntry& entry : reminderEntries(dataFileText(c.horizon, people), {10, 6, 2026}, false))
            slots.push_back(entry.slot);
        EXPECT_EQ(slots, c.dueSlots) << '"' << c.horizon.value_or("(absent)") << '"';
    }
}

TEST(ReminderList, GivesTheAgeAtTheOccurrenceWhateverItIs) {
    const struct {
        const char* birthDate;
        const char* line;
    } cases[] = {
        {"10/06/2026", "Zoé Roux a 0 ans AUJOURD'HUI !!"},
        {"10/06/2025", "Zoé Roux a 1 an AUJOURD'HUI !!"},
        {"11/06/2025", "Zoé Roux aura 1 an DEMAIN !!"},
        {"13/06/2026", "Zoé Roux aura 0 ans le 13/06/2026 (dans 3 jours)"},
        {"12/06/2027", "Zoé Roux aura -1 ans le 12/06/2026 (dans 2 jours)"},
        {"12/06/1926", "Zoé Roux aura 100 ans le 12/06/2026 (dans 2 jours)"},
        {"5/6/1926", "Zoé Roux aura 101 ans le 05/06/2027 (dans 360 jours)"},  // one digit per field scans
        {"12/06/80", "Zoé Roux aura 1946 ans le 12/06/2026 (dans 2 jours)"},   // the year 80, not 1980
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reminderLines(dataFileText("365", {{"Zoé", "Roux", c.birthDate}}), {10, 6, 2026}, false),
                  std::vector<std::string>{c.line})
            << c.birthDate;
    }
}

// A birthday from an address book that gave no year: stored in 1604, announced without an age; a
// real birth in 1605 keeps its age.
TEST(ReminderList, AnnouncesABirthdayOfAnUnknownYearWithoutAnAge) {
    const struct {
        const char* birthDate;
        const char* line;
    } cases[] = {
        {"10/06/1604", "Zoé Roux fête son anniversaire AUJOURD'HUI !!"},
        {"11/06/1604", "Zoé Roux fêtera son anniversaire DEMAIN !!"},
        {"13/06/1604", "Zoé Roux fêtera son anniversaire le 13/06/2026 (dans 3 jours)"},
        {"29/02/1604", "Zoé Roux fêtera son anniversaire le 29/02/2027 (dans 264 jours)"},
        {"13/06/1605", "Zoé Roux aura 421 ans le 13/06/2026 (dans 3 jours)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reminderLines(dataFileText("365", {{"Zoé", "Roux", c.birthDate}}), {10, 6, 2026}, false),
                  std::vector<std::string>{c.line})
            << c.birthDate;
    }
}

TEST(ReminderList, RemindsTwentyNineFebruaryOnFirstMarchInOtherYears) {
    const struct {
        const char* horizon;
        CalendarDate reference;
        std::vector<ExpectedEntry> entries;
    } cases[] = {
        {"7", {20, 2, 2027}, {}},
        {"9",
         {20, 2, 2027},
         {{1, "Auguste Roux aura 47 ans le 29/02/2027 (dans 9 jours)", "29 2 2027"},
          {1, "Ce sera la fete d'Auguste Roux le 29/02/2027 (dans 9 jours)", ""}}},
        {"7",
         {28, 2, 2027},
         {{1, "Auguste Roux aura 47 ans DEMAIN !!", "29 2 2027"}, {1, "Ce sera la fete d'Auguste Roux DEMAIN !!", ""}}},
        {"7",
         {1, 3, 2027},
         {{1, "Auguste Roux a 47 ans AUJOURD'HUI !!", "2 3 2027"},
          {1, "C'est la fête d'Auguste Roux AUJOURD'HUI !!", ""}}},
        {"7",
         {29, 2, 2028},
         {{1, "Auguste Roux a 48 ans AUJOURD'HUI !!", "1 3 2028"},
          {1, "C'est la fête d'Auguste Roux AUJOURD'HUI !!", ""}}},
        {"7", {1, 3, 2028}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(entriesOf(dataFileText(c.horizon, {{"Auguste", "Roux", "29/02/1980"}}), c.reference), c.entries)
            << store::displayDate(c.reference) << ", horizon " << c.horizon;
    }
}

// Guy's birthday comes in two days (12 June), and so does his name day.
TEST(ReminderList, HoldsABirthdayBackUntilItsResumeDateButNeverItsNameDay) {
    const std::string birthdayLine = "Guy Roux aura 46 ans le 12/06/2026 (dans 2 jours)";
    const std::string nameDayLine = "Ce sera la fete de Guy Roux le 12/06/2026 (dans 2 jours)";
    const struct {
        std::optional<std::string> resumeDate;
        bool birthdayShown;
    } cases[] = {
        {std::nullopt, true},
        {"1 1 1990", true},
        {"9 6 2026", true},
        {"10 6 2026", true},  // the resume date itself
        {"11 6 2026", false},
        {"1 1 2027", false},
        {"11   6  2026", false},  // any white space between the numbers
        {"10 6 2026 et la suite", true},
        {"1 13 2026", false},  // month 13: after every day of 2026
        {"40 5 2026", true},   // "day 40 of May" comes before 10 June
        {"1 1 10000", false},  // a five-digit year is still later
        {"", true},            // a resume date that does not scan holds nothing back
        {"demain", true},
        {"11 6", true},
        {"11/6/2026", true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        if (c.birthdayShown) expected.push_back(birthdayLine);
        expected.push_back(nameDayLine);
        const std::string file = dataFileText("7", {{"Guy", "Roux", "12/06/1980", c.resumeDate}});
        EXPECT_EQ(reminderLines(file, {10, 6, 2026}), expected) << '"' << c.resumeDate.value_or("(absent)") << '"';
    }
}

TEST(ReminderList, BringsTheBirthdayBackOnTheResumeDateItself) {
    const std::string file = dataFileText("7", {{"Paul", "Roux", "12/06/1980", "12 6 2026"}});
    EXPECT_TRUE(reminderLines(file, {11, 6, 2026}).empty());
    EXPECT_EQ(reminderLines(file, {12, 6, 2026}), std::vector<std::string>{"Paul Roux a 46 ans AUJOURD'HUI !!"});
}

TEST(ReminderList, OrdersBySlotThenBirthdayBeforeNameDaysWhateverTheirDates) {
    const std::string file = dataFileText("7", {{"Hervé", "Blanc", "16/06/1980"},
                                                {"Guy", "Roux", "20/06/1970"},
                                                {"Landry", "Petit", "10/06/2000"},
                                                {"Yolande", "Morel", "15/06/1990"}});
    EXPECT_EQ(entriesOf(file, {10, 6, 2026}),
              (std::vector<ExpectedEntry>{
                  {1, "Hervé Blanc aura 46 ans le 16/06/2026 (dans 6 jours)", "16 6 2026"},
                  {1, "Ce sera la fete de Hervé Blanc le 17/06/2026 (dans 7 jours)", ""},
                  {2, "Ce sera la fete de Guy Roux le 12/06/2026 (dans 2 jours)", ""},
                  {3, "Landry Petit a 26 ans AUJOURD'HUI !!", "11 6 2026"},
                  {3, "C'est la fête de Landry Petit AUJOURD'HUI !!", ""},
                  {4, "Yolande Morel aura 36 ans le 15/06/2026 (dans 5 jours)", "15 6 2026"},
                  {4, "Ce sera la fete d'Yolande Morel DEMAIN !!", ""},
              }));
}

TEST(ReminderList, SkipsHolesAndStopsAtTheFirstAbsentSurname) {
    const std::string file =
        "[Velorine]\n"
        "Nom1=Martin\nPren1=Anne\nDate1=05/03/1970\n"
        "Nom2=\nPren2=\nDate2=\nAdress2=\nEmail2=\n"
        "Nom3=Roux\nPren3=Luc\nDate3=06/03/1980\n"
        "Pren4=Paul\nDate4=05/03/1990\n"
        "Nom5=Blanc\nPren5=Paul\nDate5=05/03/1990\n";
    EXPECT_EQ(entriesOf(file, {1, 3, 2026}),
              (std::vector<ExpectedEntry>{{1, "Anne Martin aura 56 ans le 05/03/2026 (dans 4 jours)", "5 3 2026"},
                                          {3, "Luc Roux aura 46 ans le 06/03/2026 (dans 5 jours)", "6 3 2026"}}));
}

TEST(ReminderList, EndsTheSlotsAtASurnameThatReadsLikeTheEndSentinel) {
    const std::string file = dataFileText(
        "7", {{"Anne", "Martin", "05/03/1970"}, {"Luc", "zldsdlelsd", "05/03/1970"}, {"Paul", "Blanc", "05/03/1990"}});
    EXPECT_EQ(reminderLines(file, {1, 3, 2026}),
              std::vector<std::string>{"Anne Martin aura 56 ans le 05/03/2026 (dans 4 jours)"});
}

// A hole normally has an empty first name; one edited by hand may have one. It has no birthday,
// only its name day.
TEST(ReminderList, RemindsAHolesNameDayWithoutABirthday) {
    const std::string file = "[Velorine]\nNom1=\nPren1=Landry\nDate1=10/06/2000\n";
    EXPECT_EQ(entriesOf(file, {10, 6, 2026}),
              (std::vector<ExpectedEntry>{{1, "C'est la fête de Landry  AUJOURD'HUI !!", ""}}));
    EXPECT_EQ(entriesOf(file, {8, 6, 2026}),
              (std::vector<ExpectedEntry>{{1, "Ce sera la fete de Landry  le 10/06/2026 (dans 2 jours)", ""}}));
}

TEST(ReminderList, GivesNoBirthdayForABirthDateThatIsNotADayOfTheYear) {
    const std::optional<std::string> birthDates[] = {
        std::nullopt, "",           "abc",        "12/06",      "12-06-1980", "/06/1980",    "31/02/1980",
        "30/02/1980", "31/06/1980", "00/06/1980", "12/00/1980", "12/13/1980", "-12/06/1980", "99999999999/06/1980",
    };
    for (const auto& birthDate : birthDates) {
        const std::string file = dataFileText("7", {{"Guy", "Roux", birthDate}});
        EXPECT_EQ(entriesOf(file, {10, 6, 2026}),
                  (std::vector<ExpectedEntry>{{1, "Ce sera la fete de Guy Roux le 12/06/2026 (dans 2 jours)", ""}}))
            << '"' << birthDate.value_or("(absent)") << '"';
    }
}

TEST(ReminderList, ReadsFirstNamesAndSurnamesCutTo127Characters) {
    const std::string file = dataFileText("7", {{std::string(200, 'a'), "Martin", "05/03/1970"},
                                                {"Anne", std::string(200, 'b'), "05/03/1970"},
                                                {std::string(60, 'c'), std::string(100, 'd'), "05/03/1970"}});
    const std::string tail = " aura 56 ans le 05/03/2026 (dans 4 jours)";
    EXPECT_EQ(reminderLines(file, {1, 3, 2026}),
              (std::vector<std::string>{std::string(127, 'a') + tail, "Anne " + std::string(122, 'b') + tail,
                                        std::string(60, 'c') + " " + std::string(66, 'd') + tail}));
}

TEST(ReminderList, IsEmptyWithoutSlotsOrForADateThatIsNotReal) {
    EXPECT_TRUE(reminderLines("", {10, 6, 2026}).empty());
    EXPECT_TRUE(reminderLines("[Velorine]\n", {10, 6, 2026}).empty());
    const std::string file = dataFileText("7", {{"Marie", "Roux", "28/02/1980"}});
    ASSERT_FALSE(reminderLines(file, {28, 2, 2026}).empty());
    for (const CalendarDate reference :
         {CalendarDate{31, 2, 2026}, CalendarDate{29, 2, 2027}, CalendarDate{0, 1, 2026}, CalendarDate{1, 13, 2026}})
        EXPECT_TRUE(reminderLines(file, reference).empty()) << store::displayDate(reference);
}

}  // namespace
}  // namespace velorine::reminders

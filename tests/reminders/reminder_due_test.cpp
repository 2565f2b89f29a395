// The due test of the automatic start, read from a file on disk, and its agreement with the list.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "reminder_test_support.h"
#include "reminders/reminder_settings.h"
#include "store/civil_calendar.h"
#include "support/temp_dir.h"

namespace velorine::reminders {
namespace {

using store::CalendarDate;
using testing::TempDir;
using testing::writeFile;

class ReminderDueTest : public ::testing::Test {
protected:
    TempDir directory;
    std::string path = directory.file("velor.ini");

    void givenFile(const std::string& utf8Text) { writeFile(path, cp1252(utf8Text)); }
};

TEST_F(ReminderDueTest, FindsNothingDueWithoutADataFile) { EXPECT_FALSE(isAnythingDue(path, true, {1, 1, 2026})); }

TEST_F(ReminderDueTest, AnswersForBirthdaysAndNameDaysAtTheReferenceDate) {
    givenFile(dataFileText(std::nullopt, {{"Paul", "Roux", "10/10/1980"},
                                          {"Yves", "Durand", "01/09/1975"},
                                          {"Anne", "Martin", "05/03/1970", "1 3 2026"}}));
    EXPECT_FALSE(isAnythingDue(path, false, {28, 2, 2026}));  // Anne held back until 1 March
    EXPECT_TRUE(isAnythingDue(path, false, {1, 3, 2026}));    // Anne in 4 days
    EXPECT_FALSE(isAnythingDue(path, false, {6, 3, 2026}));
    EXPECT_FALSE(isAnythingDue(path, false, {18, 5, 2026}));
    EXPECT_TRUE(isAnythingDue(path, true, {18, 5, 2026}));  // Yves's name day tomorrow
    EXPECT_FALSE(isAnythingDue(path, true, {31, 2, 2026}));
}

TEST_F(ReminderDueTest, ReadsTheHorizonFromTheFile) {
    givenFile(dataFileText("-1", {{"Paul", "Roux", "01/03/1980"}}));
    EXPECT_FALSE(isAnythingDue(path, true, {1, 3, 2026}));
    givenFile(dataFileText("0", {{"Paul", "Roux", "01/03/1980"}}));
    EXPECT_TRUE(isAnythingDue(path, true, {1, 3, 2026}));
    EXPECT_FALSE(isAnythingDue(path, true, {28, 2, 2026}));
}

TEST(ReminderSettings, ReadTheNameDayOptionByItsFirstCharacter) {
    const struct {
        const char* file;
        bool nameDays;
    } cases[] = {
        {"", false},
        {"[Options]\n", false},
        {"[Options]\nRappelFete=0\n", false},
        {"[Options]\nRappelFete=01\n", false},
        {"[Options]\nRappelFete= 0 \n", false},
        {"[Options]\nRappelFete=1\n", true},
        {"[Options]\nRappelFete=\n", true},
        {"[Options]\nRappelFete=non\n", true},
        {"[options]\nrappelfete=1\n", true},
    };
    for (const auto& c : cases) EXPECT_EQ(nameDayRemindersIn(documentOf(c.file)), c.nameDays) << c.file;
}

// Random data files, odd values included, and random dates: whenever the list is empty the due
// test says nothing is due, and the other way round.
class RandomDataFile {
public:
    explicit RandomDataFile(unsigned seed) : random_(seed) {}

    // Most birthdays fall a few days around the reference date, where the horizon decides.
    std::string text(const CalendarDate& reference) {
        static const std::vector<std::optional<std::string>> horizons = {std::nullopt, "0",  "1",   "7", "7",
                                                                         "30",         "-1", "abc", "",  "400"};
        std::vector<TestPerson> people(random_() % 8);
        for (TestPerson& person : people) person = this->person(reference);
        return dataFileText(pick(horizons), people);
    }
    CalendarDate date() { return store::addDays({1, 1, 1990}, static_cast<long long>(random_() % 40000)); }
    bool coin() { return random_() % 2 == 0; }

private:
    TestPerson person(const CalendarDate& reference) {
        static const std::vector<std::string> firstNames = {"Jean", "Marie", "Yves",    "Hélène",      "Auguste", "Guy",
                                                            "jean", "",      "Inconnu", "Jean-Pierre", "Landry"};
        static const std::vector<std::string> surnames = {"Martin", "Roux", "", "Petit"};
        TestPerson person{pick(firstNames), pick(surnames), std::nullopt, std::nullopt};
        switch (random_() % 6) {
            case 0: person.birthDate = "31/02/1980"; break;
            case 1: person.birthDate = "abc"; break;
            case 2: break;
            default: {
                const CalendarDate near = store::addDays(reference, static_cast<long long>(random_() % 16) - 3);
                person.birthDate = store::displayDate({near.day, near.month, 1900 + static_cast<int>(random_() % 150)});
            }
        }
        switch (random_() % 4) {
            case 0: person.resumeDate = store::dayText(date()); break;
            case 1: person.resumeDate = "pas une date"; break;
            default: break;
        }
        return person;
    }
    template <typename T>
    T pick(const std::vector<T>& list) {
        return list[random_() % list.size()];
    }
    std::mt19937 random_;
};

TEST_F(ReminderDueTest, AgreesWithTheListOnRandomFilesAndDates) {
    RandomDataFile generator(20261208);
    int due = 0;
    constexpr int kRounds = 600;
    for (int round = 0; round < kRounds; ++round) {
        const CalendarDate reference = generator.date();
        const std::string file = generator.text(reference);
        givenFile(file);
        const bool nameDays = generator.coin();
        const bool listed = !buildReminderList(documentOf(file), builtInCalendar(), nameDays, reference).empty();
        ASSERT_EQ(isAnythingDue(path, nameDays, reference), listed)
            << file << "name days " << nameDays << ", " << store::displayDate(reference);
        due += listed;
    }
    // Both answers occur often enough for the agreement to mean something.
    EXPECT_GT(due, kRounds / 10);
    EXPECT_LT(due, kRounds * 9 / 10);
}

}  // namespace
}  // namespace velorine::reminders

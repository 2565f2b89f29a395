// The answers of the reminder window as the data file keeps them, and what the next starts make of
// them: the gate's next reminder day and the resume dates the engine holds birthdays back with.
#include "reminders/reminder_answers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "reminder_test_support.h"
#include "store/data_file.h"
#include "store/record_store.h"
#include "support/temp_dir.h"

namespace velorine::reminders {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class ReminderAnswersTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir.file("velor.ini");

    std::string value(std::string_view section, std::string_view key) const {
        return store::readValue(file, section, key, "absent", 128);
    }
};

TEST_F(ReminderAnswersTest, TheNextReminderDayIsTodayOrTheCalendarDayAfter) {
    const struct {
        store::CalendarDate today;
        std::string keep;
        std::string tomorrow;
    } cases[] = {
        {{6, 12, 2026}, "6 12 2026", "7 12 2026"}, {{31, 12, 2026}, "31 12 2026", "1 1 2027"},
        {{28, 2, 2027}, "28 2 2027", "1 3 2027"},  {{28, 2, 2028}, "28 2 2028", "29 2 2028"},
        {{28, 2, 2100}, "28 2 2100", "1 3 2100"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(keepReminding(file, c.today));
        EXPECT_EQ(value("Rappel", "Date"), c.keep);
        ASSERT_TRUE(quietUntilTomorrow(file, c.today));
        EXPECT_EQ(value("Rappel", "Date"), c.tomorrow);
    }
}

TEST_F(ReminderAnswersTest, NotBeforeTheNextBirthdayWritesTheResumeDateOfEveryBirthdayLine) {
    writeFile(file, "[Velorine]\r\nNom1=Roux\r\nPren1=Yves\r\nDate1=19/05/1970\r\n");
    const std::vector<ReminderEntry> entries = {
        {"Yves Roux aura 56 ans DEMAIN !!", 1, store::CalendarDate{19, 5, 2026}},
        {"Ce sera la fete d'Yves Roux DEMAIN !!", 1, std::nullopt},
        {"Ce sera la fete d'Odile Blanc DEMAIN !!", 2, std::nullopt},
        {"Auguste Petit aura 47 ans le 29/02/2027 (dans 9 jours)", 12, store::CalendarDate{29, 2, 2027}},
    };
    ASSERT_TRUE(holdBackUntilNextBirthday(file, entries));
    EXPECT_EQ(value("Velorine", "Proch1"), "19 5 2026");
    EXPECT_EQ(value("Velorine", "Proch2"), "absent");
    EXPECT_EQ(value("Velorine", "Proch12"), "29 2 2027");
    // One key per slot, however many entries named it.
    EXPECT_EQ(readFile(file).find("Proch1="), readFile(file).rfind("Proch1="));
}

TEST_F(ReminderAnswersTest, FailedWritesAreReportedAndChangeNothing) {
    writeFile(file, "[Rappel]\r\nDate=1 1 1990\r\n");
    ::chmod(file.c_str(), 0444);
    const std::string before = readFile(file);
    EXPECT_FALSE(keepReminding(file, {6, 12, 2026}));
    EXPECT_FALSE(quietUntilTomorrow(file, {6, 12, 2026}));
    EXPECT_FALSE(holdBackUntilNextBirthday(file, {{"x", 1, store::CalendarDate{19, 5, 2026}}}));
    EXPECT_EQ(readFile(file), before);
    EXPECT_FALSE(keepReminding(dir.file("absent/velor.ini"), {6, 12, 2026}));
}

// "Non" at logon, then the starts that follow, each compacting the list first: compaction must not
// undo the answer, and the answer silences only the occurrences that were on the screen.
class NotBeforeTheNextBirthdayTest : public ReminderAnswersTest {
protected:
    void SetUp() override {
        // A hole before the people, so that every compaction moves them to another slot.
        writeFile(file, cp1252(dataFileText("7", {{"Éva", "Vide", std::string("01/01/1990")},
                                                  {"Anne", "Martin", std::string("09/12/1990")},
                                                  {"Léon", "Petit", std::string("09/12/2001")},
                                                  {"Odile", "Blanc", std::string("20/01/1980")},
                                                  {"Zoé", "Roux", std::string("12/12/2019")}})));
        ASSERT_EQ(*store::RecordStore(file).deleteRecord({"Vide", cp1252("Éva"), "01/01/1990"}),
                  store::RecordChange::Done);
    }

    std::vector<ReminderEntry> entriesOn(const store::CalendarDate& day) {
        EXPECT_TRUE(store::RecordStore(file).compact());
        return buildReminderList(store::snapshot(file), builtInCalendar(), true, day);
    }
    std::vector<std::string> linesOn(const store::CalendarDate& day) {
        std::vector<std::string> lines;
        for (const ReminderEntry& entry : entriesOn(day)) lines.push_back(store::cp1252ToUtf8(entry.text));
        return lines;
    }
};

TEST_F(NotBeforeTheNextBirthdayTest, SilencesOnlyTheOccurrencesListed) {
    // 9 December 2026: two birthdays today, Odile's name day (14/12) in five days, Zoé's birthday
    // in three.
    ASSERT_EQ(linesOn({9, 12, 2026}), (std::vector<std::string>{
                                          "Anne Martin a 36 ans AUJOURD'HUI !!",
                                          "Léon Petit a 25 ans AUJOURD'HUI !!",
                                          "Ce sera la fete d'Odile Blanc le 14/12/2026 (dans 5 jours)",
                                          "Zoé Roux aura 7 ans le 12/12/2026 (dans 3 jours)",
                                      }));
    ASSERT_TRUE(holdBackUntilNextBirthday(file, entriesOn({9, 12, 2026})));

    const struct {
        store::CalendarDate day;
        std::vector<std::string> lines;
    } cases[] = {
        // The rest of the day: name days only, never held back.
        {{9, 12, 2026}, {"Ce sera la fete d'Odile Blanc le 14/12/2026 (dans 5 jours)"}},
        {{11, 12, 2026}, {"Ce sera la fete d'Odile Blanc le 14/12/2026 (dans 3 jours)"}},
        // A birthday announced for a later day comes back on the day itself.
        {{12, 12, 2026},
         {"Ce sera la fete d'Odile Blanc le 14/12/2026 (dans 2 jours)", "Zoé Roux a 7 ans AUJOURD'HUI !!"}},
        // Odile was listed for her name day only: her birthday's reminders come as usual.
        {{15, 1, 2027}, {"Odile Blanc aura 47 ans le 20/01/2027 (dans 5 jours)"}},
        // Today's birthdays: next year's reminders come as usual.
        {{4, 12, 2027},
         {"Anne Martin aura 37 ans le 09/12/2027 (dans 5 jours)",
          "Léon Petit aura 26 ans le 09/12/2027 (dans 5 jours)"}},
    };
    for (const auto& c : cases) EXPECT_EQ(linesOn(c.day), c.lines) << store::displayDate(c.day);
}

// What an earlier version wrote for a birthday answered on the day (the same day of the next year)
// keeps its meaning: that birthday stays quiet until then.
TEST_F(NotBeforeTheNextBirthdayTest, ResumeDatesOfEarlierVersionsKeepTheirMeaning) {
    ASSERT_TRUE(store::writeValue(file, "Velorine", "Proch2", "9 12 2027"));
    EXPECT_EQ(linesOn({4, 12, 2027}), std::vector<std::string>{"Léon Petit aura 26 ans le 09/12/2027 (dans 5 jours)"});
    EXPECT_EQ(linesOn({9, 12, 2027}).front(), "Anne Martin a 37 ans AUJOURD'HUI !!");
}

}  // namespace
}  // namespace velorine::reminders

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

TEST_F(ReminderAnswersTest, NotBeforeTheNextBirthdayWritesEveryEntryInOrder) {
    writeFile(file, "[Velorine]\r\nNom1=Roux\r\nPren1=Yves\r\nDate1=19/05/1970\r\n");
    const std::vector<ReminderEntry> entries = {
        {"Yves Roux aura 56 ans DEMAIN !!", 1, "19/05/2026"},
        {"Ce sera la fete d'Yves Roux DEMAIN !!", 1, "19/05/2026"},
        {"Anne Martin a 30 ans AUJOURD'HUI !!", 3, "08/12/2027"},
        {"Auguste Petit aura 47 ans le 29/02/2027 (dans 9 jours)", 12, "29/02/2027"},
    };
    ASSERT_TRUE(holdBackUntilNextBirthday(file, entries));
    EXPECT_EQ(value("Velorine", "Proch1"), "19 5 2026");
    EXPECT_EQ(value("Velorine", "Proch3"), "8 12 2027");
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
    EXPECT_FALSE(holdBackUntilNextBirthday(file, {{"x", 1, "19/05/2026"}}));
    EXPECT_EQ(readFile(file), before);
    EXPECT_FALSE(keepReminding(dir.file("absent/velor.ini"), {6, 12, 2026}));
}

// "Non" at logon, then the starts that follow: compaction runs at each of them and must not undo
// the answer; the person comes back on the day the resume date names.
TEST_F(ReminderAnswersTest, NotBeforeTheNextBirthdayOutlivesTheCompactionOfLaterStarts) {
    // A hole before the person, so that every compaction moves them to another slot.
    writeFile(file, cp1252(dataFileText("7", {{"Éva", "Vide", std::string("01/01/1990")},
                                              {"Yves", "Roux", std::string("09/12/1970")}})));
    ASSERT_EQ(*store::RecordStore(file).deleteRecord({"Vide", cp1252("Éva"), "01/01/1990"}), store::RecordChange::Done);
    const store::CalendarDate today{6, 12, 2026};
    const auto dueOn = [&](const store::CalendarDate& day) {
        EXPECT_TRUE(store::RecordStore(file).compact());
        return buildReminderList(store::snapshot(file), builtInCalendar(), false, day);
    };
    const std::vector<ReminderEntry> shown = dueOn(today);
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_TRUE(holdBackUntilNextBirthday(file, shown));
    EXPECT_TRUE(dueOn(today).empty());
    EXPECT_TRUE(dueOn({7, 12, 2026}).empty());
    EXPECT_TRUE(dueOn({8, 12, 2026}).empty());
    const std::vector<ReminderEntry> onTheDay = dueOn({9, 12, 2026});
    ASSERT_EQ(onTheDay.size(), 1u);
    EXPECT_EQ(store::cp1252ToUtf8(onTheDay[0].text), "Yves Roux a 56 ans AUJOURD'HUI !!");
}

}  // namespace
}  // namespace velorine::reminders

// Where a calendar may be written, and the calendar kept up to date: written when the list it shows
// changed, left alone when it did not, never over a file that is no calendar.

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <unistd.h>

#include <string>

#include "contacts/calendar_target.h"
#include "contacts/calendar_upkeep.h"
#include "store/data_file.h"
#include "store/record_store.h"
#include "support/temp_dir.h"

namespace velorine::contacts {
namespace {

using testing::fileInode;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr char kList[] = "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/05/1990\r\n";

TEST(CalendarTarget, WritesOnlyWhereNothingButACalendarIsLost) {
    TempDir dir;
    const std::string list = dir.file("velor.ini");
    writeFile(list, kList);
    writeFile(dir.file("vide.ics"), "");
    writeFile(dir.file("agenda.ics"), "\xEF\xBB\xBF\r\nbegin:vcalendar\r\nVERSION:2.0\r\n");
    writeFile(dir.file("copie.txt"), std::string("[Options]\r\nRappelFete=1\r\n") + kList);
    writeFile(dir.file("lettre.txt"), "Chère Eva,\n");
    ASSERT_EQ(::symlink(list.c_str(), dir.file("lien.ics").c_str()), 0);
    const struct {
        std::string target;
        CalendarTargetRefusal refusal;
    } cases[] = {
        {dir.file("nouveau.ics"), CalendarTargetRefusal::None},
        {dir.file("vide.ics"), CalendarTargetRefusal::None},
        {dir.file("agenda.ics"), CalendarTargetRefusal::None},
        {dir.path(), CalendarTargetRefusal::None},  // left to the writer, which refuses a folder
        {list, CalendarTargetRefusal::ProgramFile},
        {dir.path() + "/./velor.ini", CalendarTargetRefusal::ProgramFile},
        {dir.file("lien.ics"), CalendarTargetRefusal::ProgramFile},
        {store::lockFilePath(list), CalendarTargetRefusal::ProgramFile},
        {dir.file("velor.ouv"), CalendarTargetRefusal::ProgramFile},  // absent, but the next start takes it
        {dir.file("copie.txt"), CalendarTargetRefusal::List},
        {dir.file("lettre.txt"), CalendarTargetRefusal::OtherFile},
    };
    for (const auto& c : cases) EXPECT_EQ(calendarTargetRefusal(c.target, {list}), c.refusal) << c.target;
    EXPECT_EQ(calendarTargetText(CalendarTargetRefusal::List, "copie.txt"),
              "« copie.txt » est une liste de Velorine, elle ne sera pas remplacée par un agenda : l'agenda "
              "s'écrit dans un nouveau fichier, un fichier vide ou un agenda iCalendar (.ics) déjà exporté. "
              "Rien n'a été écrit.");
}

class CalendarUpkeepTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string list = dir.file("velor.ini");
    std::string calendar = dir.file(kKeptCalendarName);

    void SetUp() override { writeFile(list, kList); }
    void keep(bool nameDays = false, std::optional<int> alarm = std::nullopt) {
        ASSERT_TRUE(store::commit(list, [&](store::IniDocument& doc) {
            doc.write("Agenda", "AJour", "1");
            doc.write("Agenda", "Fetes", nameDays ? "1" : "0");
            if (alarm) doc.write("Agenda", "Alarme", std::to_string(*alarm));
        }));
    }
    int eventCount() const {
        icalcomponent* parsed = icalparser_parse_string(readFile(calendar).c_str());
        if (!parsed) return -1;
        const int count = icalcomponent_count_components(parsed, ICAL_VEVENT_COMPONENT);
        icalcomponent_free(parsed);
        return count;
    }
};

TEST_F(CalendarUpkeepTest, ReadsItsSettingsWithTheirDefaults) {
    writeFile(list, std::string(kList) + "[Rappel]\r\nJours=3\r\n");
    const CalendarUpkeepSettings absent = calendarUpkeepIn(store::snapshot(list), list);
    EXPECT_FALSE(absent.kept);
    EXPECT_EQ(absent.path, calendar);
    EXPECT_EQ(absent.alarmDays, 3);  // the reminders' horizon
    const CalendarUpkeepSettings chosen{true, dir.file("ailleurs/agenda.ics"), true, 0};
    ASSERT_TRUE(storeCalendarUpkeep(list, chosen));
    const CalendarUpkeepSettings read = calendarUpkeepIn(store::snapshot(list), list);
    EXPECT_TRUE(read.kept);
    EXPECT_EQ(read.path, chosen.path);
    EXPECT_TRUE(read.nameDays);
    EXPECT_EQ(read.alarmDays, 0);
    EXPECT_NE(readFile(list).find("[Agenda]\r\nAJour=1\r\nFichier=" + chosen.path + "\r\nFetes=1\r\nAlarme=0\r\n"),
              std::string::npos);
}

TEST_F(CalendarUpkeepTest, WritesNothingWhileTheOptionIsOff) {
    EXPECT_EQ(keepCalendarUpToDate(list).result, UpkeepResult::NotKept);
    EXPECT_FALSE(testing::fileExists(calendar));
    EXPECT_EQ(keepCalendarUpToDate(dir.file("absente.ini")).result, UpkeepResult::NotKept);
}

TEST_F(CalendarUpkeepTest, RewritesTheCalendarOnlyWhenWhatItShowsChanged) {
    keep();
    EXPECT_EQ(keepCalendarUpToDate(list, 1000).result, UpkeepResult::Written);
    EXPECT_EQ(eventCount(), 1);
    const unsigned long written = fileInode(calendar);
    const std::string bytes = readFile(calendar);
    EXPECT_NE(bytes.find("BEGIN:VALARM\r\n"), std::string::npos);  // the horizon's 7 days by default

    // Nothing the calendar shows: neither a new address nor a compaction that moved the people.
    store::RecordStore records(list);
    ASSERT_TRUE(*records.modifyRecord({"Roy", "Eva", "01/05/1990"}, {"Roy", "Eva", "01/05/1990", "Lyon", "e@x.fr"}) ==
                store::RecordChange::Done);
    ASSERT_TRUE(records.addRecord({"Blanc", "Luc", "02/02/1980", "", ""}));
    EXPECT_EQ(keepCalendarUpToDate(list, 2000).result, UpkeepResult::Written);
    EXPECT_EQ(eventCount(), 2);
    const std::string two = readFile(calendar);
    ASSERT_TRUE(store::commit(list, [](store::IniDocument& doc) {
        doc.replaceSection(
            "Velorine",
            "Nom1=Blanc\r\nPren1=Luc\r\nDate1=02/02/1980\r\nNom2=Roy\r\nPren2=Eva\r\nDate2=01/05/1990\r\n"
            "Adress2=Lyon\r\n");
    }));
    EXPECT_EQ(keepCalendarUpToDate(list, 3000).result, UpkeepResult::UpToDate);
    EXPECT_EQ(readFile(calendar), two);
    EXPECT_NE(fileInode(calendar), written);

    // What it shows: a name, a setting.
    ASSERT_TRUE(*records.deleteRecord({"Blanc", "Luc", "02/02/1980"}) == store::RecordChange::Done);
    EXPECT_EQ(keepCalendarUpToDate(list, 4000).result, UpkeepResult::Written);
    EXPECT_EQ(eventCount(), 1);
    keep(true, 0);
    EXPECT_EQ(keepCalendarUpToDate(list, 5000).result, UpkeepResult::Written);
    EXPECT_GT(eventCount(), 1);
    EXPECT_EQ(readFile(calendar).find("BEGIN:VALARM"), std::string::npos);
}

// The option is carried into a list that takes this one's place, in place of the list's own.
TEST_F(CalendarUpkeepTest, CarriesTheOptionIntoTheListThatReplacesThisOne) {
    keep(true, 3);
    const std::string lines = calendarUpkeepLines(list);
    EXPECT_EQ(lines, "AJour=1\nFetes=1\nAlarme=3\n");
    const struct {
        std::string replacing;
        std::string carried;
        bool kept;
    } cases[] = {
        {"[Velorine]\r\nNom1=Roy\r\n", lines, true},
        {"[Agenda]\r\nAJour=1\r\nFichier=/ailleurs.ics\r\n[Velorine]\r\nNom1=Roy\r\n", lines, true},
        {"[Agenda]\r\nAJour=1\r\n[Velorine]\r\nNom1=Roy\r\n", "", false},  // this computer kept none
    };
    for (const auto& c : cases) {
        writeFile(list, c.replacing);
        ASSERT_TRUE(carryCalendarUpkeep(list, c.carried));
        const CalendarUpkeepSettings settings = calendarUpkeepIn(store::snapshot(list), list);
        EXPECT_EQ(settings.kept, c.kept) << c.replacing;
        EXPECT_EQ(settings.path, calendar) << c.replacing;
        EXPECT_NE(readFile(list).find("Nom1=Roy"), std::string::npos);
    }
    // Neither has the section: the file is left byte for byte.
    writeFile(list, "[Velorine]\nNom1=Roy\n");
    ASSERT_TRUE(carryCalendarUpkeep(list, ""));
    EXPECT_EQ(readFile(list), "[Velorine]\nNom1=Roy\n");
}

TEST_F(CalendarUpkeepTest, NeverReplacesAFileThatIsNoCalendar) {
    keep();
    const struct {
        std::string path;
        std::string bytes;
        CalendarTargetRefusal refusal;
    } cases[] = {
        {dir.file("notes.txt"), "mes notes\n", CalendarTargetRefusal::OtherFile},
        {list, "", CalendarTargetRefusal::ProgramFile},
    };
    for (const auto& c : cases) {
        if (!c.bytes.empty()) writeFile(c.path, c.bytes);
        ASSERT_TRUE(store::commit(list, [&](store::IniDocument& doc) { doc.write("Agenda", "Fichier", c.path); }));
        const std::string before = readFile(c.path);
        const CalendarUpkeep upkeep = keepCalendarUpToDate(list);
        EXPECT_EQ(upkeep.result, UpkeepResult::Failed) << c.path;
        EXPECT_EQ(upkeep.refusal, c.refusal) << c.path;
        EXPECT_EQ(readFile(c.path), before) << c.path;
    }
    ASSERT_TRUE(store::commit(
        list, [&](store::IniDocument& doc) { doc.write("Agenda", "Fichier", dir.file("absent/agenda.ics")); }));
    const CalendarUpkeep missing = keepCalendarUpToDate(list);
    EXPECT_EQ(missing.result, UpkeepResult::Failed);
    EXPECT_EQ(missing.failure, store::Failure::DirectoryMissing);
}

}  // namespace
}  // namespace velorine::contacts

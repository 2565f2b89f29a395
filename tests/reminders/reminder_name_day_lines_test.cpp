// Name-day lines: the whole first name, byte for byte, against the built-in calendar.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reminder_test_support.h"

namespace velorine::reminders {
namespace {

// From 1 January 2026 with a horizon of a whole year every feast of a name is due, and nothing
// else: the person has no birth date.
std::vector<std::string> nameDayLinesOfTheYear(const std::string& firstNameUtf8) {
    return reminderLines(dataFileText("365", {{firstNameUtf8, "Petit", std::nullopt}}), {1, 1, 2026});
}

TEST(ReminderNameDayLines, MatchTheWholeFirstNameCaseAndAccentsIncluded) {
    const struct {
        const char* firstName;
        std::vector<std::string> lines;
    } cases[] = {
        {"Jean", {"Ce sera la fete de Jean Petit le 27/12/2026 (dans 360 jours)"}},
        {"Jeanne",
         {"Ce sera la fete de Jeanne Petit le 08/05/2026 (dans 127 jours)",
          "Ce sera la fete de Jeanne Petit le 30/05/2026 (dans 149 jours)"}},
        {"Jean-Baptiste", {"Ce sera la fete de Jean-Baptiste Petit le 24/06/2026 (dans 174 jours)"}},
        {"Jean-Marie", {"Ce sera la fete de Jean-Marie Petit le 04/08/2026 (dans 215 jours)"}},
        {"Hélène", {"Ce sera la fete de Hélène Petit le 18/08/2026 (dans 229 jours)"}},
        {"Yves", {"Ce sera la fete d'Yves Petit le 19/05/2026 (dans 138 jours)"}},
        {"Abel", {"Ce sera la fete d'Abel Petit le 05/08/2026 (dans 216 jours)"}},
        {"Abella", {"Ce sera la fete d'Abella Petit le 05/08/2026 (dans 216 jours)"}},
        {"François", {"Ce sera la fete de François Petit le 04/10/2026 (dans 276 jours)"}},
        {"François(d'Assises)", {"Ce sera la fete de François(d'Assises) Petit le 04/10/2026 (dans 276 jours)"}},
        // The first name Marie is listed twice: one line per date, in calendar order.
        {"Marie",
         {"C'est la fête de Marie Petit AUJOURD'HUI !!",
          "Ce sera la fete de Marie Petit le 15/08/2026 (dans 226 jours)"}},
        {"jean", {}},
        {"JEAN", {}},
        {"Helene", {}},
        {"Jean-Pierre", {}},  // a compound name is never split into its parts
        {"\"Jean \"", {}},    // a trailing blank, kept by the quotes
        {"Jean Marie", {}},
        {"Jea", {}},
        {"Jean|27/12", {}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(nameDayLinesOfTheYear(c.firstName), c.lines) << c.firstName;
}

TEST(ReminderNameDayLines, ShowOnlyTheDatesOfATwiceListedNameThatFallWithinTheHorizon) {
    const std::string file = dataFileText("7", {{"Marie", "Roux", "20/03/1980"}});
    EXPECT_EQ(reminderLines(file, {31, 12, 2026}), std::vector<std::string>{"Ce sera la fete de Marie Roux DEMAIN !!"});
    EXPECT_EQ(reminderLines(file, {10, 8, 2026}),
              std::vector<std::string>{"Ce sera la fete de Marie Roux le 15/08/2026 (dans 5 jours)"});
    EXPECT_TRUE(reminderLines(file, {1, 6, 2026}).empty());
}

TEST(ReminderNameDayLines, AreNeverShownWhenNameDaysAreOff) {
    const std::string file = dataFileText("365", {{"Marie", "Roux", std::nullopt}, {"Yves", "Durand", "19/05/1980"}});
    EXPECT_EQ(reminderLines(file, {18, 5, 2026}, false), std::vector<std::string>{"Yves Durand aura 46 ans DEMAIN !!"});
}

// An empty first name has no name day, and its birthday line names the surname alone.
TEST(ReminderNameDayLines, NeverMatchAnEmptyFirstName) {
    const std::string file = dataFileText("365", {{"", "Martin", "05/03/1970"}});
    EXPECT_EQ(reminderLines(file, {1, 3, 2026}),
              std::vector<std::string>{"Martin aura 56 ans le 05/03/2026 (dans 4 jours)"});
}

}  // namespace
}  // namespace velorine::reminders

// The name-day forms and their article, and the longest lines. The birthday forms are checked
// through the reminder list.

#include <gtest/gtest.h>

#include "name_day_test_support.h"
#include "reminders/reminder_texts.h"

namespace velorine::reminders {
namespace {

NextOccurrence occurrence(int dayCount, int day = 5, int month = 3, long long year = 2026) {
    return {day, month, year, dayCount};
}

std::string nameDayLine(std::string_view displayNameUtf8, int dayCount) {
    return store::cp1252ToUtf8(nameDayText(cp1252(displayNameUtf8), occurrence(dayCount, 19, 5)));
}

TEST(ReminderTexts, WordsANameDayWithTheAccentOnlyOnTheDayItself) {
    EXPECT_EQ(nameDayLine("Yves Durand", 0), "C'est la fête d'Yves Durand AUJOURD'HUI !!");
    EXPECT_EQ(nameDayLine("Yves Durand", 1), "Ce sera la fete d'Yves Durand DEMAIN !!");
    EXPECT_EQ(nameDayLine("Yves Durand", 2), "Ce sera la fete d'Yves Durand le 19/05/2026 (dans 2 jours)");
    EXPECT_EQ(nameDayLine("Jean Petit", 0), "C'est la fête de Jean Petit AUJOURD'HUI !!");
}

TEST(ReminderTexts, TakesTheElidedArticleBeforeTheTwelvePlainVowelsOnly) {
    for (const char* name : {"A", "E", "I", "O", "U", "Y", "a", "e", "i", "o", "u", "y"})
        EXPECT_EQ(nameDayLine(std::string(name) + "x Z", 1),
                  "Ce sera la fete d'" + std::string(name) + "x Z DEMAIN !!");
    for (const char* name : {"Émile", "Èva", "Éric", "Hélène", "Jean", "Zoé", "'x", "1x", " Martin", "Œ"})
        EXPECT_EQ(nameDayLine(name, 1), "Ce sera la fete de " + std::string(name) + " DEMAIN !!");
}

// A person without a first name (an address book's "Maman") is named by the surname alone.
TEST(ReminderTexts, NamesAPersonWithoutAFirstNameByTheSurnameAlone) {
    EXPECT_EQ(displayNameOf("", "Maman"), "Maman");
    EXPECT_EQ(displayNameOf("Jean", "Dupont"), "Jean Dupont");
    EXPECT_EQ(birthdayText(displayNameOf("", "Maman"), 66, {1, 5, 2026, 3}),
              "Maman aura 66 ans le 01/05/2026 (dans 3 jours)");
}

// The longest name and the widest numbers still give a line of at most 199 characters that ends
// with its date part.
TEST(ReminderTexts, KeepsEveryLineWithin199Characters) {
    const std::string name = displayNameOf(std::string(127, 'a'), std::string(127, 'b'));
    const NextOccurrence widest{29, 2, 2147483647LL, 366};
    const std::string lines[] = {
        birthdayText(name, -2147483647LL - 1 - 2147483647LL, widest),
        nameDayText(name, widest),
    };
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 199u) << line;
        EXPECT_TRUE(line.ends_with("(dans 366 jours)")) << line;
    }
}

}  // namespace
}  // namespace velorine::reminders

#include "store/dates.h"

#include <gtest/gtest.h>

#include <climits>

#include "store/civil_calendar.h"
#include "store/number_text.h"

namespace velorine::store {
namespace {

const CalendarDate kToday{8, 12, 2026};

TEST(BirthDateValidation, AcceptsRealPastDatesOnly) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"29/02/1980", true},  {"29/02/1981", false}, {"29/02/1900", true},   {"29/02/2000", true},
        {"31/04/1990", false}, {"30/04/1990", true},  {"00/05/1990", false},  {"12/13/1990", false},
        {"12/00/1990", false}, {"32/01/1990", false}, {"31/12/1990", true},   {"1/02/1990", false},
        {"01/0a/1990", false}, {"01-02-1990", false}, {"01/02/1990 ", false}, {"", false},
        {"  /  /    ", false}, {"08/12/2026", true},  {"09/12/2026", false},  {"01/01/2027", false},
        {"01/01/0000", true},  {"30/11/2026", true},
    };
    for (const auto& c : cases) EXPECT_EQ(isValidBirthDate(c.text, kToday), c.valid) << c.text;
}

TEST(DateTexts, HaveTheirFixedShapes) {
    const CalendarDate d{5, 3, 1970};
    EXPECT_EQ(displayDate(d), "05/03/1970");
    EXPECT_EQ(dayText(d), "5 3 1970");
    EXPECT_EQ(comparisonKey(d), "19700305");
    EXPECT_LT(comparisonKey({31, 12, 2023}), comparisonKey({1, 1, 2024}));
    EXPECT_LT(comparisonKey({30, 1, 2024}), comparisonKey({1, 2, 2024}));
    EXPECT_EQ(comparisonKey({1, 1, 80}), "00800101");
}

TEST(DateScanning, ReadsAsTheCLibraryDoes) {
    struct Case {
        const char* text;
        std::optional<CalendarDate> slashed;
        std::optional<CalendarDate> dayText;
    };
    const Case cases[] = {
        {"1/2/1980", CalendarDate{1, 2, 1980}, std::nullopt},
        {"05/03/1970", CalendarDate{5, 3, 1970}, std::nullopt},
        {" 5/ 3/ 80xyz", CalendarDate{5, 3, 80}, std::nullopt},
        {"5 /3/1970", std::nullopt, std::nullopt},
        {"1 1 1990", std::nullopt, CalendarDate{1, 1, 1990}},
        {"  8\t12  2026 trailing", std::nullopt, CalendarDate{8, 12, 2026}},
        {"-1/+2/-3", CalendarDate{-1, 2, -3}, std::nullopt},
        {"1/2", std::nullopt, std::nullopt},
        {"1 2", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"+/1/1", std::nullopt, std::nullopt},
        {"99999999999/1/1", CalendarDate{INT_MAX, 1, 1}, std::nullopt},
        {"1 1 -99999999999", std::nullopt, CalendarDate{1, 1, INT_MIN}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scanSlashedDate(c.text), c.slashed) << c.text;
        EXPECT_EQ(scanDayText(c.text), c.dayText) << c.text;
    }
}

TEST(IntegerFromText, IsThePlainConversionWithSaturation) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"7", 7},
        {"  120px", 120},
        {"abc", 0},
        {"", 0},
        {"-5", -5},
        {"+12", 12},
        {"- 5", 0},
        {"\t\n 42", 42},
        {"0x10", 0},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"2146500606", 2146500606},
    };
    for (const auto& c : cases) EXPECT_EQ(integerFromText(c.text), c.value) << c.text;
}

TEST(AgeAndNextBirthday, CountsWholeYearsAtTheReference) {
    struct Case {
        const char* birth;
        const char* reference;
        int age;
        const char* next;
    };
    const Case cases[] = {
        {"15/03/1980", "14/03/2024", 43, "15/03/2024"}, {"15/03/1980", "15/03/2024", 44, "15/03/2025"},
        {"15/03/1980", "16/03/2024", 44, "15/03/2025"}, {"20/06/2024", "19/06/2024", -1, "20/06/2024"},
        {"10/01/2024", "19/06/2024", 0, "10/01/2025"},  {"19/06/2024", "19/06/2024", 0, "19/06/2025"},
        {"29/02/1980", "28/02/2027", 46, "29/02/2027"}, {"29/02/1980", "01/03/2027", 47, "29/02/2028"},
        {"1/2/1990", "08/12/2026", 36, "01/02/2027"},
    };
    for (const auto& c : cases) {
        const auto result = ageAndNextBirthday(c.birth, c.reference);
        ASSERT_TRUE(result) << c.birth;
        EXPECT_EQ(result->age, c.age) << c.birth << " at " << c.reference;
        EXPECT_EQ(result->nextBirthday, c.next) << c.birth << " at " << c.reference;
    }
}

TEST(AgeAndNextBirthday, GivesNothingForATextThatDoesNotScan) {
    EXPECT_FALSE(ageAndNextBirthday("", "08/12/2026"));
    EXPECT_FALSE(ageAndNextBirthday("inconnue", "08/12/2026"));
    EXPECT_FALSE(ageAndNextBirthday("15/03", "08/12/2026"));
    EXPECT_FALSE(ageAndNextBirthday("15/03/1980", ""));
}

TEST(AgeAndNextBirthday, HugeNumbersDoNotOverflow) {
    const auto result = ageAndNextBirthday("1/1/-2147483648", "1/1/2147483647");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->age, INT_MAX);
    EXPECT_EQ(result->nextBirthday, "01/01/2147483647");
}

TEST(CivilCalendar, CountsRealDays) {
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(2028));
    EXPECT_EQ(daysInMonth(2, 2027), 28);
    EXPECT_EQ(daysInMonth(2, 2028), 29);
    EXPECT_EQ(daysInMonth(13, 2028), 0);
    EXPECT_EQ(dayNumber({1, 1, 1970}), 0);
    EXPECT_EQ(dayNumber({1, 1, 2027}) - dayNumber({30, 12, 2026}), 2);
    EXPECT_EQ(addDays({28, 2, 2027}, 1), (CalendarDate{1, 3, 2027}));
    EXPECT_EQ(addDays({28, 2, 2028}, 1), (CalendarDate{29, 2, 2028}));
    EXPECT_EQ(addDays({31, 12, 2026}, 1), (CalendarDate{1, 1, 2027}));
    EXPECT_EQ(addDays({8, 12, 2026}, -30), (CalendarDate{8, 11, 2026}));
    for (long long day = -800000; day < 800000; day += 997) EXPECT_EQ(dayNumber(dateFromDayNumber(day)), day);
    EXPECT_FALSE(isRealDate({29, 2, 2027}));
    EXPECT_TRUE(isRealDate({29, 2, 2028}));
}

}  // namespace
}  // namespace velorine::store

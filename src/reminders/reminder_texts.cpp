#include "reminders/reminder_texts.h"

#include <cstdarg>
#include <cstdio>

namespace velorine::reminders {
namespace {

__attribute__((format(printf, 1, 2))) std::string formatted(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list counting;
    va_copy(counting, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, counting);
    va_end(counting);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    return text;
}

const char* pluralOf(long long age) { return age == 1 ? "" : "s"; }

}  // namespace

const char* articleBefore(std::string_view displayName) {
    constexpr std::string_view kVowels = "AEIOUYaeiouy";
    const bool vowel = !displayName.empty() && kVowels.find(displayName.front()) != std::string_view::npos;
    return vowel ? "d'" : "de ";
}

std::string displayNameOf(std::string_view firstName, std::string_view surname) {
    std::string name;
    name.reserve(firstName.size() + 1 + surname.size());
    if (!firstName.empty()) name.append(firstName).append(" ");
    name.append(surname);
    if (name.size() > kDisplayNameLength) name.resize(kDisplayNameLength);
    return name;
}

std::string birthdayText(std::string_view displayName, long long age, const NextOccurrence& birthday) {
    const int length = static_cast<int>(displayName.size());
    const char* name = displayName.data();
    const char* plural = pluralOf(age);
    switch (birthday.dayCount) {
        case 0: return formatted("%.*s a %lld an%s AUJOURD'HUI !!", length, name, age, plural);
        case 1: return formatted("%.*s aura %lld an%s DEMAIN !!", length, name, age, plural);
        default:
            return formatted("%.*s aura %lld an%s le %s (dans %d jours)", length, name, age, plural,
                             occurrenceText(birthday).c_str(), birthday.dayCount);
    }
}

std::string agelessBirthdayText(std::string_view displayName, const NextOccurrence& birthday) {
    const int length = static_cast<int>(displayName.size());
    const char* name = displayName.data();
    switch (birthday.dayCount) {
        case 0: return formatted("%.*s f\xEAte son anniversaire AUJOURD'HUI !!", length, name);
        case 1: return formatted("%.*s f\xEAtera son anniversaire DEMAIN !!", length, name);
        default:
            return formatted("%.*s f\xEAtera son anniversaire le %s (dans %d jours)", length, name,
                             occurrenceText(birthday).c_str(), birthday.dayCount);
    }
}

std::string nameDayText(std::string_view displayName, const NextOccurrence& nameDay) {
    const int length = static_cast<int>(displayName.size());
    const char* name = displayName.data();
    const char* article = articleBefore(displayName);
    switch (nameDay.dayCount) {
        case 0:
            return formatted(
                "C'est la f\xEA"
                "te %s%.*s AUJOURD'HUI !!",
                article, length, name);
        case 1: return formatted("Ce sera la fete %s%.*s DEMAIN !!", article, length, name);
        default:
            return formatted("Ce sera la fete %s%.*s le %s (dans %d jours)", article, length, name,
                             occurrenceText(nameDay).c_str(), nameDay.dayCount);
    }
}

}  // namespace velorine::reminders

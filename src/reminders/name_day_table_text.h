#pragma once
// The name-day calendar exactly as the build embedded it from resources/namedays.txt: UTF-8,
// one entry a line ("Name|DD/MM" and a newline), line k holding identifier k. The build has
// checked every line's form and its 1011 lines, so readers may rely on both.
//
// The definition is generated at build time (resources/namedays.cmake).

#include <string_view>

namespace velorine::reminders {

std::string_view nameDayTableText();

}  // namespace velorine::reminders

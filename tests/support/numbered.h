#pragma once
// Names made of a prefix and a number ("k12"), for tests that write many keys.

#include <string>
#include <string_view>

namespace velorine::testing {

// Appended rather than `"k" + std::to_string(n)`, where GCC 12 at -O3 warns of a false overlap.
inline std::string numbered(std::string_view prefix, int number) {
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

}  // namespace velorine::testing

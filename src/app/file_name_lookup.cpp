#include "app/file_name_lookup.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace velorine::app {
namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

}  // namespace

std::string findFileIgnoringCase(const std::string& directory, std::string_view name) {
    namespace fs = std::filesystem;
    const std::string exact = directory + "/" + std::string(name);
    std::error_code error;
    fs::directory_iterator entries(directory, error);
    if (error) return exact;
    std::string best;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string candidate = entries->path().filename().string();
        if (!equalIgnoringCase(candidate, name)) continue;
        std::error_code statError;
        if (!fs::is_regular_file(entries->path(), statError)) continue;
        if (candidate == name) return exact;
        if (best.empty() || candidate < best) best = candidate;
    }
    return best.empty() ? exact : directory + "/" + best;
}

}  // namespace velorine::app

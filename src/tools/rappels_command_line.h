#pragma once
// The command line of velorine-rappels:
//
//   velorine-rappels [--date JJ/MM/AAAA] [--fichier CHEMIN] [--aide]
//
// Each option may be given once, its value as the next argument or after "=" (--date=01/03/2026).
// A line that cannot be understood is refused with a short French message, before anything is read.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/dates.h"

namespace velorine::tools {

struct RappelsOptions {
    std::optional<store::CalendarDate> date;  // the reference date; today when absent
    std::optional<std::string> dataFile;      // the data file; the program's own when absent
    bool help = false;
};

struct CommandLine {
    RappelsOptions options;
    std::string error;  // why the line is refused, in French; empty when it is accepted
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// What --aide prints, UTF-8.
std::string usageText();

}  // namespace velorine::tools

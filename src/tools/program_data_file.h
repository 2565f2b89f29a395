#pragma once
// The data file the program itself uses, for the commands that read or change it without a
// window: the same configuration (velorine.conf), the same default folder. Creates nothing.

#include <string>

namespace velorine::tools {

std::string programDataFile();

}  // namespace velorine::tools

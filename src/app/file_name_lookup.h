#pragma once
// Finding a file by its name whatever the case of its letters, as a copy from a Windows disk may
// have changed it (VELOR.INI arriving as velor.ini or Velor.Ini).

#include <string>
#include <string_view>

namespace velorine::app {

// The path of the regular file (or link to one) in `directory` whose name equals `name` ignoring the
// case of the letters A-Z. The exact name wins; of several other matches, the one whose name comes
// first in byte order, so the choice never depends on the order of the directory listing. When none
// matches, or the directory cannot be listed, the path with the exact name (which may not exist).
std::string findFileIgnoringCase(const std::string& directory, std::string_view name);

}  // namespace velorine::app

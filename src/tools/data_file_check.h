#pragma once
// Whether velorine-rappels can read the data file it was given, told in French. The data file
// layer reads an unreadable file as an empty one, which here would pass for "nothing due".

#include <string>

namespace velorine::tools {

// Empty when `path` is a regular file this process may read; otherwise the French reason, such as
// "fichier introuvable". Opens nothing that could block (a named pipe is refused, not opened).
std::string whyUnreadable(const std::string& path);

}  // namespace velorine::tools

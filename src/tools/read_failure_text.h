#pragma once
// Why velorine-rappels could not read the data file it was given, told in French. The data file
// layer's plain snapshot reads an unreadable file as an empty one, which here would pass for
// "nothing due".

#include <string>

#include "store/read_failure.h"

namespace velorine::tools {

// The French reason for a failed read, such as "fichier introuvable".
std::string reasonFor(store::ReadFailure failure);

}  // namespace velorine::tools

#pragma once
// Why a command could not read or write a file, told in French for a terminal. The data file
// layer's plain snapshot reads an unreadable file as an empty one, which for velorine-rappels would
// pass for "nothing due": the commands read through readSnapshot and say why it failed.

#include <string>

#include "store/failure.h"

namespace velorine::tools {

// The French cause, such as "le disque est plein, ou votre quota est atteint", to follow
// "impossible de lire « … » : ".
std::string reasonFor(store::Failure failure);

}  // namespace velorine::tools

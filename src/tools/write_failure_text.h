#pragma once
// Why a command could not write a file, told in French for a terminal.

#include <string>

#include "store/write_failure.h"

namespace velorine::tools {

// The French cause of a failed write, such as "le disque est plein".
std::string reasonFor(store::WriteFailure failure);

}  // namespace velorine::tools

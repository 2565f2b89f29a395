#pragma once
// What the user is told when a file could not be read or written, whatever tells it (a window's
// message box, the desktop notification): the cause in words the user can act on, in French, UTF-8.

#include <string>

#include "store/failure.h"

namespace velorine::app {

// The cause alone, as one sentence ending in a full stop: "Le disque est plein, ou votre quota
// d'espace est atteint." Failure::None (a caller that does not know the cause) gives the general
// one. The causes that lie in the lock file or a link name them, beside `filePath`;
// Failure::AlreadyExists is only met where a list waits to be taken by the next start, and says so.
std::string failureCause(store::Failure failure, const std::string& filePath = {});

// The cause and what to do about it, one or two sentences: "Le disque est plein, ou votre quota
// d'espace est atteint : libérez de la place, puis recommencez."
std::string writeFailureText(store::Failure failure, const std::string& filePath = {});

}  // namespace velorine::app

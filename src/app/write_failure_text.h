#pragma once
// What the user is told when the data file could not be written, whatever tells it (a window's
// message box, the desktop notification): the cause in words the user can act on, in French.

#include <string>

#include "store/write_failure.h"

namespace velorine::app {

// One French sentence, or two, ending in a full stop, in UTF-8. WriteFailure::None (a caller that
// does not know the cause) gives the general advice. The causes that lie in the lock file name it,
// beside `dataFilePath`.
std::string writeFailureText(store::WriteFailure failure, const std::string& dataFilePath = {});

}  // namespace velorine::app

#include "app/hand_over.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "app/terminal_text.h"

namespace velorine::app {
namespace {

constexpr int kHandOverFailed = 2;

}  // namespace

void handOverTo(const std::string& executable, char** argv) {
    ::execv(executable.c_str(), argv);
    const int error = errno;
    std::setlocale(LC_MESSAGES, "");
    std::fprintf(stderr, "velorine : impossible de lancer %s : %s\n", terminalText(executable).c_str(),
                 std::strerror(error));
    std::exit(kHandOverFailed);
}

}  // namespace velorine::app

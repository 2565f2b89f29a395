#include "tools/data_file_check.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velorine::tools {
namespace {

std::string reasonFor(int error) {
    switch (error) {
        case ENOENT: return "fichier introuvable";
        case ENOTDIR: return "un élément du chemin n'est pas un dossier";
        case EACCES:
        case EPERM: return "accès refusé";
        default: return "lecture impossible";
    }
}

}  // namespace

std::string whyUnreadable(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) return reasonFor(errno);
    if (S_ISDIR(st.st_mode)) return "c'est un dossier, pas un fichier";
    if (!S_ISREG(st.st_mode)) return "ce n'est pas un fichier ordinaire";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return reasonFor(errno);
    ::close(fd);
    return {};
}

}  // namespace velorine::tools

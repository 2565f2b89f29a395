#include "ui/main/list_file.h"

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "store/data_file.h"

namespace velorine::ui {
namespace {

// What no real version text equals: only an absent key reads it back.
constexpr std::string_view kAbsentVersion = "hzbe";
constexpr std::size_t kVersionBufferSize = 16;

bool canBeRead(const std::string& path) {
    // Non-blocking, should the path have become a pipe since it was looked at.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

ListFileState stateBeforeReading(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return ListFileState::Missing;
    if (error || status.type() != std::filesystem::file_type::regular) return ListFileState::NotAFile;
    if (!canBeRead(path)) return ListFileState::Unreadable;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return ListFileState::Unreadable;
    if (size > kMaxListFileBytes) return ListFileState::TooLarge;
    return ListFileState::Valid;
}

}  // namespace

ListFile readListFile(const std::string& path) {
    ListFile list;
    list.state = stateBeforeReading(path);
    if (list.state != ListFileState::Valid) return list;
    list.content = store::snapshot(path);
    if (list.content.read("Controle", "Version", kAbsentVersion, kVersionBufferSize) == kAbsentVersion) {
        list.state = ListFileState::Invalid;
        list.content = store::IniDocument();
    }
    return list;
}

}  // namespace velorine::ui

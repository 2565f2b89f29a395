#include "ui/main/list_file.h"

#include <optional>

#include "store/cp1252.h"
#include "store/data_file.h"

namespace velorine::ui {
namespace {

// What no real version text equals: only an absent key reads it back.
constexpr std::string_view kAbsentVersion = "hzbe";
constexpr std::size_t kVersionBufferSize = 16;

ListFileState stateFor(store::Failure failure) {
    switch (failure) {
        case store::Failure::None: return ListFileState::Valid;
        case store::Failure::Missing:
        case store::Failure::DirectoryMissing:
        case store::Failure::DanglingLink: return ListFileState::Missing;
        case store::Failure::Directory:
        case store::Failure::NotARegularFile: return ListFileState::NotAFile;
        case store::Failure::TooLarge: return ListFileState::TooLarge;
        case store::Failure::NotSettings: return ListFileState::Invalid;
        default: return ListFileState::Unreadable;  // no right to read it, a link not followed, the disk
    }
}

}  // namespace

ListFile readListFile(const std::string& path) {
    ListFile list;
    store::Result<std::string> bytes = store::readFileBytes(path, kMaxListFileBytes);
    list.state = stateFor(bytes.failure());
    if (!bytes) return list;
    if (std::optional<std::string> converted = store::cp1252FromUtf8File(*bytes)) {
        *bytes = std::move(*converted);
        list.convertedFromUtf8 = true;
    }
    store::IniDocument content = store::IniDocument::parse(*bytes);
    if (content.read("Controle", "Version", kAbsentVersion, kVersionBufferSize) == kAbsentVersion) {
        list.state = ListFileState::Invalid;
        list.convertedFromUtf8 = false;
        return list;
    }
    list.bytes = std::move(*bytes);
    list.content = std::move(content);
    return list;
}

}  // namespace velorine::ui

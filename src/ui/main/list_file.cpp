#include "ui/main/list_file.h"

#include <optional>

#include "store/cp1252.h"
#include "store/data_file.h"

namespace velorine::ui {
namespace {

// What no real version text equals: only an absent key reads it back.
constexpr std::string_view kAbsentVersion = "hzbe";
constexpr std::size_t kVersionBufferSize = 16;

ListFileState stateFor(store::ReadFailure failure) {
    switch (failure) {
        case store::ReadFailure::None: break;
        case store::ReadFailure::Missing:
        case store::ReadFailure::PathNotDirectory:
        case store::ReadFailure::DanglingLink: return ListFileState::Missing;
        case store::ReadFailure::Directory:
        case store::ReadFailure::NotAFile: return ListFileState::NotAFile;
        case store::ReadFailure::AccessDenied:
        case store::ReadFailure::ForeignLink:
        case store::ReadFailure::ReadError: return ListFileState::Unreadable;
        case store::ReadFailure::TooLarge: return ListFileState::TooLarge;
        case store::ReadFailure::NotSettings: return ListFileState::Invalid;
    }
    return ListFileState::Valid;
}

}  // namespace

ListFile readListFile(const std::string& path) {
    ListFile list;
    store::ReadFailure failure = store::ReadFailure::None;
    std::optional<std::string> bytes = store::readFileBytes(path, failure, kMaxListFileBytes);
    list.state = stateFor(failure);
    if (!bytes) return list;
    if (std::optional<std::string> converted = store::cp1252FromUtf8File(*bytes)) {
        bytes = std::move(converted);
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

#pragma once
// A list file chosen to be opened or merged: a data file under another name, valid when its section
// Controle has a key Version, whatever its value (even empty).
//
// Before the file is parsed it must be an existing regular file that can be read and is no larger
// than any list the program writes could be, so a directory, a named pipe, a device or a huge file
// is refused at once instead of being read as an empty or endless document.

#include <cstdint>
#include <string>

#include "store/ini_document.h"

namespace velorine::ui {

// 10,000 records with every text at its full 127 characters take under 7 MB.
inline constexpr std::uintmax_t kMaxListFileBytes = 32 * 1024 * 1024;

enum class ListFileState {
    Valid,
    Missing,     // nothing at the path
    NotAFile,    // a directory, a pipe, a device...
    Unreadable,  // no permission to read it
    TooLarge,    // more than kMaxListFileBytes
    Invalid,     // no Controle/Version
};

struct ListFile {
    ListFileState state = ListFileState::Missing;
    store::IniDocument content;  // the file as read; empty unless the state is Valid
};

ListFile readListFile(const std::string& path);

}  // namespace velorine::ui

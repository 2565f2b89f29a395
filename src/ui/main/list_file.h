#pragma once
// A list file chosen to be opened or merged: a data file under another name, valid when its section
// Controle has a key Version, whatever its value (even empty).
//
// Before the file is parsed it must be an existing regular file that can be read and is no larger
// than any list the program writes could be, so a directory, a named pipe, a device or a huge file
// is refused at once instead of being read as an empty or endless document.
//
// A list is Windows-1252, as the data file is. One saved by a UTF-8 editor ("HÃ©lÃ¨ne" if taken as
// it is) is converted when every character of it fits Windows-1252, and says so; any other file is
// taken byte for byte.

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
    bool convertedFromUtf8 = false;
    std::string bytes;           // Windows-1252, converted when needed; empty unless Valid
    store::IniDocument content;  // the bytes parsed; empty unless the state is Valid
};

ListFile readListFile(const std::string& path);

}  // namespace velorine::ui

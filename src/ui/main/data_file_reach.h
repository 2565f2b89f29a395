#pragma once
// The list window's first look at the data file: a list that cannot be had at all (a link to an
// unplugged disk, another user's link, a file in an encoding the program cannot read) is told to
// the user at once, instead of showing as an empty list that the first change would overwrite.

#include <QString>

#include <optional>
#include <string>

namespace velorine::ui {

// The French message for a data file that cannot be taken as the list, naming the file and where a
// link points; nothing when the file is readable or simply absent (a new user).
std::optional<QString> unreachableListText(const std::string& dataFilePath);

}  // namespace velorine::ui

#include "app/executables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/temp_dir.h"

namespace velorine::app {
namespace {

using testing::TempDir;
using testing::writeFile;

struct Lookup {
    const char* what;
    std::function<std::string(const std::string&)> find;
    const char* fromDirectory;       // where the running executable lies, installed
    const char* installedDirectory;  // where the file it looks for is installed
    const char* name;
};

// The same directories as the install rules use.
const Lookup kLookups[] = {
    {"the windows' executable", windowsExecutableFrom, VELORINE_COMMAND_DIRECTORY, VELORINE_WINDOWS_DIRECTORY,
     "velorine-fenetres"},
    {"the command", commandFrom, VELORINE_WINDOWS_DIRECTORY, VELORINE_COMMAND_DIRECTORY, "velorine"},
    {"the user guide", userGuideFrom, VELORINE_WINDOWS_DIRECTORY, VELORINE_GUIDE_DIRECTORY, "Velor.rtf"},
};

// An installed tree under a prefix of its own: the file is found at its installed place, whatever
// the prefix, with no ".." left in the path.
TEST(InstalledLayoutTest, AnInstalledExecutableFindsTheFileAtItsInstalledPlace) {
    for (const Lookup& lookup : kLookups) {
        TempDir prefix;
        std::filesystem::create_directories(prefix.file(lookup.fromDirectory));
        EXPECT_EQ(lookup.find(prefix.file(lookup.fromDirectory)),
                  prefix.file(lookup.installedDirectory) + "/" + lookup.name)
            << lookup.what;
    }
}

// The build tree keeps every file beside the executables; a copy there wins even in an installed
// tree, so that a build runs its own files and never an older installed one.
TEST(InstalledLayoutTest, AFileBesideTheExecutableWins) {
    for (const Lookup& lookup : kLookups) {
        TempDir prefix;
        const std::string from = prefix.file(lookup.fromDirectory);
        std::filesystem::create_directories(from);
        std::filesystem::create_directories(prefix.file(lookup.installedDirectory));
        writeFile(prefix.file(lookup.installedDirectory) + "/" + lookup.name, "installed");
        writeFile(from + "/" + lookup.name, "beside");
        EXPECT_EQ(lookup.find(from), from + "/" + lookup.name) << lookup.what;
    }
}

}  // namespace
}  // namespace velorine::app

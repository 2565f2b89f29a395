#include "app/previous_version_recovery.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <tuple>

#include <unistd.h>

#include "store/data_file.h"
#include "store/file_copy.h"
#include "store/record_store.h"

namespace velorine::app {
namespace {

constexpr std::string_view kFlagSection = "Recuperation";
constexpr std::string_view kFlagKey = "RecupV10";
constexpr std::size_t kFlagBufferSize = 256;
constexpr std::size_t kPathBufferSize = 4096;
constexpr std::size_t kVersionBufferSize = 256;
constexpr std::string_view kOldFileName = "VELOR.INI";

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// The setting lives in the configuration file, which the program never creates: without one there
// is nowhere to keep it, and the write is lost, as any failed write of the flag is: the question
// only comes again at the next start.
void storeFlag(const std::string& configFile, std::string_view value) {
    if (::access(configFile.c_str(), F_OK) != 0) return;
    std::ignore = store::writeValue(configFile, kFlagSection, kFlagKey, value);
}

// "/anciens/" and "/anciens" are the same directory; the root stays "/".
std::string withoutTrailingSlashes(std::string directory) {
    while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    return directory;
}

// The old list, when the previous version is known, lived elsewhere and left a list with records.
std::string previousVersionList(const RecoveryPaths& paths) {
    const std::string directory =
        withoutTrailingSlashes(store::readValue(paths.configFile, "VersionPrecedente", "Path", "", kPathBufferSize));
    if (directory.empty() || directory == withoutTrailingSlashes(paths.installDirectory)) return {};
    const std::string oldFile = findFileIgnoringCase(directory, kOldFileName);
    const store::IniDocument old = store::snapshot(oldFile);
    if (old.read("Controle", "Version", "2.0", kVersionBufferSize) != "1.0") return {};
    if (!store::hasAnyRecordIn(old)) return {};
    return oldFile;
}

}  // namespace

RecoveryResult recoverPreviousVersion(const RecoveryPaths& paths, const RecoveryDialogs& dialogs) {
    const std::string flag = store::readValue(paths.configFile, kFlagSection, kFlagKey, "", kFlagBufferSize);
    if (flag.empty()) storeFlag(paths.configFile, "0");
    if (flag == "1") return RecoveryResult::NothingTaken;

    const std::string oldFile = previousVersionList(paths);
    if (oldFile.empty()) return RecoveryResult::NothingTaken;
    if (!dialogs.askToRecover()) {
        storeFlag(paths.configFile, "1");
        return RecoveryResult::NothingTaken;
    }
    if (const store::Result<> copied = store::copyFileIfAbsent(oldFile, paths.pendingFilePath); !copied) {
        dialogs.tellRecoveryFailed(copied.failure(), paths.pendingFilePath);
        return RecoveryResult::NothingTaken;
    }
    storeFlag(paths.configFile, "1");
    return dialogs.restartProgram() ? RecoveryResult::Restarted : RecoveryResult::TakenWithoutRestart;
}

std::string findFileIgnoringCase(const std::string& directory, std::string_view name) {
    namespace fs = std::filesystem;
    const std::string exact = directory + "/" + std::string(name);
    std::error_code error;
    fs::directory_iterator entries(directory, error);
    if (error) return exact;
    std::string best;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string candidate = entries->path().filename().string();
        if (!equalIgnoringCase(candidate, name)) continue;
        std::error_code statError;
        if (!fs::is_regular_file(entries->path(), statError)) continue;
        if (candidate == name) return exact;
        if (best.empty() || candidate < best) best = candidate;
    }
    return best.empty() ? exact : directory + "/" + best;
}

}  // namespace velorine::app

#include "carddav/online_settings.h"

#include "app/daily_sync.h"
#include "store/data_file.h"
#include "store/private_files.h"
#include "store/record_store.h"

namespace velorine::carddav {
namespace {

constexpr std::size_t kValueBufferSize = 4096;
constexpr std::string_view kUserKey = "Utilisateur";
constexpr std::string_view kBookStem = "Carnet";
constexpr std::string_view kFingerprintKey = "Empreinte";

// A control byte in a value would end its line and start another key: a blank takes its place.
std::string lineOf(std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=";
    for (const char c : value) line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    return line + "\n";
}

}  // namespace

OnlineSettings readOnlineSettings(const std::string& configFile) {
    const store::IniDocument doc = store::snapshot(configFile);
    const auto value = [&doc](std::string_view key) {
        return doc.read(app::kOnlineBookSection, key, "", kValueBufferSize);
    };
    OnlineSettings settings{value(app::kOnlineAddressKey), value(kUserKey), {}, value(kFingerprintKey)};
    for (int n = 1;; ++n) {
        const auto book = doc.find(app::kOnlineBookSection, store::slotKey(kBookStem, n));
        if (!book) break;
        if (!book->empty()) settings.books.emplace_back(*book);
    }
    return settings;
}

store::Result<> writeOnlineSettings(const std::string& configFile, const OnlineSettings& settings) {
    const std::size_t slash = configFile.rfind('/');
    // The commit below tells a folder that could not be made.
    if (slash != std::string::npos && slash > 0)
        std::ignore = store::createPrivateDirectories(configFile.substr(0, slash));
    std::string lines;
    if (settings.configured()) {
        lines += lineOf(app::kOnlineAddressKey, settings.address);
        lines += lineOf(kUserKey, settings.user);
        for (std::size_t i = 0; i < settings.books.size(); ++i)
            lines += lineOf(store::slotKey(kBookStem, static_cast<int>(i) + 1), settings.books[i]);
        if (!settings.fingerprint.empty()) lines += lineOf(kFingerprintKey, settings.fingerprint);
    }
    return store::commit(configFile,
                         [&](store::IniDocument& doc) { doc.replaceSection(app::kOnlineBookSection, lines); });
}

}  // namespace velorine::carddav

#include "tools/contacts_sync.h"

#include <chrono>
#include <iostream>
#include <thread>
#include <tuple>

#include "app/daily_sync.h"
#include "app/process_environment.h"
#include "carddav/keyring.h"
#include "carddav/online_settings.h"
#include "carddav/server_address.h"
#include "carddav/sync_summary.h"
#include "carddav/synchronisation.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "store/private_files.h"
#include "tools/argument_reader.h"
#include "tools/failure_text.h"

namespace velorine::tools {
namespace {

constexpr std::size_t kLongestPassword = 4096;
constexpr std::chrono::seconds kSecondTryAfter{60};

SyncCommandResult refused(std::string reason) { return {false, std::move(reason), {}, false}; }

struct Password {
    std::optional<std::string> text;
    std::string refusal;
};

Password passwordFor(const ContactsOptions& options, const carddav::OnlineSettings& settings) {
    if (options.passwordOnStandardInput) {
        std::string line;
        std::getline(std::cin, line);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) return {std::nullopt, "aucun mot de passe n'a été lu sur l'entrée standard"};
        if (line.size() > kLongestPassword)
            return {std::nullopt, "le mot de passe lu sur l'entrée standard est trop long"};
        return {std::move(line), {}};
    }
    carddav::KeyringAnswer stored = carddav::lookUpPassword(settings.address, settings.user);
    switch (stored.state) {
        case carddav::KeyringState::Found: return {std::move(stored.password), {}};
        case carddav::KeyringState::NotStored:
            return {std::nullopt,
                    "le trousseau de clés ne garde aucun mot de passe pour ce carnet d'adresses : donnez-le dans la "
                    "fenêtre « Carnet d'adresses en ligne… » de Velorine, ou avec --mot-de-passe-stdin"};
        case carddav::KeyringState::Unavailable: break;
    }
    return {std::nullopt, "aucun trousseau de clés ne répond : donnez le mot de passe avec --mot-de-passe-stdin"};
}

bool syncedToday(const std::string& list, const store::CalendarDate& today) {
    const store::IniDocument data = store::snapshot(list);
    const auto last = data.find(app::kOnlineCardsSection, app::kLastSyncDayKey);
    const auto day = last ? store::scanDayText(*last) : std::nullopt;
    return day && store::comparisonKey(*day) == store::comparisonKey(today);
}

}  // namespace

SyncCommandResult synchroniseList(const ContactsOptions& options) {
    const carddav::OnlineSettings settings = carddav::readOnlineSettings(app::configFilePath());
    if (!settings.configured())
        return refused(
            "aucun carnet d'adresses en ligne n'est choisi : ouvrez la liste de Velorine, menu Fichier, "
            "« Carnet d'adresses en ligne… »");
    const carddav::CheckedAddress address = carddav::checkServerAddress(settings.address);
    if (!address.refusal.empty()) return refused("la synchronisation a échoué : " + address.refusal);
    const std::string list = options.dataFile.value_or(app::programDataFile());
    const store::CalendarDate today = store::localToday();
    if (options.oncePerDay && syncedToday(list, today)) return {true, {}, list, false};
    Password password = passwordFor(options, settings);
    if (!password.text) return refused(std::move(password.refusal));
    // A new user's data folder may not exist yet; the program would make it private, so does this.
    // One that cannot be made is told by the sync's commit, with the cause.
    if (!options.dataFile) std::ignore = store::createPrivateDirectories(list.substr(0, list.rfind('/')));

    const carddav::SyncRequest request{list, settings, *password.text, today, {}, nullptr};
    carddav::SyncOutcome outcome = carddav::synchronise(request);
    if (options.oncePerDay && outcome.failure && outcome.failure->isTransient()) {
        std::this_thread::sleep_for(kSecondTryAfter);
        outcome = carddav::synchronise(request);
    }
    if (outcome.failure) return refused("la synchronisation a échoué : " + outcome.failure->reason);
    if (!outcome.report->stored)
        return refused("la liste " + quoted(list) +
                       " n'a pas pu être mise à jour : " + reasonFor(outcome.report->failure));
    return {true, carddav::syncSummary(*outcome.report), list, outcome.report->listChanged()};
}

}  // namespace velorine::tools

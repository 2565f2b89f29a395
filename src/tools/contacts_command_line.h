#pragma once
// The command line of velorine-contacts:
//
//   velorine-contacts importer FICHIER.vcf [--fichier LISTE]
//   velorine-contacts exporter FICHIER.ics [--fetes] [--alarme JOURS] [--fichier LISTE]
//   velorine-contacts synchroniser [--fichier LISTE] [--mot-de-passe-stdin] [--une-fois-par-jour]
//   velorine-contacts --aide
//
// The action word comes first, then its file (synchroniser has none); options may follow in any order, each once, a
// value as the next argument or after "=". A line that cannot be understood is refused with a short French message,
// before anything is read or written.

#include <optional>
#include <string>
#include <vector>

namespace velorine::tools {

enum class ContactsAction { Help, Import, Export, Synchronise };

struct ContactsOptions {
    ContactsAction action = ContactsAction::Help;
    std::string exchangeFile;              // the address book read, or the calendar written
    std::optional<std::string> dataFile;   // the list; the program's own when absent
    bool nameDays = false;                 // --fetes: the export adds the name days
    std::optional<int> alarmDays;          // --alarme: 0 to 365; the list's reminder horizon when absent
    bool passwordOnStandardInput = false;  // --mot-de-passe-stdin: the sync's password, not the keyring's
    bool oncePerDay = false;               // --une-fois-par-jour: no sync when one ran today
};

struct ContactsCommandLine {
    ContactsOptions options;
    std::string error;  // why the line is refused, in French; empty when it is accepted
};

ContactsCommandLine parseContactsCommandLine(const std::vector<std::string>& arguments);

// What --aide prints, UTF-8.
std::string contactsUsageText();

}  // namespace velorine::tools

#include "tools/contacts_command_line.h"

#include "contacts/calendar_export.h"
#include "tools/argument_reader.h"

namespace velorine::tools {
namespace {

std::string refusal(std::string message) { return message + " (velorine-contacts --aide donne l'usage)"; }

// "0" to "365", digits only.
std::optional<int> alarmDaysOf(const std::optional<std::string>& text) {
    if (!text || text->empty() || text->size() > 3) return std::nullopt;
    int days = 0;
    for (const char c : *text) {
        if (c < '0' || c > '9') return std::nullopt;
        days = days * 10 + (c - '0');
    }
    if (days > contacts::kLongestAlarm) return std::nullopt;
    return days;
}

}  // namespace

ContactsCommandLine parseContactsCommandLine(const std::vector<std::string>& arguments) {
    ContactsCommandLine line;
    ContactsOptions& options = line.options;
    if (arguments.empty()) return {{}, refusal("il manque l'action : importer, exporter ou synchroniser")};
    if (arguments.front() == "--aide" && arguments.size() == 1) return line;
    const std::string& action = arguments.front();
    if (action == "importer")
        options.action = ContactsAction::Import;
    else if (action == "exporter")
        options.action = ContactsAction::Export;
    else if (action == "synchroniser")
        options.action = ContactsAction::Synchronise;
    else
        return {{}, refusal("action inconnue " + quoted(action) + " : importer, exporter ou synchroniser")};
    const bool importing = options.action == ContactsAction::Import;
    const bool syncing = options.action == ContactsAction::Synchronise;

    ArgumentReader reader(arguments);
    reader.take();
    while (!reader.atEnd()) {
        const std::string& argument = reader.take();
        const auto [name, hasInlineValue, inlineValue] = splitOption(argument);
        if (name == "--fichier") {
            if (options.dataFile) return {{}, refusal("l'option --fichier est donnée deux fois")};
            options.dataFile = reader.valueOf(inlineValue, hasInlineValue);
            if (!options.dataFile || options.dataFile->empty())
                return {{}, refusal("l'option --fichier attend le chemin d'un fichier de données")};
        } else if (name == "--fetes" && !hasInlineValue && options.action == ContactsAction::Export) {
            if (options.nameDays) return {{}, refusal("l'option --fetes est donnée deux fois")};
            options.nameDays = true;
        } else if (name == "--alarme" && options.action == ContactsAction::Export) {
            if (options.alarmDays) return {{}, refusal("l'option --alarme est donnée deux fois")};
            options.alarmDays = alarmDaysOf(reader.valueOf(inlineValue, hasInlineValue));
            if (!options.alarmDays)
                return {{},
                        refusal("l'option --alarme attend un nombre de jours de 0 à " +
                                std::to_string(contacts::kLongestAlarm))};
        } else if (name == "--mot-de-passe-stdin" && !hasInlineValue && syncing) {
            if (options.passwordOnStandardInput)
                return {{}, refusal("l'option --mot-de-passe-stdin est donnée deux fois")};
            options.passwordOnStandardInput = true;
        } else if (name == "--une-fois-par-jour" && !hasInlineValue && syncing) {
            if (options.oncePerDay) return {{}, refusal("l'option --une-fois-par-jour est donnée deux fois")};
            options.oncePerDay = true;
        } else if (argument.starts_with("-") && argument != "-") {
            return {{}, refusal("option inconnue " + quoted(argument) + " pour " + action)};
        } else if (options.exchangeFile.empty() && !syncing) {
            options.exchangeFile = argument;
        } else {
            return {{}, refusal("argument inattendu " + quoted(argument))};
        }
    }
    if (options.exchangeFile.empty() && !syncing)
        return {{},
                refusal(importing ? "il manque le fichier de contacts à importer (FICHIER.vcf)"
                                  : "il manque le fichier d'agenda à écrire (FICHIER.ics)")};
    return line;
}

std::string contactsUsageText() {
    return "Usage : velorine-contacts importer FICHIER.vcf [--fichier LISTE]\n"
           "        velorine-contacts exporter FICHIER.ics [--fetes] [--alarme JOURS] [--fichier LISTE]\n"
           "        velorine-contacts synchroniser [--fichier LISTE] [--mot-de-passe-stdin] [--une-fois-par-jour]\n"
           "        velorine-contacts --aide\n"
           "\n"
           "importer  ajoute à la liste de Velorine les personnes d'un carnet d'adresses vCard (.vcf)\n"
           "          qui ont une date de naissance ; une personne déjà dans la liste n'est pas\n"
           "          ajoutée une deuxième fois. Un résumé dit qui a été ajouté et qui ne l'a pas été.\n"
           "exporter  écrit un agenda iCalendar (.ics) : un anniversaire par personne, chaque année,\n"
           "          avec une alarme le matin, autant de jours avant que les rappels de Velorine.\n"
           "          Il n'écrit que dans un nouveau fichier, un fichier vide ou un agenda déjà exporté :\n"
           "          jamais sur une liste ni sur un autre fichier.\n"
           "synchroniser\n"
           "          met la liste à jour depuis le carnet d'adresses en ligne (CardDAV) choisi dans la\n"
           "          fenêtre « Carnet d'adresses en ligne… » : nouveaux contacts ajoutés, dates et noms\n"
           "          corrigés ; une personne retirée du carnet reste dans la liste. Le mot de passe\n"
           "          vient du trousseau de clés du bureau.\n"
           "\n"
           "  --fetes               ajoute à l'agenda les fêtes que les rappels annoncent\n"
           "  --alarme JOURS        l'alarme JOURS jours avant chaque événement (0 : aucune alarme)\n"
           "  --fichier LISTE       ce fichier de données plutôt que celui de Velorine\n"
           "  --mot-de-passe-stdin  lit le mot de passe sur l'entrée standard (une ligne), pas dans\n"
           "                        le trousseau\n"
           "  --une-fois-par-jour   ne fait rien si une synchronisation a déjà eu lieu aujourd'hui\n"
           "  --aide                affiche cette aide\n"
           "\n"
           "Sans --fichier, la liste est celle de Velorine : velor.ini dans le dossier que nomme\n"
           "~/.config/velorine/velorine.conf, sinon dans ~/.local/share/velorine.\n"
           "\n"
           "Quand la liste tient à jour un agenda (menu Options de Velorine), importer le met à jour.\n"
           "\n"
           "Code de sortie : 0 quand l'action a réussi, 2 pour une option ou un fichier incorrects,\n"
           "un fichier qui n'a pas pu être écrit, ou une synchronisation qui a échoué (la raison\n"
           "est écrite sur la sortie d'erreur et la liste reste telle quelle).\n";
}

}  // namespace velorine::tools

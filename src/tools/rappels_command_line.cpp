#include "tools/rappels_command_line.h"

#include "store/civil_calendar.h"
#include "tools/argument_reader.h"

namespace velorine::tools {
namespace {

// Digits from text[pos] on, between minDigits and maxDigits of them.
std::optional<int> digitsAt(std::string_view text, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits) {
    int value = 0;
    std::size_t count = 0;
    while (pos < text.size() && count < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos++] - '0');
        ++count;
    }
    if (count < minDigits) return std::nullopt;
    return value;
}

bool slashAt(std::string_view text, std::size_t& pos) {
    if (pos >= text.size() || text[pos] != '/') return false;
    ++pos;
    return true;
}

std::string refusal(std::string message) { return message + " (velorine-rappels --aide donne l'usage)"; }

// JJ/MM/AAAA: one or two digits for the day and the month, four for the year, and a real day of
// the calendar from year 1 on.
std::optional<store::CalendarDate> parseDateArgument(std::string_view text) {
    std::size_t pos = 0;
    const auto day = digitsAt(text, pos, 1, 2);
    if (!day || !slashAt(text, pos)) return std::nullopt;
    const auto month = digitsAt(text, pos, 1, 2);
    if (!month || !slashAt(text, pos)) return std::nullopt;
    const auto year = digitsAt(text, pos, 4, 4);
    if (!year || pos != text.size()) return std::nullopt;
    const store::CalendarDate date{*day, *month, *year};
    if (date.year < 1 || !store::isRealDate(date)) return std::nullopt;
    return date;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    RappelsOptions& options = line.options;
    ArgumentReader reader(arguments);
    while (!reader.atEnd()) {
        const std::string& argument = reader.take();
        const auto [name, hasInlineValue, inlineValue] = splitOption(argument);
        if (name == "--aide" && !hasInlineValue) {
            options.help = true;
        } else if (name == "--date") {
            if (options.date) return {{}, refusal("l'option --date est donnée deux fois")};
            const auto value = reader.valueOf(inlineValue, hasInlineValue);
            if (!value) return {{}, refusal("l'option --date attend une date JJ/MM/AAAA")};
            options.date = parseDateArgument(*value);
            if (!options.date)
                return {{},
                        "date incorrecte " + quoted(*value) + " : il faut une date du calendrier écrite JJ/MM/AAAA"};
        } else if (name == "--fichier") {
            if (options.dataFile) return {{}, refusal("l'option --fichier est donnée deux fois")};
            options.dataFile = reader.valueOf(inlineValue, hasInlineValue);
            if (!options.dataFile || options.dataFile->empty())
                return {{}, refusal("l'option --fichier attend le chemin d'un fichier de données")};
        } else if (argument.starts_with("-")) {
            return {{}, refusal("option inconnue " + quoted(argument))};
        } else {
            return {{}, refusal("argument inattendu " + quoted(argument))};
        }
    }
    return line;
}

std::string usageText() {
    return "Usage : velorine-rappels [--date JJ/MM/AAAA] [--fichier CHEMIN] [--aide]\n"
           "\n"
           "Affiche les rappels de Velorine, les anniversaires et les fêtes à venir, un par ligne,\n"
           "tels que la fenêtre des rappels les montrerait.\n"
           "\n"
           "  --date JJ/MM/AAAA   les rappels de ce jour-là plutôt que ceux d'aujourd'hui\n"
           "  --fichier CHEMIN    lit ce fichier de données plutôt que celui de Velorine\n"
           "  --aide              affiche cette aide\n"
           "\n"
           "Sans --fichier, le fichier lu est celui de Velorine : velor.ini dans le dossier que nomme\n"
           "~/.config/velorine/velorine.conf, sinon dans ~/.local/share/velorine. Le délai des rappels,\n"
           "les fêtes et les dates de reprise sont ceux du fichier. Rien n'est jamais écrit.\n"
           "\n"
           "Code de sortie : 0 quand au moins un rappel est affiché, 1 quand il n'y a rien à rappeler,\n"
           "2 pour une option, une date ou un fichier incorrects.\n";
}

}  // namespace velorine::tools

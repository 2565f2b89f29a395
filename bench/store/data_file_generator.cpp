#include "data_file_generator.h"

#include <array>
#include <cstdio>
#include <random>

namespace velorine::bench {
namespace {

constexpr std::array<const char*, 24> kSurnames = {"Martin",     "Bernard",  "Dubois", "Thomas", "Robert",   "Richard",
                                                   "Petit",      "Durand",   "Leroy",  "Moreau", "Simon",    "Laurent",
                                                   "Lef\xE8vre", "Michel",   "Garcia", "David",  "Bertrand", "Roux",
                                                   "Vincent",    "Fournier", "Morel",  "Girard", "Andr\xE9", "Mercier"};
constexpr std::array<const char*, 24> kFirstNames = {
    "Jean",        "Marie",    "Pierre", "Anne",      "Michel",  "H\xE9l\xE8ne", "Yves",    "Jeanne",
    "Fran\xE7ois", "Sophie",   "Luc",    "Isabelle",  "Nicolas", "Zo\xE9",       "Paul",    "Camille",
    "Jean-Marie",  "Agn\xE8s", "Thomas", "C\xE9line", "Louis",   "Julie",        "No\xEBl", "Claire"};
constexpr std::array<const char*, 12> kStreets = {"rue de la Paix",
                                                  "avenue Victor-Hugo",
                                                  "boulevard Saint-Michel",
                                                  "place de l'\xC9glise",
                                                  "chemin des Vignes",
                                                  "rue du Moulin",
                                                  "all\xE9"
                                                  "e des Tilleuls",
                                                  "rue Pasteur",
                                                  "impasse des Lilas",
                                                  "quai de la Loire",
                                                  "route de Lyon",
                                                  "rue des \xC9"
                                                  "coles"};
constexpr std::array<const char*, 10> kTowns = {"75011 Paris",  "69003 Lyon",       "13001 Marseille", "31000 Toulouse",
                                                "44000 Nantes", "67000 Strasbourg", "33000 Bordeaux",  "59000 Lille",
                                                "35000 Rennes", "21000 Dijon"};

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

std::string generateDataFile(int records, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](const auto& list) { return std::string(list[random() % list.size()]); };
    std::string out = "[Controle]\r\nVersion=2.0\r\n[Options]\r\nRappelFete=1\r\n[Rappel]\r\nJours=7\r\n[Velorine]\r\n";
    out.reserve(static_cast<std::size_t>(records) * 170);
    char line[256];
    for (int slot = 1; slot <= records; ++slot) {
        if (random() % 20 == 0) {
            std::snprintf(line, sizeof line, "Nom%d=\r\nPren%d=\r\nDate%d=\r\nAdress%d=\r\nEmail%d=\r\n", slot, slot,
                          slot, slot, slot);
            out += line;
            continue;
        }
        const std::string surname = pick(kSurnames), firstName = pick(kFirstNames);
        std::snprintf(
            line, sizeof line,
            "Nom%d=%s\r\nPren%d=%s\r\nDate%d=%02d/%02d/%04d\r\nAdress%d=%u %s, %s\r\nEmail%d=%s.%s%u@exemple.fr\r\n",
            slot, surname.c_str(), slot, firstName.c_str(), slot, static_cast<int>(random() % 28 + 1),
            static_cast<int>(random() % 12 + 1), static_cast<int>(1930 + random() % 95), slot,
            static_cast<unsigned>(random() % 200 + 1), pick(kStreets).c_str(), pick(kTowns).c_str(), slot,
            lower(firstName).c_str(), lower(surname).c_str(), static_cast<unsigned>(slot));
        out += line;
    }
    return out;
}

}  // namespace velorine::bench

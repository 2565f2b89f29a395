#include "contacts/vcard_reader.h"

#include <variant>

#include "contacts/birthday_value.h"
#include "contacts/cp1252_fallback.h"
#include "contacts/vcard_lines.h"
#include "contacts/vcard_values.h"
#include "store/data_file.h"

namespace velorine::contacts {
namespace {

constexpr std::size_t kLongestField = store::kRecordValueLength;

// The lines of one card that make its record.
struct CardLines {
    std::optional<ContentLine> n, fn, adr, bday;
    std::vector<ContentLine> emails;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

// One line of UTF-8 text: line breaks become `lineBreak`, every other control character (C0, DEL,
// C1) a blank, so that nothing a terminal or the data file would obey gets through.
std::string oneLine(std::string_view text, std::string_view lineBreak) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (text[i] == '\n') {
            line.append(lineBreak);
        } else if (byte < 0x20 || byte == 0x7F || c1) {
            line.push_back(' ');
            if (c1) ++i;
        } else {
            line.push_back(text[i]);
        }
    }
    return trimmed(line);
}

// A character left out must not leave a gap: "Rue ✓, Ville" becomes "Rue, Ville".
std::string withoutGaps(std::string_view text) {
    std::string tidy;
    tidy.reserve(text.size());
    for (const char c : text) {
        if (c == ' ' && !tidy.empty() && tidy.back() == ' ') continue;
        if (c == ',' && !tidy.empty() && tidy.back() == ' ') tidy.pop_back();
        tidy.push_back(c);
    }
    return tidy;
}

// As the data file will read the text back: blanks and one pair of quotes around it dropped, at
// most 127 characters; so that a record imported twice is recognised.
std::string asStored(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    if (text.size() > kLongestField) text.resize(kLongestField);
    return trimmed(text);
}

struct FittedField {
    std::string text;
    bool changed = false;
    std::optional<std::string> lost;
};

FittedField fitted(std::string_view utf8) {
    Cp1252Fitting fit = fitToCp1252(utf8);
    std::string text = fit.lost ? withoutGaps(fit.text) : std::move(fit.text);
    return {asStored(std::move(text)), fit.replaced || fit.lost.has_value(), fit.lost};
}

std::string component(const std::vector<std::string>& components, std::size_t index) {
    return index < components.size() ? components[index] : std::string();
}

struct PersonName {
    std::string surname;
    std::string firstName;
};

PersonName nameOf(const CardLines& lines) {
    PersonName name;
    if (lines.n) {
        const auto parts = componentsOf(decodedValue(*lines.n));
        name = {oneLine(component(parts, 0), " "), oneLine(component(parts, 1), " ")};
    }
    if (!name.surname.empty() || !lines.fn) return name;
    const std::string full = oneLine(unescaped(decodedValue(*lines.fn)), " ");
    const std::size_t lastBlank = full.rfind(' ');
    if (lastBlank == std::string::npos) return {full, name.firstName};
    return {full.substr(lastBlank + 1), name.firstName.empty() ? trimmed(full.substr(0, lastBlank)) : name.firstName};
}

std::string addressOf(const CardLines& lines) {
    if (!lines.adr) return {};
    const auto parts = componentsOf(decodedValue(*lines.adr));
    const std::string street = oneLine(component(parts, 2), ", ");
    const std::string town = trimmed(oneLine(component(parts, 5), " ") + " " + oneLine(component(parts, 3), " "));
    if (street.empty() || town.empty()) return street + town;
    return street + ", " + town;
}

std::string emailOf(const CardLines& lines) {
    const ContentLine* chosen = nullptr;
    for (const ContentLine& email : lines.emails) {
        const bool preferred = email.parameter("PREF") == "1" || email.hasType("PREF");
        if (preferred) {
            chosen = &email;
            break;
        }
        if (!chosen) chosen = &email;
    }
    return chosen ? oneLine(unescaped(decodedValue(*chosen)), " ") : std::string();
}

std::string labelOf(const CardLines& lines, const PersonName& name, std::size_t number) {
    if (lines.fn) {
        const std::string fn = oneLine(unescaped(decodedValue(*lines.fn)), " ");
        if (!fn.empty()) return fn;
    }
    const std::string both = trimmed(name.firstName + " " + name.surname);
    return both.empty() ? "carte n° " + std::to_string(number) : both;
}

std::string quoted(std::string_view text) { return "« " + std::string(text) + " »"; }

// The record of one card, or why it is not taken.
std::variant<ContactCard, RefusedCard> cardFrom(const CardLines& lines, std::size_t number) {
    const PersonName name = nameOf(lines);
    const std::string label = labelOf(lines, name, number);
    if (name.surname.empty()) return RefusedCard{label, "carte sans nom", RefusalKind::Name};
    if (!lines.bday) return RefusedCard{label, "pas de date de naissance", RefusalKind::NoBirthday};
    const auto birthday = birthdayOf(*lines.bday, oneLine(unescaped(decodedValue(*lines.bday)), " "));
    if (const auto* refusal = std::get_if<BirthdayRefusal>(&birthday))
        return RefusedCard{label, refusal->reason, RefusalKind::NoBirthday};

    const FittedField surname = fitted(name.surname);
    const FittedField firstName = fitted(name.firstName);
    for (const FittedField* part : {&surname, &firstName}) {
        if (part->lost)
            return RefusedCard{
                label, "le nom contient " + quoted(*part->lost) + ", un caractère que Velorine ne peut pas enregistrer",
                RefusalKind::Name};
    }
    const FittedField address = fitted(addressOf(lines));
    const FittedField email = fitted(emailOf(lines));
    ContactCard card;
    card.label = label;
    card.record = {surname.text, firstName.text, store::displayDate(std::get<store::CalendarDate>(birthday)),
                   address.text, email.text};
    card.changed = surname.changed || firstName.changed || address.changed || email.changed;
    return card;
}

void keep(CardLines& lines, ContentLine line) {
    if (line.name == "N" && !lines.n)
        lines.n = std::move(line);
    else if (line.name == "FN" && !lines.fn)
        lines.fn = std::move(line);
    else if (line.name == "ADR" && !lines.adr)
        lines.adr = std::move(line);
    else if (line.name == "BDAY" && !lines.bday)
        lines.bday = std::move(line);
    else if (line.name == "EMAIL")
        lines.emails.push_back(std::move(line));
}

bool isCardBoundary(std::string_view line, std::string_view word) {
    const auto parsed = parseContentLine(line);
    return parsed && parsed->name == word && upperAscii(trimmed(parsed->value)) == "VCARD";
}

}  // namespace

VcardReading readVcards(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos)
        return {std::nullopt, "il contient des données binaires : ce n'est pas un fichier de contacts vCard"};
    const std::vector<std::string> lines = unfoldedLines(bytes);
    if (lines.empty() || !isCardBoundary(lines.front(), "BEGIN"))
        return {std::nullopt, "ce n'est pas un fichier de contacts vCard"};
    VcardBook book;
    CardLines card;
    int depth = 0;  // a 2.1 AGENT may hold a card of its own: its lines are not this card's
    std::size_t number = 0;
    for (const std::string& line : lines) {
        if (isCardBoundary(line, "BEGIN")) {
            if (depth++ == 0) {
                card = {};
                ++number;
            }
        } else if (isCardBoundary(line, "END") && depth > 0) {
            if (--depth > 0) continue;
            auto taken = cardFrom(card, number);
            if (auto* contact = std::get_if<ContactCard>(&taken))
                book.cards.push_back(std::move(*contact));
            else
                book.refused.push_back(std::get<RefusedCard>(std::move(taken)));
        } else if (depth == 1) {
            if (auto parsed = parseContentLine(line)) keep(card, std::move(*parsed));
        }
    }
    if (depth > 0)
        return {std::nullopt, "la carte n° " + std::to_string(number) +
                                  " est incomplète (sa fin END:VCARD manque) : "
                                  "le fichier a sans doute été tronqué"};
    return {std::move(book), {}};
}

VcardReading readVcardFile(const std::string& path) {
    const store::Result<std::string> bytes = store::readFileBytes(path, kLargestVcardFile);
    if (bytes) return readVcards(*bytes);
    switch (bytes.failure()) {
        case store::Failure::Missing: return {std::nullopt, "fichier introuvable"};
        case store::Failure::DirectoryMissing: return {std::nullopt, "un élément du chemin n'est pas un dossier"};
        case store::Failure::Directory: return {std::nullopt, "c'est un dossier, pas un fichier"};
        case store::Failure::NotARegularFile: return {std::nullopt, "ce n'est pas un fichier ordinaire"};
        case store::Failure::PermissionDenied: return {std::nullopt, "vous n'avez pas le droit de le lire"};
        case store::Failure::TooLarge:
            return {std::nullopt, "il dépasse 32 Mio, bien plus que n'importe quel carnet d'adresses"};
        case store::Failure::DanglingLink: return {std::nullopt, "c'est un lien symbolique vers un fichier absent"};
        case store::Failure::ForeignLink:
            return {std::nullopt, "c'est le lien symbolique d'un autre utilisateur, il n'est pas suivi"};
        default: break;  // the others are a write's, or the disk's
    }
    return {std::nullopt, "sa lecture a échoué"};
}

}  // namespace velorine::contacts

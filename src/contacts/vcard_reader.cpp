#include "contacts/vcard_reader.h"

#include <variant>

#include "contacts/birthday_value.h"
#include "contacts/charset_conversion.h"
#include "contacts/cp1252_fallback.h"
#include "contacts/vcard_lines.h"
#include "contacts/vcard_values.h"
#include "store/data_file.h"

namespace velorine::contacts {
namespace {

constexpr std::size_t kLongestField = store::kRecordValueLength;

// What one card has given so far: the lines that make its record, the birthday as soon as a BDAY
// gives one, and the first character set that could not be converted. Kept small whatever the
// card holds: one line of each kind, one e-mail.
struct CardLines {
    std::optional<ContentLine> n, fn, adr, email;
    bool emailPreferred = false;
    std::optional<store::CalendarDate> birth;
    std::optional<std::string> birthRefusal;  // why the first BDAY gave none
    std::optional<std::string> unreadableCharset;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

// No text of a card is kept longer than this: the data file keeps 127 characters, a summary names a
// card in a line, and a hostile card's megabytes of name are not carried from copy to copy.
constexpr std::size_t kLongestText = 4096;

// One line of UTF-8 text, at most kLongestText bytes of it (cut before a whole character): line
// breaks become `lineBreak`, every other control character (C0, DEL, C1) a blank, so that nothing a
// terminal or the data file would obey gets through.
std::string oneLine(std::string_view text, std::string_view lineBreak) {
    if (text.size() > kLongestText) {
        std::size_t cut = kLongestText;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text = text.substr(0, cut);
    }
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

// Decodes the values of one card, and remembers the first character set it could not convert.
class CardDecoder {
public:
    CardDecoder(CharsetConverter& converter, std::optional<std::string>& unreadable)
        : converter_(converter), unreadable_(unreadable) {}
    std::string operator()(const ContentLine& line) {
        if (auto decoded = decodedValue(line, converter_)) return std::move(*decoded);
        if (!unreadable_) unreadable_ = std::string(line.parameter("CHARSET").value_or(""));
        return {};
    }

private:
    CharsetConverter& converter_;
    std::optional<std::string>& unreadable_;
};

// The last word is the surname, the words before it the first name; one word is a surname alone.
PersonName splitFullName(const std::string& full) {
    const std::size_t lastBlank = full.rfind(' ');
    if (lastBlank == std::string::npos) return {full, {}};
    return {full.substr(lastBlank + 1), trimmed(full.substr(0, lastBlank))};
}

PersonName nameOf(const CardLines& lines, CardDecoder& decode) {
    std::vector<std::string> parts;
    if (lines.n) parts = componentsOf(decode(*lines.n));
    const std::string family = oneLine(component(parts, 0), " ");
    if (!family.empty()) return {family, oneLine(component(parts, 1), " ")};
    // No surname in N: the whole name from FN, which holds it as people write it, else from the
    // given name; never the same word as both names.
    const std::string full = lines.fn ? oneLine(unescaped(decode(*lines.fn)), " ") : std::string();
    return splitFullName(full.empty() ? oneLine(component(parts, 1), " ") : full);
}

std::string addressOf(const CardLines& lines, CardDecoder& decode) {
    if (!lines.adr) return {};
    const auto parts = componentsOf(decode(*lines.adr));
    const std::string street = oneLine(component(parts, 2), ", ");
    const std::string town = trimmed(oneLine(component(parts, 5), " ") + " " + oneLine(component(parts, 3), " "));
    if (street.empty() || town.empty()) return street + town;
    return street + ", " + town;
}

std::string emailOf(const CardLines& lines, CardDecoder& decode) {
    return lines.email ? oneLine(unescaped(decode(*lines.email)), " ") : std::string();
}

std::string labelOf(const CardLines& lines, const PersonName& name, std::size_t number, CardDecoder& decode) {
    if (lines.fn) {
        const std::string fn = oneLine(unescaped(decode(*lines.fn)), " ");
        if (!fn.empty()) return fn;
    }
    const std::string both = trimmed(name.firstName + " " + name.surname);
    return both.empty() ? "carte n° " + std::to_string(number) : both;
}

std::string quoted(std::string_view text) { return "« " + std::string(text) + " »"; }

// The record of one card, or why it is not taken.
std::variant<ContactCard, RefusedCard> cardFrom(CardLines& lines, std::size_t number, CharsetConverter& converter) {
    CardDecoder decode(converter, lines.unreadableCharset);
    const PersonName name = nameOf(lines, decode);
    const std::string address = addressOf(lines, decode);
    const std::string email = emailOf(lines, decode);
    // A value that could not be decoded is empty: it never names the card with wrong letters.
    const std::string label = labelOf(lines, name, number, decode);
    if (!lines.birth)
        return RefusedCard{label, lines.birthRefusal.value_or("pas de date de naissance"), RefusalKind::NoBirthday};
    if (lines.unreadableCharset)
        return RefusedCard{label,
                           "texte illisible dans le jeu de caractères annoncé " + quoted(*lines.unreadableCharset),
                           RefusalKind::Letters};
    if (name.surname.empty()) return RefusedCard{label, "carte sans nom", RefusalKind::Name};

    const FittedField surname = fitted(name.surname);
    const FittedField firstName = fitted(name.firstName);
    for (const FittedField* part : {&surname, &firstName}) {
        if (part->lost)
            return RefusedCard{
                label, "le nom contient " + quoted(*part->lost) + ", un caractère que Velorine ne peut pas enregistrer",
                RefusalKind::Name};
    }
    const FittedField fittedAddress = fitted(address);
    const FittedField fittedEmail = fitted(email);
    ContactCard card;
    card.label = label;
    card.record = {surname.text, firstName.text, store::displayDate(*lines.birth), fittedAddress.text,
                   fittedEmail.text};
    card.changed = surname.changed || firstName.changed || fittedAddress.changed || fittedEmail.changed;
    return card;
}

bool isPreferred(const ContentLine& email) { return email.parameter("PREF") == "1" || email.hasType("PREF"); }

// Takes what the card needs from one of its lines; the other lines are not even parsed.
void keep(CardLines& lines, std::string_view name, std::string_view text, CharsetConverter& converter,
          const store::CalendarDate& today) {
    const auto parsedIf = [&](std::optional<ContentLine>& slot, std::string_view word) {
        if (!slot && equalsIgnoringCase(name, word)) slot = parseContentLine(text);
    };
    parsedIf(lines.n, "N");
    parsedIf(lines.fn, "FN");
    parsedIf(lines.adr, "ADR");
    if (equalsIgnoringCase(name, "EMAIL") && !lines.emailPreferred) {
        auto email = parseContentLine(text);
        if (email && (!lines.email || isPreferred(*email))) {
            lines.emailPreferred = isPreferred(*email);
            lines.email = std::move(email);
        }
    }
    if (equalsIgnoringCase(name, "BDAY") && !lines.birth) {
        const auto bday = parseContentLine(text);
        if (!bday) return;
        CardDecoder decode(converter, lines.unreadableCharset);
        const auto birthday = birthdayOf(*bday, oneLine(unescaped(decode(*bday)), " "), today);
        if (const auto* date = std::get_if<store::CalendarDate>(&birthday))
            lines.birth = *date;
        else if (!lines.birthRefusal)
            lines.birthRefusal = std::get<BirthdayRefusal>(birthday).reason;
    }
}

// "BEGIN:VCARD" or "END:VCARD", in any case, with or without a group.
bool isCardBoundary(std::string_view name, std::string_view line, std::string_view word) {
    if (!equalsIgnoringCase(name, word)) return false;
    return equalsIgnoringCase(trimmed(line.substr(line.find(':') + 1)), "VCARD");
}

// The text of the file as UTF-8 or single bytes: UTF-16 with its byte-order mark converted, the NUL
// bytes that pad some exports' end left out. Nothing, with the reason, when it is no text.
std::optional<std::string_view> textOf(std::string_view bytes, std::string& converted, CharsetConverter& converter,
                                       std::string& error) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        auto utf8 = converter.toUtf8(bytes, "UTF-16");
        if (!utf8) {
            error = "son texte UTF-16 est illisible : ce n'est pas un fichier de contacts vCard";
            return std::nullopt;
        }
        converted = std::move(*utf8);
        bytes = converted;
    }
    while (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
    if (bytes.find('\0') != std::string_view::npos) {
        error = "il contient des données binaires : ce n'est pas un fichier de contacts vCard";
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

VcardReading readVcards(std::string_view bytes, const store::CalendarDate& today) {
    CharsetConverter converter;
    std::string converted, error;
    const auto text = textOf(bytes, converted, converter, error);
    if (!text) return {std::nullopt, error};
    VcardBook book;
    CardLines card;
    bool started = false;
    int depth = 0;  // a 2.1 AGENT may hold a card of its own: its lines are not this card's
    std::size_t number = 0;
    forEachUnfoldedLine(*text, [&](std::string_view line) {
        const std::string_view name = lineName(line);
        if (!started && !isCardBoundary(name, line, "BEGIN")) return false;
        started = true;
        if (isCardBoundary(name, line, "BEGIN")) {
            if (depth++ == 0) {
                card = {};
                ++number;
            }
        } else if (isCardBoundary(name, line, "END") && depth > 0) {
            if (--depth > 0) return true;
            auto taken = cardFrom(card, number, converter);
            if (auto* contact = std::get_if<ContactCard>(&taken))
                book.cards.push_back(std::move(*contact));
            else
                book.refused.push_back(std::get<RefusedCard>(std::move(taken)));
        } else if (depth == 1) {
            keep(card, name, line, converter, today);
        }
        return true;
    });
    if (!started) return {std::nullopt, "ce n'est pas un fichier de contacts vCard"};
    if (depth > 0)
        return {std::nullopt, "la carte n° " + std::to_string(number) +
                                  " est incomplète (sa fin END:VCARD manque) : "
                                  "le fichier a sans doute été tronqué"};
    return {std::move(book), {}};
}

VcardReading readVcardFile(const std::string& path, const store::CalendarDate& today) {
    const store::Result<std::string> bytes = store::readFileBytes(path, kLargestVcardFile);
    if (bytes) return readVcards(*bytes, today);
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

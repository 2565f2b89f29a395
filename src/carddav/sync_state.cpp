#include "carddav/sync_state.h"

#include <algorithm>
#include <charconv>

#include "app/daily_sync.h"

namespace velorine::carddav {
namespace {

constexpr std::string_view kBookStem = "Carnet";
constexpr std::string_view kCardStem = "Carte";
constexpr std::string_view kFailureKey = "Echec";
constexpr char kSeparator = '|';
constexpr std::size_t kCardFields = 9;

// What the settings-file read drops around a value: blanks, and a pair of quotes.
bool isDroppedAtEnds(char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t bar = line.find(kSeparator); bar != std::string_view::npos; bar = line.find(kSeparator, start)) {
        fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// The number after the stem of a key ("Carte12" is 12), letter case aside; nothing for another key.
std::optional<int> numberAfter(std::string_view key, std::string_view stem) {
    if (key.size() <= stem.size()) return std::nullopt;
    for (std::size_t i = 0; i < stem.size(); ++i)
        if ((key[i] | 0x20) != (stem[i] | 0x20)) return std::nullopt;
    int number = 0;
    const char* end = key.data() + key.size();
    const auto [next, error] = std::from_chars(key.data() + stem.size(), end, number);
    if (error != std::errc() || next != end || number <= 0) return std::nullopt;
    return number;
}

// The escaping of the fields. `allAscii` also escapes bytes above 0x7E.
std::string escapedField(std::string_view text, bool allAscii = false) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool atEnd = i == 0 || i + 1 == text.size();
        if (byte < 0x20 || byte == 0x7F || byte == '%' || byte == kSeparator || (allAscii && byte > 0x7E) ||
            (atEnd && isDroppedAtEnds(text[i]))) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
        } else {
            escaped += text[i];
        }
    }
    return escaped;
}

std::string joined(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += kSeparator;
        line += escapedField(fields[i]);
    }
    return line;
}

void appendLine(std::string& lines, std::string_view key, std::string_view value) {
    lines.append(key).append("=").append(value).append("\n");
}

std::string unescapedField(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            plain += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

}  // namespace

const KnownBook* SyncState::book(std::string_view address) const {
    const auto found =
        std::find_if(books.begin(), books.end(), [&](const KnownBook& b) { return b.address == address; });
    return found == books.end() ? nullptr : &*found;
}

SyncState readSyncState(const store::IniDocument& doc) {
    SyncState state;
    std::map<int, KnownBook> books;
    struct NumberedCard {
        int book;
        std::string href;
        KnownCard card;
    };
    std::vector<NumberedCard> cards;
    doc.forEachKey(app::kOnlineCardsSection, [&](std::string_view key, std::string_view value) {
        if (const auto number = numberAfter(key, kBookStem)) {
            const auto fields = fieldsOf(value);
            if (fields.size() == 2 && !fields[0].empty() && !books.contains(*number))
                books[*number] = {unescapedField(fields[0]), unescapedField(fields[1]), {}};
        } else if (numberAfter(key, kCardStem)) {
            const auto fields = fieldsOf(value);
            int book = 0;
            if (fields.size() != kCardFields ||
                std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), book).ec != std::errc() ||
                fields[1].empty())
                return;
            NumberedCard numbered{
                book, unescapedField(fields[1]), {unescapedField(fields[2]), unescapedField(fields[3]), {}}};
            if (!fields[4].empty())
                numbered.card.record = store::BirthdayRecord{unescapedField(fields[4]), unescapedField(fields[5]),
                                                             unescapedField(fields[6]), unescapedField(fields[7]),
                                                             unescapedField(fields[8])};
            cards.push_back(std::move(numbered));
        }
    });
    for (NumberedCard& numbered : cards) {
        const auto book = books.find(numbered.book);
        if (book != books.end()) book->second.cards.emplace(std::move(numbered.href), std::move(numbered.card));
    }
    for (auto& [number, book] : books) state.books.push_back(std::move(book));
    const auto lastDay = doc.find(app::kOnlineCardsSection, app::kLastSyncDayKey);
    if (lastDay) state.lastDay = store::scanDayText(*lastDay);
    if (const auto failure = doc.find(app::kOnlineCardsSection, kFailureKey)) state.failure = unescapedField(*failure);
    return state;
}

void writeSyncState(store::IniDocument& doc, const SyncState& state) {
    std::string lines;
    if (state.lastDay) appendLine(lines, app::kLastSyncDayKey, store::dayText(*state.lastDay));
    appendLine(lines, kFailureKey, escapedField(state.failure, true));
    int bookNumber = 0;
    int cardNumber = 0;
    for (const KnownBook& book : state.books) {
        const std::string number = std::to_string(++bookNumber);
        appendLine(lines, std::string(kBookStem) + number, joined({book.address, book.syncToken}));
        for (const auto& [href, card] : book.cards) {
            const store::BirthdayRecord none;
            const store::BirthdayRecord& r = card.record ? *card.record : none;
            appendLine(
                lines, std::string(kCardStem) + std::to_string(++cardNumber),
                joined({number, href, card.etag, card.uid, r.surname, r.firstName, r.birthDate, r.address, r.email}));
        }
    }
    doc.replaceSection(app::kOnlineCardsSection, std::move(lines));
}

void writeFailureIn(store::IniDocument& doc, const std::string& reason, const store::CalendarDate& today) {
    doc.writeAll(app::kOnlineCardsSection,
                 {{app::kLastSyncDayKey, store::dayText(today)}, {kFailureKey, escapedField(reason, true)}});
}

}  // namespace velorine::carddav

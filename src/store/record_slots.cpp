#include "store/record_slots.h"

#include <functional>

#include "store/key_index.h"
#include "store/record_store.h"

namespace velorine::store {
namespace {

constexpr std::array<std::string_view, 6> kStems = {"Nom", "Pren", "Date", "Adress", "Email", "Proch"};

// The slot number of a record key: a stem, then a decimal number without sign or leading zero
// (the only spelling a lookup of stem + number can match).
std::optional<std::pair<SlotField, std::size_t>> parseRecordKey(std::string_view key) {
    if (key.empty()) return std::nullopt;
    // Only the stems that begin with the key's letter are worth comparing.
    const char initial = static_cast<char>(key.front() | 0x20);
    for (std::size_t f = 0; f < kStems.size(); ++f) {
        const std::string_view stem = kStems[f];
        if ((stem.front() | 0x20) != initial) continue;
        if (key.size() <= stem.size() || !equalIgnoringCase(key.substr(0, stem.size()), stem)) continue;
        const std::string_view digits = key.substr(stem.size());
        if (digits.size() > 9 || digits.front() < '1' || digits.front() > '9') return std::nullopt;
        std::size_t number = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            number = number * 10 + static_cast<std::size_t>(c - '0');
        }
        return std::pair{static_cast<SlotField>(f), number};
    }
    return std::nullopt;
}

}  // namespace

std::string_view stemOf(SlotField field) { return kStems[static_cast<std::size_t>(field)]; }

RecordSlots::RecordSlots(const IniDocument& doc, std::string_view section, std::size_t extraSlots)
    : parsed_(doc.parsedBytes()) {
    // One pass. The program writes its records in slot order, so each key's slot is at most one
    // past those seen; the keys of a file in another order wait until the key count, and so the
    // reachable slots, are known, and they keep their file order so that the first still wins.
    struct LaterKey {
        std::uint32_t number;
        SlotField field;
        ValueAt value;
    };
    std::vector<LaterKey> later;
    std::size_t keys = 0;
    const auto take = [this](std::size_t number, SlotField field, ValueAt value) {
        if (slots_.size() < number) slots_.resize(number);
        ValueAt& kept = slots_[number - 1][static_cast<std::size_t>(field)];
        if (kept.at == kAbsent) kept = value;  // the first of duplicated keys wins
    };
    doc.forEachKey(section, [&](std::string_view key, std::string_view value) {
        ++keys;
        const auto parsed = parseRecordKey(key);
        if (!parsed) return;
        const auto [field, number] = *parsed;
        if (later.empty() && number <= slots_.size() + 1) {
            take(number, field, locate(value));
        } else {
            later.push_back({static_cast<std::uint32_t>(number), field, locate(value)});
        }
    });
    const std::size_t reachable = keys + 1 + extraSlots;
    for (const LaterKey& key : later)
        if (key.number <= reachable) take(key.number, key.field, key.value);
}

RecordSlots::ValueAt RecordSlots::locate(std::string_view value) {
    if (value.empty()) return {0, 0};  // an empty view may point anywhere, or nowhere
    const std::less<const char*> before;
    const char* end = parsed_.data() + parsed_.size();
    if (!before(value.data(), parsed_.data()) && !before(end, value.data() + value.size())) {
        const auto offset = static_cast<std::size_t>(value.data() - parsed_.data());
        if (offset < kWritten) return {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(value.size())};
    }
    written_.push_back(value);
    return {static_cast<std::uint32_t>(kWritten | (written_.size() - 1)), 0};
}

std::string_view RecordSlots::valueOf(ValueAt where) const {
    if (where.at & kWritten) return written_[where.at & ~kWritten];
    return parsed_.substr(where.at, where.length);
}

std::optional<std::string_view> RecordSlots::find(int slot, SlotField field) const {
    if (slot < 1 || static_cast<std::size_t>(slot) > slots_.size()) return std::nullopt;
    const ValueAt where = slots_[static_cast<std::size_t>(slot) - 1][static_cast<std::size_t>(field)];
    if (where.at == kAbsent) return std::nullopt;
    return valueOf(where);
}

std::string_view RecordSlots::view(int slot, SlotField field, std::string_view defaultText) const {
    return find(slot, field).value_or(defaultText).substr(0, kRecordValueLength);
}

std::string RecordSlots::read(int slot, SlotField field, std::string_view defaultText) const {
    return std::string(view(slot, field, defaultText));
}

}  // namespace velorine::store

#include "store/key_index.h"

#include <algorithm>

namespace velorine::store {
namespace {

unsigned char asciiLower(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

// Slots for `keys` keys at most three quarters full.
std::size_t slotsFor(std::size_t keys) {
    std::size_t size = 16;
    while (size / 4 * 3 < keys) size *= 2;
    return size;
}

}  // namespace

std::uint64_t caseInsensitiveHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : text) hash = (hash ^ asciiLower(c)) * 1099511628211ull;
    // Multiplication only carries upwards, so the low bits that pick a slot would see only the low
    // bits of each character ("Nom1" ... "Nom99999" would pile up): mix the high bits down.
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ull;
    return hash ^ (hash >> 33);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

void KeyIndex::reserve(std::size_t keys) {
    if (slots_.empty() && keys > 0) {
        slots_.assign(slotsFor(keys), kEmpty);
        tags_.assign(slots_.size(), 0);
    }
}

std::size_t KeyIndex::slotFor(std::string_view key, std::uint64_t hash, const KeyAt& keyAt) const {
    const std::size_t mask = slots_.size() - 1;
    const std::uint8_t tag = tagOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint32_t position = slots_[i];
        if (position == kEmpty || (tags_[i] == tag && equalIgnoringCase(keyAt(position), key))) return i;
    }
}

void KeyIndex::grow(std::size_t slots, const KeyAt& keyAt) {
    std::vector<std::uint32_t> old = std::move(slots_);
    slots_.assign(slots, kEmpty);
    tags_.assign(slots, 0);
    for (const std::uint32_t position : old) {
        if (position == kEmpty) continue;
        const std::string_view key = keyAt(position);
        const std::uint64_t hash = caseInsensitiveHash(key);
        const std::size_t slot = slotFor(key, hash, keyAt);
        slots_[slot] = position;
        tags_[slot] = tagOf(hash);
    }
}

bool KeyIndex::insert(std::string_view key, std::size_t position, const KeyAt& keyAt) {
    if (slots_.size() / 4 * 3 < used_ + 1) grow(slotsFor(used_ + 1), keyAt);
    const std::uint64_t hash = caseInsensitiveHash(key);
    const std::size_t slot = slotFor(key, hash, keyAt);
    if (slots_[slot] != kEmpty) return false;
    slots_[slot] = static_cast<std::uint32_t>(position);
    tags_[slot] = tagOf(hash);
    ++used_;
    return true;
}

std::size_t KeyIndex::find(std::string_view key, const KeyAt& keyAt) const {
    if (slots_.empty()) return npos;
    const std::uint32_t position = slots_[slotFor(key, caseInsensitiveHash(key), keyAt)];
    return position == kEmpty ? npos : position;
}

void KeyIndex::clear() {
    slots_.clear();
    tags_.clear();
    used_ = 0;
}

}  // namespace velorine::store

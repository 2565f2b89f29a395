#include "store/key_index.h"

#include <algorithm>

namespace velorine::store {
namespace {

unsigned char asciiLower(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

std::size_t powerOfTwoAtLeast(std::size_t n) {
    std::size_t size = 16;
    while (size < n) size *= 2;
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
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

void KeyIndex::reserve(std::size_t keys) {
    if (slots_.empty() && keys > 0) slots_.resize(powerOfTwoAtLeast(keys * 2));
}

std::size_t KeyIndex::slotFor(std::string_view key, std::uint64_t hash, const KeyAt& keyAt) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.position == npos || (slot.hash == hash && equalIgnoringCase(keyAt(slot.position), key)))
            return i;
    }
}

void KeyIndex::grow(const KeyAt& keyAt) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(powerOfTwoAtLeast(old.size() * 2), Slot{});
    for (const Slot& slot : old)
        if (slot.position != npos) slots_[slotFor(keyAt(slot.position), slot.hash, keyAt)] = slot;
}

void KeyIndex::insert(std::string_view key, std::size_t position, const KeyAt& keyAt) {
    if ((used_ + 1) * 2 > slots_.size()) grow(keyAt);
    const std::uint64_t hash = caseInsensitiveHash(key);
    Slot& slot = slots_[slotFor(key, hash, keyAt)];
    if (slot.position != npos) return;
    slot = Slot{hash, position};
    ++used_;
}

std::size_t KeyIndex::find(std::string_view key, const KeyAt& keyAt) const {
    if (slots_.empty()) return npos;
    return slots_[slotFor(key, caseInsensitiveHash(key), keyAt)].position;
}

void KeyIndex::clear() {
    slots_.clear();
    used_ = 0;
}

}  // namespace velorine::store

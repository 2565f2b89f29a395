#pragma once
// The key lookup of one section: key names, without regard to ASCII case, to line positions.
//
// Open addressing in one flat array of 32-bit positions, so that indexing the 500,000 keys of a
// large record section (or the millions of section names of a hostile file) is one allocation of
// a few bytes a name, and lookups stay cache-friendly. The index stores positions only; the caller
// hands in the function that gives the key of a position, so keys are never copied. Beside each
// position a byte of its key's hash is kept, so that a probe asks for a key (a read far away in
// the document) only when that byte matches. Positions must be below 2^32 - 1.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace velorine::store {

std::uint64_t caseInsensitiveHash(std::string_view text);
bool equalIgnoringCase(std::string_view a, std::string_view b);

class KeyIndex {
public:
    using KeyAt = std::function<std::string_view(std::size_t position)>;

    // Room for that many keys without growing.
    void reserve(std::size_t keys);
    // Records `position` for `key` unless the key is already there (the first one wins). True
    // when it was recorded.
    bool insert(std::string_view key, std::size_t position, const KeyAt& keyAt);
    // The position recorded for the key, or npos.
    std::size_t find(std::string_view key, const KeyAt& keyAt) const;
    void clear();

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    void grow(std::size_t slots, const KeyAt& keyAt);
    std::size_t slotFor(std::string_view key, std::uint64_t hash, const KeyAt& keyAt) const;
    static std::uint8_t tagOf(std::uint64_t hash) { return static_cast<std::uint8_t>(hash >> 56); }

    std::vector<std::uint32_t> slots_;
    std::vector<std::uint8_t> tags_;  // tags_[i]: the hash byte of the key at slots_[i]
    std::size_t used_ = 0;
};

}  // namespace velorine::store

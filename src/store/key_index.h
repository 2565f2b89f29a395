#pragma once
// The key lookup of one section: key names, without regard to ASCII case, to line positions.
//
// Open addressing in one flat array of 32-bit positions, so that indexing the 500,000 keys of a
// large record section (or the millions of section names of a hostile file) is one allocation of
// a few bytes a name, and lookups stay cache-friendly. The index stores positions only; the caller
// hands in the function that gives the key of a position, so keys are never copied. Positions
// must be below 2^32 - 1.

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
    std::size_t slotFor(std::string_view key, const KeyAt& keyAt) const;

    std::vector<std::uint32_t> slots_;
    std::size_t used_ = 0;
};

}  // namespace velorine::store

#pragma once
// The key lookup of one section: key names, without regard to ASCII case, to line positions.
//
// Open addressing in one flat array, so that indexing the 500,000 keys of a large record section is
// a few allocations and lookups stay cache-friendly. The index stores positions only; the caller
// hands in the function that gives the key of a position, so keys are never copied.

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

    void reserve(std::size_t keys);
    // Records `position` for `key` unless the key is already there (the first one wins).
    void insert(std::string_view key, std::size_t position, const KeyAt& keyAt);
    // The position recorded for the key, or npos.
    std::size_t find(std::string_view key, const KeyAt& keyAt) const;
    void clear();

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t position = npos;
    };
    void grow(const KeyAt& keyAt);
    std::size_t slotFor(std::string_view key, std::uint64_t hash, const KeyAt& keyAt) const;

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

}  // namespace velorine::store

#pragma once
// The record section of one snapshot laid out by slot: Nom<n>, Pren<n>, Date<n>, Adress<n>,
// Email<n> and Proch<n> of every slot, found in one pass over the section.
//
// It answers exactly what a lookup of "Nom12" would (names without regard to case, the first of
// duplicated keys), without a lookup per key: reading 10,000 records is then one sequential pass.
// Only slots up to the section's key count + 1 can be reached by walking the list from slot 1 (the
// walk ends at the first absent Nom<n>), so higher numbers are not kept and a hostile "Nom999999999"
// costs nothing. A caller about to fill slots asks for as many more as it will fill: the keys
// already past the end of the list are then seen.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ini_document.h"

namespace velorine::store {

enum class SlotField { Surname, FirstName, BirthDate, Address, Email, ResumeDate };

class RecordSlots {
public:
    RecordSlots(const IniDocument& doc, std::string_view section, std::size_t extraSlots = 0);

    // The value of the field, as a key lookup gives it; nothing when absent.
    std::optional<std::string_view> find(int slot, SlotField field) const;
    // The value or the default, cut to kRecordValueLength characters like every record read.
    std::string read(int slot, SlotField field, std::string_view defaultText = {}) const;
    // The same without a copy; valid as long as the document and the default.
    std::string_view view(int slot, SlotField field, std::string_view defaultText = {}) const;

private:
    // Where a value is, in 8 bytes rather than a view's 16 (a million people make six million of
    // them): an offset into the document's parsed bytes, or, for a value written since the parse,
    // an index into written_ marked by kWritten.
    struct ValueAt {
        std::uint32_t at = kAbsent;
        std::uint32_t length = 0;
    };
    using Slot = std::array<ValueAt, 6>;
    static constexpr std::uint32_t kAbsent = 0xFFFFFFFFu;
    static constexpr std::uint32_t kWritten = 0x80000000u;

    ValueAt locate(std::string_view value);
    std::string_view valueOf(ValueAt where) const;

    std::string_view parsed_;
    std::vector<std::string_view> written_;
    std::vector<Slot> slots_;  // slots_[n - 1] is slot n
};

// The key name stem of a field: "Nom", "Pren", "Date", "Adress", "Email", "Proch".
std::string_view stemOf(SlotField field);

}  // namespace velorine::store

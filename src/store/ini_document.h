#pragma once
// One parsed image of a settings file: the sections, keys and values of the data file, and every
// other line of it kept as it was.
//
// Reading follows the rules every caller relies on:
//   - a line "[name]" opens a section; a line "key=value" inside a section holds one value; lines
//     beginning with ";" are comments; anything else (blank lines, junk, a "[" without "]") is kept
//     and ignored;
//   - section and key names match without regard to case (ASCII letters), blanks around them and
//     around the value are dropped, and so is one pair of enclosing quotes (' or ") of the value;
//     the names a caller gives are taken without their blanks too (store/read_rules.h);
//   - a value ends at its first NUL byte, as the zero-terminated text of a settings-file read does;
//   - the first of duplicated sections, and the first of duplicated keys in it, wins;
//   - lines may end in CR LF or LF, and the last one may have no end at all;
//   - a UTF-8 byte order mark at the very start is skipped (and kept when the file is written).
//
// Writing changes only what it must: an existing key is rewritten in place, a new key goes after the
// last non-blank line of its section, a new section at the end of the document. Lines of other
// sections, comments and unknown lines are kept byte for byte. serialize() ends every line with CR LF.
//
// Memory: the parsed bytes once, about a dozen bytes a section (offsets and the name index), and lines split out only
// for the sections edited or looked up many times; a later duplicate of a section is kept as plain bytes. Parsing and
// every read are linear in the size of the bytes.
//
// A document is a value in memory and touches no file; data_file.h reads and commits it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/key_index.h"

namespace velorine::store {

class IniDocument {
public:
    IniDocument();
    // Parses any bytes up to 4 GiB (data files are far smaller); never fails (unknown lines are kept
    // as they are).
    static IniDocument parse(std::string bytes);
    // True when the bytes are a settings file: one section header at least, or nothing but blank
    // lines (an empty list). False for text in UTF-16 or any other bytes without a header, which
    // parse() would take for an empty document.
    static bool readsAsSettings(std::string_view bytes);

    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;
    ~IniDocument();

    // The value of the key, blanks and enclosing quotes dropped; nothing when the section or the
    // key is absent.
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // Reads like the settings-file read: the value when present (possibly empty), else the default;
    // either cut to bufferSize - 1 characters (bufferSize counts a terminator, so 0 gives "").
    // The number of characters delivered is the size of the result.
    std::string read(std::string_view section, std::string_view key, std::string_view defaultText,
                     std::size_t bufferSize) const;

    bool hasSection(std::string_view section) const;

    // Creates the section or the key as needed and sets the value. Line breaks in the value would
    // split the line into others, so CR, LF and every other control byte but tab are stored as
    // blanks. A key that could not be read back as itself (empty, or holding "=", CR or LF, or
    // beginning with ";" or "[") is not written, and creates no section.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Several writes into one section, in order, as write() would do them one by one, but finding
    // all the keys in one pass over the section.
    using KeyValue = std::pair<std::string_view, std::string_view>;
    void writeAll(std::string_view section, const std::vector<KeyValue>& keyValues);

    // Removes every line inside the section, keeping its header (and the first of the blank lines
    // that separate it from the next one). An absent section is created empty.
    void clearSection(std::string_view section);

    // Replaces the whole content of the section by `lines` ("key=value" lines, each ending in "\n");
    // the section is created when absent. Much cheaper than clearing and writing key after key. Of
    // the blank lines that ended the section, the first is kept to separate it from the next one.
    void replaceSection(std::string_view section, std::string lines);

    // Calls visit(key, value) for every key line of the section, in file order, duplicates included.
    void forEachKey(std::string_view section,
                    const std::function<void(std::string_view key, std::string_view value)>& visit) const;
    // The number of key lines of the section.
    std::size_t keyCount(std::string_view section) const;

    // Calls visit(line) for every line of the section, without its line end, in file order, as long
    // as it returns true. False when visit stopped it; true for an absent section.
    bool everyLineOf(std::string_view section, const std::function<bool(std::string_view line)>& visit) const;
    // The whole line that holds the key, as it stands; nothing when the section or the key is absent.
    std::optional<std::string_view> keyLineText(std::string_view section, std::string_view key) const;

    // True when serialize() of the document as parsed gives back the very bytes it was parsed from
    // (every line ends in CR LF), so a commit that edits nothing would write nothing. Tells about the
    // parsed bytes only, not about edits made since.
    bool parsedBytesAreSerialForm() const;

    // The bytes the document was parsed from.
    std::string_view parsedBytes() const { return all(); }

    // True when serialize() would give back the very bytes parsed, edits included: a commit then has
    // nothing to write. Compared piece by piece, it stops at the first difference and makes no copy.
    bool serializesToParsedBytes() const;

    // Receives the serial form piece by piece, in order; returns false to stop it.
    using ChunkSink = std::function<bool(std::string_view chunk)>;
    // Hands the whole document as file bytes, every line ending in CR LF, to `sink` in pieces of
    // about 64 KiB, so that writing out a large list needs no copy of it. False when `sink` stopped.
    bool serializeTo(const ChunkSink& sink) const;
    // The same in one string.
    std::string serialize() const;

private:
    struct Line;
    struct Section;
    struct SectionState;

    std::string_view all() const { return *original_; }
    std::string_view headerOf(std::size_t section) const;
    std::string_view nameOf(std::size_t section) const;
    // Where the section's body ends in the parsed bytes, and where the header after it begins.
    std::uint32_t bodyEndOf(std::size_t section) const;
    std::uint32_t followingHeaderStart(std::size_t section) const;
    // The section's lines as bytes: those of the file, or those that replaced them.
    std::string_view bodyOf(std::size_t section) const;
    // Calls visit(text) for every line of the section as bytes (its body, then the blank line kept
    // after a replaced body), without splitting it, as long as it returns true.
    template <typename Visit>
    bool forEachRawLine(std::size_t section, Visit visit) const;
    // The bytes after the section's body that belong to later duplicates of sections already seen:
    // never read (the first section wins), kept as they are.
    std::string_view inertAfter(std::size_t section) const;
    // The section of that name, or npos.
    std::size_t findSection(std::string_view name) const;
    KeyIndex::KeyAt sectionNameAt() const;
    std::size_t addSection(Section section, std::string_view name);
    SectionState* stateOf(std::size_t section) const;
    SectionState& stateFor(std::size_t section) const;
    // The lines of a section, split from the file's bytes on first use.
    std::vector<Line>& linesOf(std::size_t section) const;
    // Calls visit(text) for every line of the section, split or not, as long as it returns true.
    template <typename Visit>
    bool visitTexts(std::size_t section, Visit visit) const;
    // The same with each line's key and value found.
    template <typename Visit>
    bool visitLines(std::size_t section, Visit visit) const;
    std::optional<Line> findKey(std::size_t section, std::string_view key) const;
    // The line of a key in a split section, or npos. The first few lookups scan its lines; the key
    // index is built only when more follow.
    static std::size_t findKeyLine(SectionState& state, std::string_view key);
    static KeyIndex::KeyAt keyAtFunction(const SectionState& state);
    static Line lineInSection(std::string_view text);
    Line newKeyLine(std::string_view key, std::string_view value);
    // Where a new key goes: after the last non-blank line.
    static std::size_t endOfContent(const std::vector<Line>& lines);
    std::size_t sectionForWrite(std::string_view name);
    std::string_view keep(std::string text);

    std::shared_ptr<const std::string> original_;
    // Texts of lines written after parsing; never freed before the document, so views stay valid.
    std::vector<std::unique_ptr<std::string>> owned_;
    // The first section of each name, in file order, as offsets into original_; sections_[0] holds
    // the lines before the first header, has no name and is never matched. Kept to a few bytes a
    // section, so that a file of millions of tiny sections costs little more than its bytes.
    std::vector<Section> sections_;
    // (section, end of its body) for the bodies that later duplicates follow, in section order;
    // every other body ends where the next section's header begins.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> bodyEnds_;
    KeyIndex sectionIndex_;
    // What only the sections used need: their split lines, key index, a new section's header.
    mutable std::unordered_map<std::size_t, std::unique_ptr<SectionState>> states_;
};

}  // namespace velorine::store

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
//   - a value ends at its first NUL byte, as the zero-terminated text of a settings-file read does;
//   - the first of duplicated sections, and the first of duplicated keys in it, wins;
//   - lines may end in CR LF or LF, and the last one may have no end at all.
//
// Writing changes only what it must: an existing key is rewritten in place, a new key goes after the
// last non-blank line of its section, a new section at the end of the document. Lines of other
// sections, comments and unknown lines are kept byte for byte. serialize() ends every line with CR LF.
//
// A document is a value in memory and touches no file; data_file.h reads and commits it.

#include <cstddef>
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
    // Parses any bytes; never fails (unknown lines are kept as they are).
    static IniDocument parse(std::string bytes);

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
    // blanks. A key that could not be read
    // back as itself (empty, or holding "=", CR or LF, or beginning with ";" or "[") is not written.
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

    // The whole document as file bytes, every line ending in CR LF.
    std::string serialize() const;

private:
    struct Line;
    struct Section;
    struct CaseInsensitiveHash {
        std::size_t operator()(std::string_view text) const noexcept;
    };
    struct CaseInsensitiveEqual {
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };
    using NameIndex = std::unordered_map<std::string_view, std::size_t, CaseInsensitiveHash,
                                         CaseInsensitiveEqual>;

    const Section* findSection(std::string_view name) const;
    // The line of a key, or npos. The first few lookups in a section scan its lines; the key index
    // is built only when more follow, so a one-key read or write of a large file never pays for
    // indexing its record section.
    std::size_t findKeyLine(const Section& section, std::string_view key) const;
    static KeyIndex::KeyAt keyAtFunction(const Section& section);
    // The lines of a section, split from the file's bytes on first use.
    static const std::vector<Line>& linesOf(const Section& section);
    static std::vector<Line>& mutableLinesOf(Section& section);
    static Line lineInSection(std::string_view text);
    Line newKeyLine(std::string_view key, std::string_view value);
    // Where a new key goes: after the last non-blank line.
    static std::size_t endOfContent(const Section& section);
    Section& sectionForWrite(std::string_view name);
    std::string_view keep(std::string text);

    std::shared_ptr<const std::string> original_;
    // Texts of lines written after parsing; never freed before the document, so views stay valid.
    std::vector<std::unique_ptr<std::string>> owned_;
    // sections_[0] holds the lines before the first header; it has no name and is never matched.
    std::vector<Section> sections_;
    NameIndex sectionIndex_;
};

}  // namespace velorine::store

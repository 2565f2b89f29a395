#include "store/ini_document.h"

#include <algorithm>
#include <cstdint>

namespace velorine::store {
namespace {

constexpr std::string_view kBlanks = " \t\v\f\r";

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

// One line, without its end. Kept small (a pointer and four 32-bit offsets): a large record
// section has half a million of them. Files are limited to 1 GiB, so offsets fit.
struct IniDocument::Line {
    const char* start = nullptr;
    std::uint32_t length = 0;
    std::uint32_t keyOffset = 0, keyLength = 0;  // keyLength 0: not a key line
    std::uint32_t valueOffset = 0, valueLength = 0;

    static Line of(std::string_view text) {
        return {text.data(), static_cast<std::uint32_t>(text.size()), 0, 0, 0, 0};
    }
    static Line keyLine(std::string_view text, std::string_view key, std::string_view value) {
        Line line = of(text);
        line.keyOffset = static_cast<std::uint32_t>(key.data() - text.data());
        line.keyLength = static_cast<std::uint32_t>(key.size());
        line.valueOffset = static_cast<std::uint32_t>(value.data() - text.data());
        line.valueLength = static_cast<std::uint32_t>(value.size());
        return line;
    }
    std::string_view text() const { return {start, length}; }
    bool isKey() const { return keyLength > 0; }
    std::string_view key() const { return {start + keyOffset, keyLength}; }
    std::string_view value() const { return {start + valueOffset, valueLength}; }
};

struct IniDocument::Section {
    std::string_view header;  // the raw header line; empty for the part before the first section
    std::string_view name;
    std::vector<Line> lines;
    mutable KeyIndex keys;  // first line of each key name, once indexed
    mutable bool indexed = false;
    mutable unsigned scans = 0;  // lookups answered by scanning, before the index is built
};

namespace {
constexpr unsigned kScansBeforeIndexing = 8;
}  // namespace

std::size_t IniDocument::CaseInsensitiveHash::operator()(std::string_view text) const noexcept {
    return caseInsensitiveHash(text);
}

bool IniDocument::CaseInsensitiveEqual::operator()(std::string_view a,
                                                    std::string_view b) const noexcept {
    return equalIgnoringCase(a, b);
}

KeyIndex::KeyAt IniDocument::keyAtFunction(const Section& section) {
    return [&section](std::size_t position) { return section.lines[position].key(); };
}

std::size_t IniDocument::findKeyLine(const Section& section, std::string_view key) const {
    if (!section.indexed && section.scans < kScansBeforeIndexing) {
        ++section.scans;
        for (std::size_t i = 0; i < section.lines.size(); ++i) {
            const Line& line = section.lines[i];
            if (line.keyLength == key.size() && equalIgnoringCase(line.key(), key)) return i;
        }
        return KeyIndex::npos;
    }
    const auto keyAt = keyAtFunction(section);
    if (!section.indexed) {
        section.keys.reserve(section.lines.size());
        for (std::size_t i = 0; i < section.lines.size(); ++i)
            if (section.lines[i].isKey()) section.keys.insert(section.lines[i].key(), i, keyAt);
        section.indexed = true;
    }
    return section.keys.find(key, keyAt);
}

IniDocument::IniDocument() : original_(std::make_shared<const std::string>()) {
    sections_.emplace_back();
}

IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;
IniDocument::~IniDocument() = default;

namespace {

// Splits a key line; nothing when the line holds no key (no "=", or nothing before it).
std::optional<std::pair<std::string_view, std::string_view>> splitKeyLine(std::string_view content) {
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const auto key = trim(content.substr(0, equals));
    if (key.empty()) return std::nullopt;
    return std::pair{key, unquote(trim(content.substr(equals + 1)))};
}

// The name of a section header line; nothing when the line is not one.
std::optional<std::string_view> headerName(std::string_view content) {
    if (content.empty() || content.front() != '[') return std::nullopt;
    const auto close = content.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(content.substr(1, close - 1));
}

}  // namespace

namespace {

// Cuts the first line off `rest`, without its LF or CR LF.
std::string_view nextLine(std::string_view& rest) {
    const auto end = rest.find('\n');
    std::string_view text = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    return text;
}

std::string_view withoutIndent(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

}  // namespace

IniDocument::Line IniDocument::lineInSection(std::string_view text) {
    const std::string_view content = withoutIndent(text);
    if (!content.empty() && content.front() != ';')
        if (const auto keyValue = splitKeyLine(content)) return Line::keyLine(text, keyValue->first, keyValue->second);
    return Line::of(text);
}

IniDocument IniDocument::parse(std::string bytes) {
    IniDocument doc;
    doc.original_ = std::make_shared<const std::string>(std::move(bytes));
    std::string_view rest = *doc.original_;
    Section* current = &doc.sections_.front();
    while (!rest.empty()) {
        const std::string_view text = nextLine(rest);
        if (const auto name = headerName(withoutIndent(text))) {
            doc.sections_.push_back(Section{text, *name, {}, {}, false, 0});
            current = &doc.sections_.back();
            doc.sectionIndex_.emplace(*name, doc.sections_.size() - 1);  // keeps the first
            continue;
        }
        // Keys before the first section belong to no section.
        current->lines.push_back(current == &doc.sections_.front() ? Line::of(text) : lineInSection(text));
    }
    return doc;
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    const auto it = sectionIndex_.find(name);
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string_view> IniDocument::find(std::string_view section,
                                                  std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return std::nullopt;
    const std::size_t position = findKeyLine(*s, key);
    if (position == KeyIndex::npos) return std::nullopt;
    return s->lines[position].value();
}

std::string IniDocument::read(std::string_view section, std::string_view key,
                              std::string_view defaultText, std::size_t bufferSize) const {
    if (bufferSize == 0) return {};
    const std::string_view value = find(section, key).value_or(defaultText);
    return std::string(value.substr(0, bufferSize - 1));
}

bool IniDocument::hasSection(std::string_view section) const { return findSection(section); }

std::string_view IniDocument::keep(std::string text) {
    owned_.push_back(std::make_unique<std::string>(std::move(text)));
    return *owned_.back();
}

IniDocument::Section& IniDocument::sectionForWrite(std::string_view name) {
    if (const auto it = sectionIndex_.find(name); it != sectionIndex_.end())
        return sections_[it->second];
    const std::string_view header = keep("[" + std::string(trim(name)) + "]");
    sections_.push_back(Section{header, header.substr(1, header.size() - 2), {}, {}, false, 0});
    sectionIndex_.emplace(sections_.back().name, sections_.size() - 1);
    return sections_.back();
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    std::string safeValue(value);
    std::replace_if(safeValue.begin(), safeValue.end(), [](char c) { return c == '\r' || c == '\n'; },
                    ' ');
    const std::string cleanKey(trim(key));
    Section& s = sectionForWrite(section);
    const std::string_view text = keep(cleanKey + "=" + safeValue);
    const auto [keyPart, valuePart] = *splitKeyLine(text);
    const Line line = Line::keyLine(text, keyPart, valuePart);

    if (const std::size_t existing = findKeyLine(s, cleanKey); existing != KeyIndex::npos) {
        s.lines[existing] = line;
        return;
    }
    const std::size_t position = endOfContent(s);
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(position), line);
    if (s.indexed) s.keys.insert(line.key(), position, keyAtFunction(s));
}

std::size_t IniDocument::endOfContent(const Section& s) {
    // The blank lines that separate a section from the next one stay at its end.
    std::size_t position = s.lines.size();
    while (position > 0 && trim(s.lines[position - 1].text()).empty()) --position;
    return position;
}

void IniDocument::clearSection(std::string_view section) { replaceSection(section, std::string()); }

void IniDocument::replaceSection(std::string_view section, std::string lines) {
    Section& s = sectionForWrite(section);
    std::vector<Line> content;
    std::string_view rest = keep(std::move(lines));
    content.reserve(static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n')) + s.lines.size() -
                    endOfContent(s));
    while (!rest.empty()) content.push_back(lineInSection(nextLine(rest)));
    content.insert(content.end(), s.lines.begin() + static_cast<std::ptrdiff_t>(endOfContent(s)), s.lines.end());
    s.lines = std::move(content);
    s.keys.clear();
    s.indexed = false;
    s.scans = 0;
}

void IniDocument::forEachKey(std::string_view section,
                             const std::function<void(std::string_view, std::string_view)>& visit) const {
    if (const Section* s = findSection(section))
        for (const Line& line : s->lines)
            if (line.isKey()) visit(line.key(), line.value());
}

std::size_t IniDocument::keyCount(std::string_view section) const {
    const Section* s = findSection(section);
    if (!s) return 0;
    return static_cast<std::size_t>(
        std::count_if(s->lines.begin(), s->lines.end(), [](const Line& line) { return line.isKey(); }));
}

std::string IniDocument::serialize() const {
    std::size_t size = 0;
    for (const auto& s : sections_) {
        size += s.header.size() + 2;
        for (const auto& line : s.lines) size += line.length + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& s : sections_) {
        if (&s != &sections_.front()) out.append(s.header).append("\r\n");
        for (const auto& line : s.lines) out.append(line.text()).append("\r\n");
    }
    return out;
}

}  // namespace velorine::store

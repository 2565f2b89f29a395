#include "store/ini_document.h"

#include <algorithm>

namespace velorine::store {
namespace {

constexpr std::string_view kBlanks = " \t\v\f\r";

unsigned char asciiLower(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

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

enum class LineKind { Other, Key };

struct IniDocument::Line {
    std::string_view text;  // the whole line, without its end
    LineKind kind = LineKind::Other;
    std::string_view key;    // trimmed, for Key lines
    std::string_view value;  // trimmed and unquoted, for Key lines
};

struct IniDocument::Section {
    std::string_view header;  // the raw header line; empty for the part before the first section
    std::string_view name;
    std::vector<Line> lines;
    NameIndex keys;  // first line of each key name
};

std::size_t IniDocument::CaseInsensitiveHash::operator()(std::string_view text) const noexcept {
    std::size_t hash = 14695981039346656037ull;
    for (char c : text) hash = (hash ^ asciiLower(c)) * 1099511628211ull;
    return hash;
}

bool IniDocument::CaseInsensitiveEqual::operator()(std::string_view a,
                                                    std::string_view b) const noexcept {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
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

IniDocument IniDocument::parse(std::string bytes) {
    IniDocument doc;
    doc.original_ = std::make_shared<const std::string>(std::move(bytes));
    std::string_view rest = *doc.original_;
    Section* current = &doc.sections_.front();
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view text = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);

        const auto first = text.find_first_not_of(" \t");
        const std::string_view content =
            first == std::string_view::npos ? std::string_view{} : text.substr(first);
        if (const auto name = headerName(content)) {
            doc.sections_.push_back(Section{text, *name, {}, {}});
            current = &doc.sections_.back();
            doc.sectionIndex_.emplace(*name, doc.sections_.size() - 1);  // keeps the first
            continue;
        }
        Line line{text, LineKind::Other, {}, {}};
        if (!content.empty() && content.front() != ';' && current != &doc.sections_.front()) {
            if (const auto keyValue = splitKeyLine(content)) {
                line.kind = LineKind::Key;
                line.key = keyValue->first;
                line.value = keyValue->second;
                current->keys.emplace(line.key, current->lines.size());
            }
        }
        current->lines.push_back(line);
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
    const auto it = s->keys.find(key);
    if (it == s->keys.end()) return std::nullopt;
    return s->lines[it->second].value;
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
    sections_.push_back(Section{header, header.substr(1, header.size() - 2), {}, {}});
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
    const Line line{text, LineKind::Key, keyPart, valuePart};

    if (const auto it = s.keys.find(cleanKey); it != s.keys.end()) {
        s.lines[it->second] = line;
        return;
    }
    // After the last non-blank line, so the blank lines that separate sections stay at the end.
    auto position = s.lines.size();
    while (position > 0 && trim(s.lines[position - 1].text).empty()) --position;
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(position), line);
    s.keys.emplace(line.key, position);
}

void IniDocument::clearSection(std::string_view section) {
    Section& s = sectionForWrite(section);
    auto firstTrailingBlank = s.lines.size();
    while (firstTrailingBlank > 0 && trim(s.lines[firstTrailingBlank - 1].text).empty())
        --firstTrailingBlank;
    s.lines.erase(s.lines.begin(), s.lines.begin() + static_cast<std::ptrdiff_t>(firstTrailingBlank));
    s.keys.clear();
}

std::string IniDocument::serialize() const {
    std::size_t size = 0;
    for (const auto& s : sections_) {
        size += s.header.size() + 2;
        for (const auto& line : s.lines) size += line.text.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& s : sections_) {
        if (&s != &sections_.front()) out.append(s.header).append("\r\n");
        for (const auto& line : s.lines) out.append(line.text).append("\r\n");
    }
    return out;
}

}  // namespace velorine::store

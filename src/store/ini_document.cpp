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

// Splits a key line; nothing when the line holds no key (no "=", or nothing before it).
std::optional<std::pair<std::string_view, std::string_view>> splitKeyLine(std::string_view content) {
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const auto key = trim(content.substr(0, equals));
    if (key.empty()) return std::nullopt;
    // The settings-file read hands its callers a zero-terminated text: a value ends at its NUL.
    const std::string_view value = unquote(trim(content.substr(equals + 1)));
    return std::pair{key, value.substr(0, value.find('\0'))};
}

// The name of a section header line; nothing when the line is not one.
std::optional<std::string_view> headerName(std::string_view content) {
    if (content.empty() || content.front() != '[') return std::nullopt;
    const auto close = content.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(content.substr(1, close - 1));
}

// Cuts the first line off `rest`, without its LF or CR LF.
std::string_view nextLine(std::string_view& rest) {
    const auto end = rest.find('\n');
    std::string_view text = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    return text;
}

// Below 0x20, tab excepted.
bool isControlByte(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }

std::string_view withoutIndent(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// A key that reads back as itself: not empty, nothing that would end it early or make its line a
// comment or a header. The program's own keys all are; anything else is not written.
bool isWritableKey(std::string_view key) {
    const std::string_view name = trim(key);
    return !name.empty() && name.find_first_of("=\r\n") == std::string_view::npos && name.front() != ';' &&
           name.front() != '[';
}

}  // namespace

// One line, without its end. Kept small (a pointer and four 32-bit offsets): a large record
// section has half a million of them. Files are limited to 256 MiB, so offsets fit.
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
    // The section's lines as they stand in the file. They are split into `lines` only when the
    // section is first used, so a one-key read of a large file never splits its record section.
    std::string_view body;
    bool holdsKeys = true;  // false for the part before the first section
    mutable bool split = false;
    mutable std::vector<Line> lines;
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

const std::vector<IniDocument::Line>& IniDocument::linesOf(const Section& section) {
    if (!section.split) {
        std::string_view rest = section.body;
        section.lines.reserve(rest.size() / 24 + 1);  // about the shortest usual line
        while (!rest.empty()) {
            const std::string_view text = nextLine(rest);
            section.lines.push_back(section.holdsKeys ? lineInSection(text) : Line::of(text));
        }
        section.split = true;
    }
    return section.lines;
}

std::vector<IniDocument::Line>& IniDocument::mutableLinesOf(Section& section) {
    linesOf(section);
    return section.lines;
}

KeyIndex::KeyAt IniDocument::keyAtFunction(const Section& section) {
    return [&section](std::size_t position) { return section.lines[position].key(); };
}

std::size_t IniDocument::findKeyLine(const Section& section, std::string_view key) const {
    const std::vector<Line>& lines = linesOf(section);
    if (!section.indexed && section.scans < kScansBeforeIndexing) {
        ++section.scans;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            if (line.keyLength == key.size() && equalIgnoringCase(line.key(), key)) return i;
        }
        return KeyIndex::npos;
    }
    const auto keyAt = keyAtFunction(section);
    if (!section.indexed) {
        section.keys.reserve(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].isKey()) section.keys.insert(lines[i].key(), i, keyAt);
        section.indexed = true;
    }
    return section.keys.find(key, keyAt);
}

IniDocument::IniDocument() : original_(std::make_shared<const std::string>()) {
    // Keys before the first section belong to no section.
    sections_.push_back(Section{{}, {}, {}, false, false, {}, {}, false, 0});
}

IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;
IniDocument::~IniDocument() = default;

IniDocument::Line IniDocument::lineInSection(std::string_view text) {
    const std::string_view content = withoutIndent(text);
    if (!content.empty() && content.front() != ';')
        if (const auto keyValue = splitKeyLine(content)) return Line::keyLine(text, keyValue->first, keyValue->second);
    return Line::of(text);
}

IniDocument IniDocument::parse(std::string bytes) {
    IniDocument doc;
    doc.original_ = std::make_shared<const std::string>(std::move(bytes));
    const std::string_view all = *doc.original_;
    std::string_view rest = all;
    std::size_t bodyStart = 0;
    auto closeBody = [&](std::size_t end) { doc.sections_.back().body = all.substr(bodyStart, end - bodyStart); };
    while (!rest.empty()) {
        const std::size_t lineStart = all.size() - rest.size();
        const std::string_view text = nextLine(rest);
        if (const auto name = headerName(withoutIndent(text))) {
            closeBody(lineStart);
            doc.sections_.push_back(Section{text, *name, {}, true, false, {}, {}, false, 0});
            doc.sectionIndex_.emplace(*name, doc.sections_.size() - 1);  // keeps the first
            bodyStart = all.size() - rest.size();
        }
    }
    closeBody(all.size());
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
    return s->lines[position].value();  // split by findKeyLine
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
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in `"literal" + std::string`.
    std::string bracketed = "[";
    bracketed += trim(name);
    bracketed += ']';
    const std::string_view header = keep(std::move(bracketed));
    sections_.push_back(Section{header, header.substr(1, header.size() - 2), {}, true, true, {}, {}, false, 0});
    sectionIndex_.emplace(sections_.back().name, sections_.size() - 1);
    return sections_.back();
}

IniDocument::Line IniDocument::newKeyLine(std::string_view key, std::string_view value) {
    std::string text(trim(key));
    text += '=';
    text += value;
    // A line break in the value would split it into other lines, other keys among them; the other
    // control bytes (NUL among them, which would end the value) have no place in a text either.
    std::replace_if(text.begin(), text.end(), [](char c) { return isControlByte(c); }, ' ');
    const std::string_view kept = keep(std::move(text));
    const auto [keyPart, valuePart] = *splitKeyLine(kept);
    return Line::keyLine(kept, keyPart, valuePart);
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    writeAll(section, {{key, value}});
}

void IniDocument::writeAll(std::string_view section, const std::vector<KeyValue>& keyValues) {
    Section& s = sectionForWrite(section);
    std::vector<Line>& lines = mutableLinesOf(s);
    std::vector<Line> written;
    written.reserve(keyValues.size());
    for (const auto& [key, value] : keyValues)
        if (isWritableKey(key)) written.push_back(newKeyLine(key, value));
    const KeyIndex::KeyAt writtenKey = [&written](std::size_t i) { return written[i].key(); };

    // Where each key stands now: one pass over the section while it is not indexed, else the index.
    // `first` maps a key to the first request naming it, so repeated keys share one line.
    KeyIndex first;
    first.reserve(written.size());
    for (std::size_t i = 0; i < written.size(); ++i) first.insert(written[i].key(), i, writtenKey);
    std::vector<std::size_t> lineOf(written.size(), KeyIndex::npos);
    const bool scanning = !s.indexed && s.scans < kScansBeforeIndexing;
    if (scanning) {
        ++s.scans;
        for (std::size_t position = 0; position < lines.size(); ++position) {
            if (!lines[position].isKey()) continue;
            const std::size_t i = first.find(lines[position].key(), writtenKey);
            if (i != KeyIndex::npos && lineOf[i] == KeyIndex::npos) lineOf[i] = position;
        }
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::size_t request = first.find(written[i].key(), writtenKey);
        std::size_t& position = lineOf[request];
        if (!scanning && position == KeyIndex::npos) position = findKeyLine(s, written[i].key());
        if (position != KeyIndex::npos) {
            lines[position] = written[i];
            continue;
        }
        position = endOfContent(s);
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position), written[i]);
        if (s.indexed) s.keys.insert(written[i].key(), position, keyAtFunction(s));
    }
}

std::size_t IniDocument::endOfContent(const Section& s) {
    // The blank lines that separate a section from the next one stay at its end.
    const std::vector<Line>& lines = linesOf(s);
    std::size_t position = lines.size();
    while (position > 0 && trim(lines[position - 1].text()).empty()) --position;
    return position;
}

void IniDocument::clearSection(std::string_view section) { replaceSection(section, std::string()); }

void IniDocument::replaceSection(std::string_view section, std::string lines) {
    Section& s = sectionForWrite(section);
    const std::vector<Line>& old = linesOf(s);
    const std::size_t trailingBlanks = endOfContent(s);
    std::vector<Line> content;
    std::string_view rest = keep(std::move(lines));
    content.reserve(static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n')) + 1);
    while (!rest.empty()) content.push_back(lineInSection(nextLine(rest)));
    // One blank line still separates the section from the next; more would only make the file grow.
    if (trailingBlanks < old.size()) content.push_back(old[trailingBlanks]);
    s.lines = std::move(content);
    s.keys.clear();
    s.indexed = false;
    s.scans = 0;
}

void IniDocument::forEachKey(std::string_view section,
                             const std::function<void(std::string_view, std::string_view)>& visit) const {
    if (const Section* s = findSection(section))
        for (const Line& line : linesOf(*s))
            if (line.isKey()) visit(line.key(), line.value());
}

std::size_t IniDocument::keyCount(std::string_view section) const {
    const Section* s = findSection(section);
    if (!s) return 0;
    const std::vector<Line>& lines = linesOf(*s);
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const Line& line) { return line.isKey(); }));
}

bool IniDocument::everyLineOf(std::string_view section,
                              const std::function<bool(std::string_view)>& visit) const {
    if (const Section* s = findSection(section))
        for (const Line& line : linesOf(*s))
            if (!visit(line.text())) return false;
    return true;
}

std::optional<std::string_view> IniDocument::keyLineText(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return std::nullopt;
    const std::size_t position = findKeyLine(*s, key);
    if (position == KeyIndex::npos) return std::nullopt;
    return s->lines[position].text();
}

bool IniDocument::parsedBytesAreSerialForm() const {
    const std::string_view bytes = *original_;
    if (!bytes.empty() && bytes.back() != '\n') return false;
    for (std::size_t end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n', end + 1))
        if (end == 0 || bytes[end - 1] != '\r') return false;
    return true;
}

std::string IniDocument::serialize() const {
    std::size_t size = 0;
    for (const auto& s : sections_) {
        size += s.header.size() + 2 + s.body.size() + s.body.size() / 8;
        for (const auto& line : s.lines) size += line.length + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& s : sections_) {
        if (&s != &sections_.front()) out.append(s.header).append("\r\n");
        if (s.split) {
            for (const auto& line : s.lines) out.append(line.text()).append("\r\n");
            continue;
        }
        for (std::string_view rest = s.body; !rest.empty();) out.append(nextLine(rest)).append("\r\n");
    }
    return out;
}

}  // namespace velorine::store

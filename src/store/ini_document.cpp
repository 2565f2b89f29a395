#include "store/ini_document.h"

#include <algorithm>
#include <cstdint>

#include "store/read_rules.h"

namespace velorine::store {
namespace {

// Some editors save UTF-8 with this mark first; it must not hide the first section's header.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

using read_rules::trimmed;

// Splits a key line; nothing when the line holds no key (no "=", or nothing before it).
std::optional<std::pair<std::string_view, std::string_view>> splitKeyLine(std::string_view content) {
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const auto key = trimmed(content.substr(0, equals));
    if (key.empty()) return std::nullopt;
    return std::pair{key, read_rules::valueAsRead(content.substr(equals + 1))};
}

// The name of a section header line; nothing when the line is not one.
std::optional<std::string_view> headerName(std::string_view content) {
    if (content.empty() || content.front() != '[') return std::nullopt;
    const auto close = content.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimmed(content.substr(1, close - 1));
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
    if (!text.empty() && text.front() != ' ' && text.front() != '\t') return text;
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// The section a line opens, the byte order mark skipped on the file's first line.
std::optional<std::string_view> headerOfLine(std::string_view text, bool firstLine) {
    if (firstLine && text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    return headerName(withoutIndent(text));
}

bool isBlank(std::string_view text) { return trimmed(text).empty(); }

// Gathers lines, each ended by CR LF, into pieces of about kPieceSize bytes for a sink, so that the
// serial form of a large document is never held whole. Stops sending once the sink has refused.
class PiecewiseOutput {
public:
    explicit PiecewiseOutput(const IniDocument::ChunkSink& sink) : sink_(sink) { buffer_.reserve(kPieceSize); }
    // False once the sink has stopped the output.
    bool line(std::string_view text) {
        if (buffer_.size() + text.size() + 2 > kPieceSize) flush();
        if (text.size() + 2 > kPieceSize) return send(text) && send("\r\n");  // a huge line, as it is
        buffer_.append(text).append("\r\n");
        return ok_;
    }
    bool finish() {
        flush();
        return ok_;
    }

private:
    static constexpr std::size_t kPieceSize = 64 * 1024;
    void flush() {
        if (!buffer_.empty()) send(buffer_);
        buffer_.clear();
    }
    bool send(std::string_view bytes) {
        ok_ = ok_ && sink_(bytes);
        return ok_;
    }
    const IniDocument::ChunkSink& sink_;
    std::string buffer_;
    bool ok_ = true;
};

// Where `rest`, a tail of `all`, begins in it.
std::uint32_t offsetOf(std::string_view rest, std::string_view all) {
    return static_cast<std::uint32_t>(all.size() - rest.size());
}

// Calls found(lineStart, nextLineStart, name) for every header line, in order. Only the lines
// where a "[" follows the indent can be headers, so the search goes from "[" to "[" and the lines
// of a record section, which hold none, are never split.
template <typename Found>
void forEachHeader(std::string_view all, Found found) {
    for (std::size_t at = all.find('['); at != std::string_view::npos; at = all.find('[', at + 1)) {
        std::size_t lineStart = at;
        while (lineStart > 0 && (all[lineStart - 1] == ' ' || all[lineStart - 1] == '\t')) --lineStart;
        if (lineStart == kUtf8ByteOrderMark.size() && all.starts_with(kUtf8ByteOrderMark))
            lineStart = 0;
        else if (lineStart > 0 && all[lineStart - 1] != '\n')
            continue;
        std::string_view rest = all.substr(lineStart);
        const auto name = headerOfLine(nextLine(rest), lineStart == 0);
        if (!name) continue;
        const std::uint32_t next = offsetOf(rest, all);
        found(static_cast<std::uint32_t>(lineStart), next, *name);
        at = next - 1;
    }
}

constexpr unsigned kScansBeforeIndexing = 8;
// Room left after parsing for the few sections a commit adds (the format stamp, the reminder day),
// so that adding one to a file of millions does not double the section table for a moment.
constexpr std::size_t kRoomForNewSections = 8;
// The header offset of a section created after parsing: its header is in its state.
constexpr std::uint32_t kNewSection = 0xFFFFFFFFu;

// A key that reads back as itself: not empty, nothing that would end it early or make its line a
// comment or a header. The program's own keys all are; anything else is not written.
bool isWritableKey(std::string_view key) {
    const std::string_view name = trimmed(key);
    // A control byte would be written as a blank, making another key (or none) of it.
    return !name.empty() && name.find('=') == std::string_view::npos &&
           std::none_of(name.begin(), name.end(), isControlByte) && name.front() != ';' && name.front() != '[';
}

}  // namespace

// One line, without its end. Kept small (a pointer and four 32-bit offsets): a large record
// section has half a million of them. Only the sections that are edited or looked up often are
// split into lines.
struct IniDocument::Line {
    const char* start = nullptr;
    std::uint32_t length = 0;
    std::uint32_t keyOffset = 0, keyLength = 0;  // keyLength 0: not a key line
    std::uint32_t valueOffset = 0, valueLength = 0;

    static Line of(std::string_view text) { return {text.data(), static_cast<std::uint32_t>(text.size()), 0, 0, 0, 0}; }
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

// Offsets into the parsed bytes: the header line, then the body, up to the next section's header
// unless bodyEnds_ says otherwise. A section created after parsing has kNewSection as its header
// offset and an empty body at the end of the bytes.
struct IniDocument::Section {
    std::uint32_t headerStart = 0;
    std::uint32_t bodyStart = 0;
};

struct IniDocument::SectionState {
    std::string_view newHeader;  // the header of a section created after parsing
    // Lines that replaced the file's (replaceSection), kept as bytes until the section is split,
    // and the blank line kept after them to separate the section from the next one.
    bool replaced = false;
    std::string_view replacement;
    std::optional<std::string_view> separator;
    bool split = false;
    std::vector<Line> lines;
    KeyIndex keys;  // first line of each key name, once indexed
    bool indexed = false;
    unsigned scans = 0;  // lookups answered by scanning, before the index is built
};

IniDocument::IniDocument() : original_(std::make_shared<const std::string>()) {
    // Keys before the first section belong to no section.
    sections_.push_back(Section{});
}

IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;
IniDocument::~IniDocument() = default;

std::string_view IniDocument::headerOf(std::size_t section) const {
    const Section& s = sections_[section];
    if (s.headerStart == kNewSection) return stateOf(section)->newHeader;
    std::string_view rest = all().substr(s.headerStart, s.bodyStart - s.headerStart);
    return nextLine(rest);
}

std::string_view IniDocument::nameOf(std::size_t section) const {
    if (section == 0) return {};
    const std::string_view header = headerOf(section);
    if (sections_[section].headerStart == kNewSection) return header.substr(1, header.size() - 2);
    return headerOfLine(header, sections_[section].headerStart == 0).value_or(std::string_view{});
}

std::uint32_t IniDocument::followingHeaderStart(std::size_t section) const {
    if (section + 1 < sections_.size() && sections_[section + 1].headerStart != kNewSection)
        return sections_[section + 1].headerStart;
    return static_cast<std::uint32_t>(all().size());
}

std::uint32_t IniDocument::bodyEndOf(std::size_t section) const {
    const auto end = std::lower_bound(bodyEnds_.begin(), bodyEnds_.end(), section,
                                      [](const auto& entry, std::size_t s) { return entry.first < s; });
    if (end != bodyEnds_.end() && end->first == section) return end->second;
    return followingHeaderStart(section);
}

std::string_view IniDocument::bodyOf(std::size_t section) const {
    if (const SectionState* state = stateOf(section); state && state->replaced) return state->replacement;
    const std::uint32_t start = sections_[section].bodyStart;
    return all().substr(start, bodyEndOf(section) - start);
}

template <typename Visit>
bool IniDocument::forEachRawLine(std::size_t section, Visit visit) const {
    for (std::string_view rest = bodyOf(section); !rest.empty();)
        if (!visit(nextLine(rest))) return false;
    const SectionState* state = stateOf(section);
    return !(state && state->replaced && state->separator) || visit(*state->separator);
}

std::string_view IniDocument::inertAfter(std::size_t section) const {
    const std::uint32_t start = bodyEndOf(section);
    return all().substr(start, followingHeaderStart(section) - start);
}

KeyIndex::KeyAt IniDocument::sectionNameAt() const {
    return [this](std::size_t section) { return nameOf(section); };
}

std::size_t IniDocument::findSection(std::string_view name) const {
    // Names are matched as they are read: the file's without the blanks around them, so the
    // caller's too, or a write of " S " would add a second [S] that no read finds.
    return sectionIndex_.find(trimmed(name), sectionNameAt());
}

IniDocument::SectionState* IniDocument::stateOf(std::size_t section) const {
    const auto it = states_.find(section);
    return it == states_.end() ? nullptr : it->second.get();
}

IniDocument::SectionState& IniDocument::stateFor(std::size_t section) const {
    std::unique_ptr<SectionState>& state = states_[section];
    if (!state) state = std::make_unique<SectionState>();
    return *state;
}

IniDocument::Line IniDocument::lineInSection(std::string_view text) {
    const std::string_view content = withoutIndent(text);
    if (!content.empty() && content.front() != ';')
        if (const auto keyValue = splitKeyLine(content)) return Line::keyLine(text, keyValue->first, keyValue->second);
    return Line::of(text);
}

std::vector<IniDocument::Line>& IniDocument::linesOf(std::size_t section) const {
    SectionState& state = stateFor(section);
    if (!state.split) {
        const std::string_view body = bodyOf(section);
        state.lines.reserve(static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n')) + 2);
        forEachRawLine(section, [&](std::string_view text) {
            state.lines.push_back(section == 0 ? Line::of(text) : lineInSection(text));
            return true;
        });
        state.split = true;
    }
    return state.lines;
}

template <typename Visit>
bool IniDocument::visitTexts(std::size_t section, Visit visit) const {
    if (const SectionState* state = stateOf(section); state && state->split) {
        for (const Line& line : state->lines)
            if (!visit(line.text())) return false;
        return true;
    }
    return forEachRawLine(section, visit);
}

template <typename Visit>
bool IniDocument::visitLines(std::size_t section, Visit visit) const {
    if (const SectionState* state = stateOf(section); state && state->split) {
        for (const Line& line : state->lines)
            if (!visit(line)) return false;
        return true;
    }
    return forEachRawLine(
        section, [&](std::string_view text) { return visit(section == 0 ? Line::of(text) : lineInSection(text)); });
}

KeyIndex::KeyAt IniDocument::keyAtFunction(const SectionState& state) {
    return [&state](std::size_t position) { return state.lines[position].key(); };
}

std::size_t IniDocument::findKeyLine(SectionState& state, std::string_view key) {
    const std::vector<Line>& lines = state.lines;
    if (!state.indexed && state.scans < kScansBeforeIndexing) {
        ++state.scans;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            if (line.keyLength == key.size() && equalIgnoringCase(line.key(), key)) return i;
        }
        return KeyIndex::npos;
    }
    const auto keyAt = keyAtFunction(state);
    if (!state.indexed) {
        state.keys.reserve(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].isKey()) state.keys.insert(lines[i].key(), i, keyAt);
        state.indexed = true;
    }
    return state.keys.find(key, keyAt);
}

std::optional<IniDocument::Line> IniDocument::findKey(std::size_t section, std::string_view key) const {
    key = trimmed(key);
    SectionState& state = stateFor(section);
    if (!state.split && state.scans < kScansBeforeIndexing) {
        // A few lookups read the section's bytes as they are, without splitting it.
        ++state.scans;
        std::optional<Line> found;
        visitLines(section, [&](const Line& line) {
            if (line.keyLength == key.size() && equalIgnoringCase(line.key(), key)) found = line;
            return !found;
        });
        return found;
    }
    const std::vector<Line>& lines = linesOf(section);
    const std::size_t position = findKeyLine(state, key);
    if (position == KeyIndex::npos) return std::nullopt;
    return lines[position];
}

IniDocument IniDocument::parse(std::string bytes) {
    IniDocument doc;
    if (bytes.size() >= kNewSection) bytes.resize(kNewSection - 1);  // offsets are 32-bit
    doc.original_ = std::make_shared<const std::string>(std::move(bytes));
    const std::string_view all = doc.all();
    // Counted first, so that the section table is allocated once, at its size.
    std::size_t headers = 0;
    forEachHeader(all, [&](std::uint32_t, std::uint32_t, std::string_view) { ++headers; });
    doc.sections_.reserve(headers + 1 + kRoomForNewSections);
    doc.sectionIndex_.reserve(headers + kRoomForNewSections);
    const KeyIndex::KeyAt nameAt = doc.sectionNameAt();
    // Whether the bytes read belong to the body of the last section kept; the lines of a later
    // duplicate do not, they stay as they are between the bodies.
    bool inBody = true;
    forEachHeader(all, [&](std::uint32_t lineStart, std::uint32_t bodyStart, std::string_view name) {
        doc.sections_.push_back(Section{lineStart, bodyStart});
        if (doc.sectionIndex_.insert(name, doc.sections_.size() - 1, nameAt)) {  // keeps the first
            inBody = true;
            return;
        }
        doc.sections_.pop_back();
        // The last body kept ends at the first of the duplicates that follow it.
        if (inBody) doc.bodyEnds_.emplace_back(static_cast<std::uint32_t>(doc.sections_.size() - 1), lineStart);
        inBody = false;
    });
    if (doc.sections_.capacity() > 2 * (doc.sections_.size() + kRoomForNewSections)) {
        std::vector<Section> kept;
        kept.reserve(doc.sections_.size() + kRoomForNewSections);
        kept.assign(doc.sections_.begin(), doc.sections_.end());
        doc.sections_.swap(kept);
    }
    return doc;
}

bool IniDocument::readsAsSettings(std::string_view bytes) {
    bool onlyBlanks = true;
    for (std::string_view rest = bytes; !rest.empty();) {
        const bool firstLine = rest.size() == bytes.size();
        const std::string_view text = nextLine(rest);
        // A NUL in the name is what UTF-16 text looks like, read byte by byte.
        if (const auto name = headerOfLine(text, firstLine); name && name->find('\0') == std::string_view::npos)
            return true;
        onlyBlanks = onlyBlanks && trimmed(text).empty();
    }
    return onlyBlanks;
}

std::optional<std::string_view> IniDocument::find(std::string_view section, std::string_view key) const {
    const std::size_t s = findSection(section);
    if (s == KeyIndex::npos) return std::nullopt;
    const auto line = findKey(s, key);
    if (!line) return std::nullopt;
    return line->value();
}

std::string IniDocument::read(std::string_view section, std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize) const {
    if (bufferSize == 0) return {};
    const std::string_view value = find(section, key).value_or(defaultText);
    return std::string(value.substr(0, bufferSize - 1));
}

bool IniDocument::hasSection(std::string_view section) const { return findSection(section) != KeyIndex::npos; }

std::string_view IniDocument::keep(std::string text) {
    owned_.push_back(std::make_unique<std::string>(std::move(text)));
    return *owned_.back();
}

std::size_t IniDocument::sectionForWrite(std::string_view name) {
    if (const std::size_t found = findSection(name); found != KeyIndex::npos) return found;
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in `"literal" + std::string`.
    std::string bracketed = "[";
    bracketed += trimmed(name);
    bracketed += ']';
    const std::string_view header = keep(std::move(bracketed));
    const auto end = static_cast<std::uint32_t>(all().size());
    sections_.push_back(Section{kNewSection, end});
    const std::size_t section = sections_.size() - 1;
    SectionState& state = stateFor(section);
    state.newHeader = header;
    state.split = true;
    sectionIndex_.insert(nameOf(section), section, sectionNameAt());
    return section;
}

IniDocument::Line IniDocument::newKeyLine(std::string_view key, std::string_view value) {
    std::string text(trimmed(key));
    text += '=';
    text += value;
    // A line break in the value would split it into other lines, other keys among them; the other
    // control bytes (NUL among them, which would end the value) have no place in a text either.
    std::replace_if(
        text.begin(), text.end(), [](char c) { return isControlByte(c); }, ' ');
    const std::string_view kept = keep(std::move(text));
    const auto [keyPart, valuePart] = *splitKeyLine(kept);
    return Line::keyLine(kept, keyPart, valuePart);
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    writeAll(section, {{key, value}});
}

void IniDocument::writeAll(std::string_view section, const std::vector<KeyValue>& keyValues) {
    std::vector<Line> written;
    written.reserve(keyValues.size());
    for (const auto& [key, value] : keyValues)
        if (isWritableKey(key)) written.push_back(newKeyLine(key, value));
    // Nothing written, nothing created: not even the section.
    if (written.empty()) return;
    const std::size_t index = sectionForWrite(section);
    std::vector<Line>& lines = linesOf(index);
    SectionState& s = stateFor(index);
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
        // Only blank lines follow the insertion point, so no indexed position moves.
        position = endOfContent(lines);
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position), written[i]);
        if (s.indexed) s.keys.insert(written[i].key(), position, keyAtFunction(s));
    }
}

std::size_t IniDocument::endOfContent(const std::vector<Line>& lines) {
    // The blank lines that separate a section from the next one stay at its end.
    std::size_t position = lines.size();
    while (position > 0 && isBlank(lines[position - 1].text())) --position;
    return position;
}

void IniDocument::clearSection(std::string_view section) { replaceSection(section, std::string()); }

void IniDocument::replaceSection(std::string_view section, std::string lines) {
    const std::size_t index = sectionForWrite(section);
    // The first of the blank lines that end the section, found without splitting it.
    std::optional<std::string_view> separator;
    visitTexts(index, [&](std::string_view text) {
        if (!isBlank(text))
            separator.reset();
        else if (!separator)
            separator = text;
        return true;
    });
    // Kept as bytes, not split into lines: a compacted record section is most of a large file.
    SectionState& s = stateFor(index);
    s.replaced = true;
    s.replacement = keep(std::move(lines));
    // One blank line still separates the section from the next; more would only make the file grow.
    s.separator = separator;
    std::vector<Line>().swap(s.lines);
    s.split = false;
    s.keys.clear();
    s.indexed = false;
    s.scans = 0;
}

void IniDocument::forEachKey(std::string_view section,
                             const std::function<void(std::string_view, std::string_view)>& visit) const {
    const std::size_t s = findSection(section);
    if (s == KeyIndex::npos) return;
    visitLines(s, [&](const Line& line) {
        if (line.isKey()) visit(line.key(), line.value());
        return true;
    });
}

std::size_t IniDocument::keyCount(std::string_view section) const {
    const std::size_t s = findSection(section);
    std::size_t count = 0;
    if (s != KeyIndex::npos)
        visitLines(s, [&](const Line& line) {
            count += line.isKey();
            return true;
        });
    return count;
}

bool IniDocument::everyLineOf(std::string_view section, const std::function<bool(std::string_view)>& visit) const {
    const std::size_t s = findSection(section);
    return s == KeyIndex::npos || visitTexts(s, visit);
}

std::optional<std::string_view> IniDocument::keyLineText(std::string_view section, std::string_view key) const {
    const std::size_t s = findSection(section);
    if (s == KeyIndex::npos) return std::nullopt;
    const auto line = findKey(s, key);
    if (!line) return std::nullopt;
    return line->text();
}

bool IniDocument::parsedBytesAreSerialForm() const {
    const std::string_view bytes = all();
    if (!bytes.empty() && bytes.back() != '\n') return false;
    for (std::size_t end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n', end + 1))
        if (end == 0 || bytes[end - 1] != '\r') return false;
    return true;
}

bool IniDocument::serializesToParsedBytes() const {
    std::string_view rest = all();
    return serializeTo([&rest](std::string_view piece) {
               if (!rest.starts_with(piece)) return false;
               rest.remove_prefix(piece.size());
               return true;
           }) &&
           rest.empty();
}

bool IniDocument::serializeTo(const ChunkSink& sink) const {
    PiecewiseOutput out(sink);
    const auto line = [&out](std::string_view text) { return out.line(text); };
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0 && !out.line(headerOf(i))) return false;
        if (!visitTexts(i, line)) return false;
        for (std::string_view rest = inertAfter(i); !rest.empty();)
            if (!out.line(nextLine(rest))) return false;
    }
    return out.finish();
}

std::string IniDocument::serialize() const {
    std::string out;
    serializeTo([&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}

}  // namespace velorine::store

#include "contacts/vcard_lines.h"

#include <algorithm>

namespace velorine::contacts {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Splits at `separator` outside double quotes.
std::vector<std::string_view> splitOutsideQuotes(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == separator && !quoted) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The logical line being unfolded, and what is known of its head: whether its value is
// quoted-printable, which is known once its first colon has been seen. The colon is looked for in
// each new piece only, so that a head folded over many lines is scanned once.
class LogicalLine {
public:
    void start(std::string_view piece) {
        text_.assign(piece);
        headScanned_ = 0;
        headKnown_ = quotedPrintable_ = false;
        learnHead();
    }
    void append(std::string_view piece) {
        text_.append(piece);
        learnHead();
    }
    // A soft line break of 2.1 ends the line: the "=" goes, and the next line continues it.
    bool takeSoftBreak() {
        if (!quotedPrintable_ || text_.empty() || text_.back() != '=') return false;
        text_.pop_back();
        return true;
    }
    std::string_view text() const { return text_; }
    bool empty() const { return text_.empty(); }

private:
    void learnHead() {
        if (headKnown_) return;
        const std::size_t colon = text_.find(':', headScanned_);
        if (colon == std::string::npos) {
            headScanned_ = text_.size();
            return;
        }
        headKnown_ = true;
        quotedPrintable_ =
            upperAscii(std::string_view(text_).substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
    }

    std::string text_;
    std::size_t headScanned_ = 0;
    bool headKnown_ = false;
    bool quotedPrintable_ = false;
};

}  // namespace

bool equalsIgnoringCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != upper[i]) return false;
    }
    return true;
}

std::string upperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::optional<std::string_view> ContentLine::parameter(std::string_view upperName) const {
    for (const VcardParameter& p : parameters)
        if (p.name == upperName) return p.value;
    return std::nullopt;
}

bool ContentLine::hasType(std::string_view upperType) const {
    for (const VcardParameter& p : parameters) {
        if (p.name != "TYPE") continue;
        const auto types = splitOutsideQuotes(p.value, ',');
        if (std::any_of(types.begin(), types.end(),
                        [&](std::string_view t) { return equalsIgnoringCase(t, upperType); }))
            return true;
    }
    return false;
}

void forEachUnfoldedLine(std::string_view bytes, const std::function<bool(std::string_view line)>& take) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    LogicalLine line;
    bool joinNext = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view physical = bytes.substr(start, end - start);
        start = end + 1;
        while (physical.ends_with('\r')) physical.remove_suffix(1);
        const bool folded = !physical.empty() && (physical.front() == ' ' || physical.front() == '\t');
        if (!line.empty() && joinNext) {
            line.append(physical);
        } else if (!line.empty() && folded) {
            line.append(physical.substr(1));
        } else if (!physical.empty()) {
            if (!line.empty() && !take(line.text())) return;
            line.start(physical);
        }
        joinNext = line.takeSoftBreak();
    }
    if (!line.empty()) take(line.text());
}

std::string_view lineName(std::string_view line) {
    const std::size_t end = line.find_first_of(";:");
    if (end == std::string_view::npos || line.find(':') == std::string_view::npos) return {};
    std::string_view name = line.substr(0, end);
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
    return name;
}

std::optional<ContentLine> parseContentLine(std::string_view line) {
    // The value starts at the first colon outside quotes: a parameter value may hold one.
    bool quoted = false;
    std::size_t colon = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos) return std::nullopt;
    ContentLine parsed;
    parsed.value = std::string(line.substr(colon + 1));
    const auto head = splitOutsideQuotes(line.substr(0, colon), ';');
    std::string_view name = head.front();
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
    parsed.name = upperAscii(name);
    for (std::size_t i = 1; i < head.size(); ++i) {
        const std::string_view parameter = head[i];
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos) {
            if (!parameter.empty()) parsed.parameters.push_back({"TYPE", std::string(parameter)});
        } else {
            parsed.parameters.push_back(
                {upperAscii(parameter.substr(0, equals)), withoutQuotes(parameter.substr(equals + 1))});
        }
    }
    return parsed;
}

}  // namespace velorine::contacts

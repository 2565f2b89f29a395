#include "contacts/vcard_lines.h"

#include <algorithm>

namespace velorine::contacts {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A 2.1 soft line break: the value is quoted-printable and its line ends with "=".
bool endsWithSoftBreak(std::string_view line) {
    if (line.empty() || line.back() != '=') return false;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    return upperAscii(line.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

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

bool equalsIgnoringCase(std::string_view a, std::string_view upper) {
    return a.size() == upper.size() && upperAscii(a) == upper;
}

}  // namespace

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

std::vector<std::string> unfoldedLines(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    std::vector<std::string> lines;
    bool joinNext = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view physical = bytes.substr(start, end - start);
        start = end + 1;
        if (physical.ends_with('\r')) physical.remove_suffix(1);
        const bool folded = !physical.empty() && (physical.front() == ' ' || physical.front() == '\t');
        if (!lines.empty() && joinNext) {
            lines.back().append(physical);
        } else if (!lines.empty() && folded) {
            lines.back().append(physical.substr(1));
        } else if (!physical.empty()) {
            lines.emplace_back(physical);
        }
        joinNext = !lines.empty() && endsWithSoftBreak(lines.back());
        if (joinNext) lines.back().pop_back();
    }
    return lines;
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
